#pragma once

namespace platform {

// Qt's own texts (message-box buttons, file, print and page set-up dialogs) in the program's
// language, whatever the desktop's locale: Japanese installs Qt's Japanese translation,
// English removes it. False when Japanese was asked for and this machine lacks the
// translation (Qt's texts then stay English).
bool useQtTranslation(bool japanese);

} // namespace platform
