#pragma once

#include <QStringList>

// A box that tells the port's loss carries the system's reason, which depends on the moment the
// device went (a read or a control request failing on it). boxesShown gives the prompts with
// each such box (message 108 and one line naming the device) read as kLostPort, so that a test
// still compares the exact list of boxes.
extern const QString kLostPort;
QStringList boxesShown(const QStringList &prompts);
