#include "editors/GrpSmFiles.h"

#include "core/Messages.h"
#include "tables/ParaFile.h"
#include "link/LinkState.h"

#include <QFileInfo>

namespace editors {

bool readDataFileReported(const std::function<tables::FileRead()> &read, int failureId)
{
    gRetryCount = 0;
    const tables::FileRead result = tables::readWithRetry([&] {
        const tables::FileRead r = read();
        if (r == tables::FileRead::IoFailed)
            ++gRetryCount;
        return r;
    });
    if (result == tables::FileRead::Ok)
        return true;
    if (result != tables::FileRead::Rejected)
        platform::msgBox(tables::readFailureText(failureId));
    return false;
}

void saveDataFile(const platform::FileDialogRequest &request,
                  const std::function<int(const QString &path)> &write, int failureId)
{
    const QString path = platform::getSaveFileName(request);
    if (path.isEmpty())
        return;
    gParaFileName = QFileInfo(path).fileName();
    gRetryCount = 0;
    const bool written = tables::writeWithRetry([&] {
        if (write(path) == 0)
            return true;
        ++gRetryCount;
        return false;
    });
    if (!written)
        platform::msgBox(tables::writeFailureText(failureId));
}

} // namespace editors
