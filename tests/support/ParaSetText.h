#pragma once

#include <QStringList>

// The whole parameter set as text, each item through its variable's own name, to compare whole
// sets (and to show a table row that points at the wrong variable).
QStringList paraSetText();
