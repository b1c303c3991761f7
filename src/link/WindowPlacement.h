#pragma once

class QWidget;

namespace link {

// Twips (1/1440 inch) in pixels of the window's screen.
int twipsToPixels(const QWidget *window, int twips);
// Puts a small window 500 twips right of and below the main window's top-left corner.
void placeBesideMainWindow(QWidget *window, const QWidget *mainWindow);

} // namespace link
