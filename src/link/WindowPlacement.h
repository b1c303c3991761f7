#pragma once

class QWidget;

namespace link {

// Twips (1/1440 inch) in pixels of the window's screen.
int twipsToPixels(const QWidget *window, int twips);

} // namespace link
