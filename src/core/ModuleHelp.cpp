#include "core/ModuleHelp.h"

#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/ProgramFolder.h"

#include <QFileInfo>

namespace {
const QString g_helpFileName; // the program ships no help file
QString g_helpFilePath;
} // namespace

QString helpFilePath()
{
    return g_helpFilePath;
}

void SetHelpFile()
{
    const QString folder = platform::programFolder();
    if (folder.endsWith(QLatin1Char('/')))
        g_helpFilePath = folder + g_helpFileName;
    else
        g_helpFilePath = folder + QLatin1Char('/') + g_helpFileName;
}

void ShowHelp(QWidget *owner, const QString &message)
{
    Q_UNUSED(owner);
    const QString path = g_helpFilePath;
    if (path.isEmpty() || !QFileInfo(path).isFile() || !platform::openHelpFile(path))
        platform::msgBox(message, platform::MbOkOnly | platform::MbInformation);
}
