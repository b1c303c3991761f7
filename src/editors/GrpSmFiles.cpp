#include "editors/GrpSmFiles.h"

#include "core/Messages.h"
#include "tables/ParaFile.h"
#include "link/LinkState.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

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

namespace {

// "1-5, 9, 12-14" for the numbers of the records taken; message 3057 when none was.
QString numberRanges(const QList<bool> &taken)
{
    QStringList parts;
    for (int i = 0; i < taken.size(); ++i) {
        if (!taken.at(i))
            continue;
        int last = i;
        while (last + 1 < taken.size() && taken.at(last + 1))
            ++last;
        parts << (last == i ? QString::number(i + 1)
                            : QString::number(i + 1) + QLatin1Char('-') + QString::number(last + 1));
        i = last;
    }
    return parts.isEmpty() ? LoadResText(3057) : parts.join(QStringLiteral(", "));
}

} // namespace

void tellPartialFile(const QString &path, const tables::RecordCount &count, const QList<bool> &taken,
                     int cutId, int takenId, int keptId)
{
    if (!taken.contains(false))
        return;
    QStringList lines;
    if (count.held < count.named)
        lines << LoadResText(cutId).arg(QDir::toNativeSeparators(path), QString::number(count.named),
                                        QString::number(count.held), QString::number(count.lastLine));
    lines << LoadResText(takenId).arg(numberRanges(taken));
    if (keptId)
        lines << LoadResText(keptId);
    platform::msgBox(lines.join(QStringLiteral("\r\n")));
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
