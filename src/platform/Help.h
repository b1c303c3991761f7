#pragma once

#include <QString>

namespace platform {

// Opens a help file with the desktop's viewer; false when there is none to open.
bool openHelpFile(const QString &path);

} // namespace platform
