#pragma once

class QWidget;

namespace platform {

// Places a window at the centre of the screen's available area (the primary screen's when
// the window has none yet), keeping its size.
void centreOnScreen(QWidget &window);

} // namespace platform
