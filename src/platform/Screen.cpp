#include "platform/Screen.h"

#include "platform/FirstShowPlacer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

void centreOnScreen(QWidget &window)
{
    QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.adjustSize();
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

QPoint placedBeside(const QRect &ownerFrame, const QSize &frame, const QRect &available, QPoint offset)
{
    QPoint at = ownerFrame.topLeft() + offset;
    if (available.isEmpty())
        return at;
    at.setX(qMax(qMin(at.x(), available.x() + available.width() - frame.width()), available.x()));
    at.setY(qMax(qMin(at.y(), available.y() + available.height() - frame.height()), available.y()));
    return at;
}

int twipsToPixels(const QWidget *window, int twips)
{
    const int dpi = window ? window->logicalDpiY() : 96;
    return (twips * dpi + 720) / 1440;
}

namespace {

// The window's frame size; before a window is first shown its frame is not known yet, and the
// owner's frame, drawn by the same desktop, tells how much it adds.
QSize frameSize(const QWidget *window, const QWidget *owner)
{
    if (window->isVisible())
        return window->frameGeometry().size();
    return window->size() + (owner->frameGeometry().size() - owner->geometry().size());
}

} // namespace

void placeOnce(QWidget *window, const QWidget *owner, QPoint offset)
{
    QScreen *screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    window->move(placedBeside(owner->frameGeometry(), frameSize(window, owner), available, offset));
}

void placeBesideOwner(QWidget *window, const QWidget *owner, int rightTwips, int downTwips)
{
    if (!window || !owner)
        return;
    const QPoint offset(twipsToPixels(window, rightTwips), twipsToPixels(window, downTwips));
    if (window->isVisible()) {
        placeOnce(window, owner, offset);
        return;
    }
    // Until it is shown a window's size is not settled: the screen's edge is kept then.
    window->move(owner->frameGeometry().topLeft() + offset);
    new FirstShowPlacer(window, owner, offset);
}

} // namespace platform
