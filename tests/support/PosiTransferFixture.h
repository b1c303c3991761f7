#pragma once

#include "positions/PosiRecord.h"
#include "support/FakeMainForm.h"
#include "support/ModalDriver.h"
#include "support/SimFixture.h"

#include <QStringList>
#include <functional>

// What the position transfer tests share: a controller whose axes and actuators the system
// agrees with, a table shown in the fake main window, and answers for the range windows.
namespace posifixture {

// Axes of `mask` in use on both sides, each with the simulator's actuator (lead 2 mm, 400
// pulses per revolution, stroke 100 mm) and the limit `limit` in pulses.
void matchController(SimFixture &sim, int mask, qint32 limit = 20000);

// A New table shown for positions from..to (pulses unless gDispMmUnit), then `edit` applied to
// the tables before the grid is filled.
void showTable(FakeMainForm &form, int from, int to, const std::function<void()> &edit = {});

// A record with every axis VEL `vel`, ACC 2, WAY 1 and Posi `posi` + axis, ITPL 1, OUT 2, S/M n.
positions::PosiRecord recordFor(int n, int vel, qint64 posi);
// The record's 40 field digits as the simulator stores them.
QByteArray digits(const positions::PosiRecord &record);
// The record into the table for position n.
void putIntoTable(int n, const positions::PosiRecord &record);

// The range window's answer: a first and last number (0, 0: Cancel; -1: all positions).
ModalDriver::Action range(int from, int to);
// The choice window's answer: the option index, or -1 for Cancel.
ModalDriver::Action choose(int option);

// The lines received whose command is `command`.
QStringList linesOf(const QStringList &received, const QString &command);

} // namespace posifixture
