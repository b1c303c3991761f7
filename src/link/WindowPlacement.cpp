#include "link/WindowPlacement.h"

#include "platform/Screen.h"

namespace link {

int twipsToPixels(const QWidget *window, int twips)
{
    return platform::twipsToPixels(window, twips);
}

} // namespace link
