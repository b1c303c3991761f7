#include "support/MouseWheel.h"

#include <QCoreApplication>
#include <QPointF>
#include <QWidget>
#include <QWindow>
// Qt's entry for the window system's input, through which the platform plugin hands over a
// turn of the wheel. A wheel event sent to a widget directly would skip what is tested: the
// widget under the pointer, the focus the wheel gives and the wheel offered on up the parents.
#include <qpa/qwindowsysteminterface.h>

void turnWheel(QWidget *over, int notches, QPoint at)
{
    if (at == QPoint(-1, -1))
        at = over->rect().center();
    QWidget *top = over->window();
    QWindow *window = top->windowHandle();
    if (!window)
        return;
    // One step of an ordinary wheel is 120 eighths of a degree.
    QWindowSystemInterface::handleWheelEvent(window, QPointF(over->mapTo(top, at)), QPointF(over->mapToGlobal(at)),
                                             QPoint(), QPoint(0, 120 * notches), Qt::NoModifier,
                                             Qt::NoScrollPhase, Qt::MouseEventNotSynthesized);
    QCoreApplication::processEvents();
}
