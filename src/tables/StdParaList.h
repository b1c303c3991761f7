#pragma once

#include "tables/DevSetting.h"

#include <QString>
#include <QVariant>

// The factory parameter lists of the program folder: "w4nqzstpr.lst" (new-type actuators) and
// "w4qzstpr.lst" (the others), one row per actuator with its HOME and AXIS items and its
// designation; "w4cmstpr.lst", the common PG, ETC and SPECIAL values.

constexpr int kStdParaRows = 100;  // rows 1 to 99
constexpr int kStdParaValues = 11; // items 1 to 11: OFFSET .. AutoDrive
constexpr int kCmnParaRows = 21;
constexpr int kCmnParaCols = 3;

struct StdParaRow
{
    QString key;       // size (1-3), speed letter (4), stroke (6-8)
    QString size;
    QString speed;
    double stroke = 0;
    qint64 values[kStdParaValues] = {};
    int type = 0;      // TYPE: 1 for a new-type or vertical actuator, else 0
    QString actuator;  // seven-character designation
};

extern StdParaRow gStdParaList[kAxisCount][kStdParaRows];
extern int gStdParaCount[kAxisCount];
// Rows 0 FUNCTION, 1 ALM, 2 HOME OUT, 3 ALM CODE, 4 GRP ENABLE, 5 SM TIMEOUT, 6 SM TIMER,
// 7 AXIS, 8 AUTO HOME, 9 PG TIMER, 10 LS TIMER, 11 SOFT LIMIT, 12 M0 ENABLE, 13 STOP/PAUSE;
// column 1 the factory value (FUNCTION and ALM: column 2 for an axis with PG).
extern QVariant gCmnParaList[kCmnParaRows][kCmnParaCols];

// 0 all lists read; 1 failed after its message (26, 27, 28 and 29, or the damaged list's line);
// the lists are then as they were. Given `failure`, the message is put there instead of a box.
int ReadStdParaFile(QString *failure = nullptr);
// The factory values of the pending actuators of the axes in use. Both change the parameter
// set only when every axis in use was found; 1 after message 36 otherwise.
int SetStdParameta();
int SetStdParameta2();

namespace tables {
void resetStdParaList();
}
