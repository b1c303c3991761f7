#include "link/WindowPlacement.h"

#include <QWidget>

namespace link {

int twipsToPixels(const QWidget *window, int twips)
{
    const int dpi = window ? window->logicalDpiY() : 96;
    return (twips * dpi + 720) / 1440;
}

void placeBesideMainWindow(QWidget *window, const QWidget *mainWindow)
{
    if (!mainWindow)
        return;
    const int offset = twipsToPixels(window, 500);
    window->move(mainWindow->frameGeometry().topLeft() + QPoint(offset, offset));
}

} // namespace link
