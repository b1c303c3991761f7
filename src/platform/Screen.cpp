#include "platform/Screen.h"

#include "platform/FirstShowPlacer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

void centreOnScreen(QWidget &window)
{
    const QRect available = availableArea(&window);
    if (available.isEmpty())
        return;
    window.adjustSize();
    QRect frame(window.pos(), window.size().grownBy(frameMargins(&window)));
    frame.moveCenter(available.center());
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

QRect g_testArea;
QMargins g_testFrame;

bool testDesktop()
{
    return !g_testArea.isEmpty();
}

// What the window manager has said it draws around a shown window; nothing before.
QMargins reportedMargins(const QWidget *window)
{
    if (!window || !window->isVisible())
        return {};
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// A window's frame as the placement takes it: its position is its frame's corner.
QRect frameOf(const QWidget *window)
{
    if (testDesktop())
        return {window->pos(), window->size().grownBy(g_testFrame)};
    return window->frameGeometry();
}

} // namespace

QRect availableArea(const QWidget *window)
{
    if (testDesktop())
        return g_testArea;
    QScreen *screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QMargins frameMargins(const QWidget *window, const QWidget *owner)
{
    // A splash or a window without a frame gets none from the window manager.
    if (window && (window->windowFlags() & Qt::FramelessWindowHint || window->windowType() == Qt::SplashScreen))
        return {};
    if (testDesktop())
        return g_testFrame;
    const QMargins own = reportedMargins(window);
    return own.isNull() ? reportedMargins(owner) : own;
}

QSize fittedSize(const QSize &size, const QSize &minimum, const QMargins &frame, const QRect &available)
{
    if (available.isEmpty())
        return size;
    const int width = qMin(size.width(), available.width() - frame.left() - frame.right());
    const int height = qMin(size.height(), available.height() - frame.top() - frame.bottom());
    return QSize(width, height).expandedTo(minimum);
}

void setDesktopForTest(const QRect &available, const QMargins &frame)
{
    g_testArea = available;
    g_testFrame = frame;
}

void placeOnce(QWidget *window, const QWidget *owner, QPoint offset)
{
    const QRect available = availableArea(owner);
    const QMargins frame = frameMargins(window, owner);
    const QSize minimum = window->minimumSize().expandedTo(window->minimumSizeHint());
    const QSize size = fittedSize(window->size(), minimum, frame, available);
    if (size != window->size())
        window->resize(size);
    window->move(placedBeside(frameOf(owner), size.grownBy(frame), available, offset));
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
    window->move(frameOf(owner).topLeft() + offset);
    new FirstShowPlacer(window, owner, offset);
}

} // namespace platform
