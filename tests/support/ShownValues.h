#pragma once

#include <QStringList>

class QWidget;

// Every value the window shows, by field: a box's text, an editable list's text, a choice
// list's entry; sorted, so that two moments of one window compare whole.
QStringList shownValues(const QWidget *w);
