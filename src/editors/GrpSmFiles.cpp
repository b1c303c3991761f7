#include "editors/GrpSmFiles.h"

#include "core/Messages.h"
#include "tables/ParaFile.h"
#include "link/LinkState.h"

#include <QFileInfo>

namespace editors {

bool readDataFileReported(const std::function<FileRead()> &read, int failureId)
{
    gRetryCount = 0;
    const FileRead result = readWithRetry([&] {
        const FileRead r = read();
        if (r == FileRead::IoFailed)
            ++gRetryCount;
        return r;
    });
    if (result == FileRead::Ok)
        return true;
    if (result != FileRead::Rejected)
        platform::msgBox(readFailureText(failureId));
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
    const bool written = writeWithRetry([&] {
        if (write(path) == 0)
            return true;
        ++gRetryCount;
        return false;
    });
    if (!written)
        platform::msgBox(writeFailureText(failureId));
}

} // namespace editors
