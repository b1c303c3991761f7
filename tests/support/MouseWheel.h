#pragma once

#include <QPoint>

class QWidget;

// Turns the mouse wheel over the widget as the desktop delivers it: the window system's wheel
// event on the widget's window at that point (the widget's centre unless told), then the
// events it sets going. Qt then finds the widget under the pointer, gives the focus as the
// controls' policies say and offers the wheel to the widget and up its parents, as on X11.
// Positive notches turn the wheel away from the operator (up), negative ones down.
void turnWheel(QWidget *over, int notches, QPoint at = QPoint(-1, -1));
