#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

namespace {
QString g_folder;
}

QString programFolder()
{
    if (!g_folder.isEmpty())
        return g_folder;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void setProgramFolder(const QString &folder)
{
    g_folder = folder;
}

QString programFile(const QString &name)
{
    return QDir(programFolder()).filePath(name);
}

} // namespace platform
