#include "platform/Help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

bool openHelpFile(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace platform
