#pragma once

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

// Places a window beside its owner (the main window, or the window that opens it): the
// owner's frame corner and 500 twips right and down unless told otherwise, kept inside the
// available area of the owner's screen. A window not shown yet is moved at once and kept inside
// the screen as it is first shown, with the size it is shown at.
void placeBesideOwner(QWidget *window, const QWidget *owner, int rightTwips = 500, int downTwips = 500);
// The placement itself, offset in pixels; placeBesideOwner() and the first showing use it.
void placeOnce(QWidget *window, const QWidget *owner, QPoint offset);

} // namespace platform
