#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace platform {

// Places a window at the centre of the screen's available area (the primary screen's when
// the window has none yet), keeping its size.
void centreOnScreen(QWidget &window);

// Twips (1/1440 inch) in pixels of the window's screen.
int twipsToPixels(const QWidget *window, int twips);

// Where a window's frame goes: the owner's frame corner moved by the offset, then moved back
// as little as needed to keep the frame inside the available area (its top-left corner, with
// the title bar and close box, first when the frame is the larger).
QPoint placedBeside(const QRect &ownerFrame, const QSize &frame, const QRect &available, QPoint offset);

// The area a window may take: the available area of its screen as the window manager reports
// it (panels and docks left out).
QRect availableArea(const QWidget *window);

// What the window manager adds around a window's content (title bar, borders): as it reports
// it for the window once it has framed and shown it; until then (before the window is shown,
// and as it is first shown) as it drew the owner, drawn by the same desktop.
QMargins frameMargins(const QWidget *window, const QWidget *owner = nullptr);

// The window's size with its content made smaller, as far as its minimum size allows, so that
// its frame fits the available area; a window whose content cannot shrink scrolls it instead.
QSize fittedSize(const QSize &size, const QSize &minimum, const QMargins &frame, const QRect &available);

// Test seam: the desktop as a window manager would report it, since the offscreen platform
// reserves no strip and draws no frames. An empty area gives the screen's back.
void setDesktopForTest(const QRect &available, const QMargins &frame);

// Places a window beside its owner (the main window, or the window that opens it): the
// owner's frame corner and 500 twips right and down unless told otherwise, kept inside the
// available area of the owner's screen. A window not shown yet is moved at once and, as it is
// first shown, made to fit the available area with its frame and kept inside it, with the size
// it is shown at.
void placeBesideOwner(QWidget *window, const QWidget *owner, int rightTwips = 500, int downTwips = 500);
// The placement itself, offset in pixels; placeBesideOwner() and the first showing use it.
void placeOnce(QWidget *window, const QWidget *owner, QPoint offset);
// Whether the window manager has framed and shown the window, so that its word on the frame
// is known (a window without a frame, and the test desktop, need no word).
bool frameReported(const QWidget *window);
// A window's frame as the placement takes it: a shown window's client area with the margins
// the window manager reported (none before); on the test desktop its position and size with
// the test's frame.
QRect frameRect(const QWidget *window);

// Keeps a window the window manager places (the main window) on the desktop: once the window
// manager has framed it at its first showing, it is made small enough for its frame to fit
// the available area, as far as its minimum size allows, and its frame is moved inside that
// area as little as needed. A maximized window is left to the window manager, and the
// offscreen platform, which is no desktop, keeps nothing unless a test gives it one
// (setDesktopForTest).
void keepOnDesktop(QWidget *window);
// The keeping itself, for a shown window; the first showing uses it.
void keepInside(QWidget *window);

} // namespace platform
