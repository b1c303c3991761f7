#pragma once

#include "tables/DevSetting.h"

#include <QString>
#include <QVector>
#include <optional>

// The actuator catalogue "nqzdevice.lst" of the program folder: a row count, then per actuator
// its code (size, speed letter, a character not read, stroke), lead, pulses per revolution and
// the PG and vertical option codes (0 not available, 1 selectable, 2 always present).

constexpr int kDevListRows = 100; // row 0 holds the count item as read, rows 1 to 99 actuators
constexpr int kDevListChoices = 6; // sizes per axis, speed letters per size

struct DevListRow
{
    QString code;       // as read
    QString size;       // characters 1 to 3 of the code
    QString speed;      // character 4
    double stroke = 0;  // the number at characters 6 to 8
    QString lead;       // items as read; the look-ups convert them
    QString ppr;
    QString pgOption;
    QString vertOption;
};

// Per axis a (0 to 3). The size and speed lists hold a count of entries (0 for none).
extern DevListRow gDevList[kAxisCount][kDevListRows];
extern int gDevListCount[kAxisCount];
extern QString gDevSizeList[kAxisCount][kDevListChoices];
extern int gDevSizeCount[kAxisCount];
extern QString gDevSpeedList[kAxisCount][kDevListChoices];
extern int gDevSpeedCount[kAxisCount];
extern bool gDevListReadFailed[kAxisCount]; // the last table read of the axis failed
extern int gCatLead;      // lead of the actuator last found by DevListLookup2
extern qint32 gCatPPR;    // its pulses per revolution

// Table readers: 0 read, 1 failed (told as tellDevListFailure(true) tells it; the failing axis is
// flagged and every table keeps what it held). The program only reads the file: its last line
// may lack its line end, but every row must stand on a line of its own and the count must be
// the number of rows.
int ReadDevList();
void SearchDevList(); // also fills each axis' speed list from every row
int ReadDevList2(int axis);
// The speed letters of one size, in order of first appearance, at most six.
void SetDevListData(int axis, const QString &size);

// Look-ups of the first row of a size, speed letter and stroke, reading the file afresh.
int DevListLookup2(const QString &size, const QString &speed, int stroke); // 0 found
int DevListLookup3(const QString &size, const QString &speed, int stroke); // 0 found
int DevListLookup4(const QString &size, const QString &speed, int stroke); // PG option, 99 none
int DevListLookup5(const QString &size, const QString &speed, int stroke); // vertical option

namespace actuators {

QString devListPath();
void resetDevCatalogue();

// Whether the catalogue reads whole; no message. After false, tellDevListFailure says why.
bool devListReadable();
// A catalogue's failure as its readers tell it: one that is not there as missing (15, with 16
// when withHint), one that is there as damaged or unreadable, named with its line.
void tellDevListFailure(bool withHint);

// The option codes without any message: 99 when the file cannot be read or has no such row.
int devPgOptionQuiet(const QString &size, const QString &speed, int stroke);
int devVerticalOptionQuiet(const QString &size, const QString &speed, int stroke);

} // namespace actuators
