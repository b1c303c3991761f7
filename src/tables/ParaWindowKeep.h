#pragma once

#include "tables/ActuatorSet.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>

namespace tables {

// What the parameter window showed as it was closed, field by field (the field's object name:
// its text, or the entry chosen in a choice list), kept for the whole run as the group and macro
// tables are, with the actuators it was made for: the next opening shows it again while those
// are the current actuators, so closing the window loses nothing typed, read, opened or set.
// Empty at start, when the window opens with its fields empty.
struct ParaWindowKeep
{
    QHash<QString, QVariant> fields;
    ActuatorSet madeFor;

    // The kept fields when they were made for the current actuators; otherwise they are
    // dropped and none are given: a set made for other actuators is never shown again.
    QHash<QString, QVariant> fieldsForCurrentActuators();
    void clear();
};

ParaWindowKeep &keptParaWindow();

// The one owner of what follows a change of the current actuators for the parameter window,
// told by the one way new actuators become current (`actuators::makeActuatorsCurrent`): a kept
// set made for others is dropped, and the open window is told (its hook) so that it drops what
// it shows when that was made for others. The same actuators made current again drop nothing.
void currentActuatorsChanged();
// The open parameter window's part: it compares what it shows with the current actuators.
void setParaWindowActuatorsHook(std::function<void()> hook);

} // namespace tables
