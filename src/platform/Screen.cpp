#include "platform/Screen.h"

#include "platform/FirstShowPlacer.h"
#include "platform/ScrollPane.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

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

bool frameless(const QWidget *window)
{
    return window && (window->windowFlags() & Qt::FramelessWindowHint || window->windowType() == Qt::SplashScreen);
}

// What the window manager has said it draws around a window; nothing before it has framed
// and shown it. Until then the native window's answer is no word of the window manager's
// (X answers with the bare window, or with sizes not yet applied). Asked of the native window,
// which reads it afresh once the window manager has moved it; the widget keeps what it was
// told at its last move.
QMargins reportedMargins(const QWidget *window)
{
    if (!window || !frameReported(window) || frameless(window))
        return {};
    if (const QWindow *handle = window->windowHandle())
        return handle->frameMargins();
    return {};
}

// Puts the window's frame corner at `corner` and makes the window `size`. The frame's corner is
// given (Qt's frame position, which X hints as NorthWest gravity), so the window manager puts
// its own frame there, whatever it draws: a client position worked out from margins assumed
// before the window manager has framed the window would be off by any difference, and Qt takes
// a position given to a created window as the client's until it knows the frame.
void putFrameAt(QWidget *window, QPoint corner, QSize size)
{
    if (size != window->size())
        window->resize(size);
    QWindow *handle = window->windowHandle();
    if (testDesktop() || !handle) {
        window->move(corner);
        return;
    }
    // As the window is first shown the native window has not yet taken the widget's place and
    // size; both are told, or showing it would give the native window the widget's as the
    // client's (the frame position is the last word).
    if (!frameReported(window)) {
        window->move(corner);
        handle->resize(size);
    }
    handle->setFramePosition(corner);
}

// The least the window can be made. What a scrolled pane asks for depends on the frame and
// the area, which may have changed since its layout last asked: it is asked again.
QSize minimumFor(QWidget *window)
{
    const QList<ScrollPane *> panes = window->findChildren<ScrollPane *>();
    for (ScrollPane *pane : panes)
        pane->updateGeometry();
    if (QLayout *layout = window->layout(); layout && !panes.isEmpty())
        layout->activate();
    return window->minimumSize().expandedTo(window->minimumSizeHint());
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
    if (frameless(window))
        return {};
    if (testDesktop())
        return g_testFrame;
    return frameReported(window) ? reportedMargins(window) : reportedMargins(owner);
}

QRect frameRect(const QWidget *window)
{
    if (testDesktop())
        return {window->pos(), window->size().grownBy(g_testFrame)};
    if (!window->isVisible())
        return window->frameGeometry();
    return window->geometry().marginsAdded(reportedMargins(window));
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

bool frameReported(const QWidget *window)
{
    if (!window)
        return false;
    if (testDesktop() || frameless(window))
        return true;
    // A window manager that frames a window does it before it shows it.
    const QWindow *handle = window->windowHandle();
    return window->isVisible() && handle && handle->isExposed();
}

void placeOnce(QWidget *window, const QWidget *owner, QPoint offset)
{
    const QRect available = availableArea(owner);
    const QMargins frame = frameMargins(window, owner);
    const QSize minimum = minimumFor(window);
    const QSize size = fittedSize(window->size(), minimum, frame, available);
    putFrameAt(window, placedBeside(frameRect(owner), size.grownBy(frame), available, offset), size);
}

void keepInside(QWidget *window)
{
    if (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    const QRect available = availableArea(window);
    const QMargins frame = frameMargins(window);
    const QSize minimum = minimumFor(window);
    const QSize size = fittedSize(window->size(), minimum, frame, available);
    const QRect outer(frameRect(window).topLeft(), size.grownBy(frame));
    putFrameAt(window, placedBeside(outer, outer.size(), available, QPoint()), size);
}

void keepOnDesktop(QWidget *window)
{
    // The offscreen platform is no desktop: nothing reserves a strip there and its screen is
    // not the one the program runs on (tests give one with setDesktopForTest).
    if (!window || (!testDesktop() && QGuiApplication::platformName() == QLatin1String("offscreen")))
        return;
    new FirstShowPlacer(window, nullptr, QPoint());
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
    window->move(frameRect(owner).topLeft() + offset);
    new FirstShowPlacer(window, owner, offset);
}

} // namespace platform
