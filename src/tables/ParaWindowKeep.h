#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace tables {

// What the parameter window showed as it was closed, field by field (the field's object name:
// its text, or the entry chosen in a choice list), kept for the whole run as the group and macro
// tables are: the next opening shows it again, so closing the window loses nothing typed, read,
// opened or set. Empty at start, when the window opens with its fields empty.
QHash<QString, QVariant> &keptParaWindow();

} // namespace tables
