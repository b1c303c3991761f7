#include "positions/PosiFileCommands.h"

#include "core/BusyGuard.h"
#include "core/Messages.h"
#include "platform/Dialogs.h"
#include "platform/TextCodec.h"
#include "tables/DevSetting.h"
#include "tables/FileRetry.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"

#include <QDebug>
#include <QDir>
#include <optional>

// The position file read in: the open and the verification against a file read it through one
// road and take its image into the working table alike.

namespace positions {

void takePosiFileImage(const PosiFileImage &image)
{
    const int from = image.noFrom();
    const int to = image.noTo();
    for (int n = from; n >= 1 && n <= to && n <= kPosiMax; ++n) {
        for (int c = 0; c < kPosiCols; ++c) {
            QVariant v = 0;
            if (c == kColComment)
                v = QString();
            else if (c < 16 && c % 4 == 0)
                v = 30;
            else if (c < 16 && c % 4 == 1)
                v = tables::defaultAcc(gDevSize[c / 4], gDevSpeed[c / 4]);
            gPosiWork[n][c + 1] = v;
        }
    }
    for (const PosiFileLine &line : image.lines) {
        if (line.no < 1 || line.no > kPosiMax)
            continue;
        for (int c = 0; c < kPosiFileItems; ++c)
            gPosiWork[line.no][c + 1] = line.items[c];
    }
    for (int a = 0; a < 4; ++a) {
        gPosiFileDev[a] = image.dev[a];
        gPosiFileNewOld[a] = image.newOld[a];
    }
    gPosiFileNoFrom = from;
    gPosiFileNoTo = to;
}

int readPosiFileReported(const QString &path, PosiFileImage &image)
{
    PosiFileReadResult last;
    std::optional<BusyGuard> busy(std::in_place);
    const tables::FileRead outcome = tables::readWithRetry([&] {
        last = readPosiFile(path, image);
        switch (last.status) {
        case PosiFileStatus::Read:
            return tables::FileRead::Ok;
        case PosiFileStatus::Rejected:
            return tables::FileRead::Rejected;
        case PosiFileStatus::Damaged:
            return tables::FileRead::Damaged;
        case PosiFileStatus::Failed:
            break;
        }
        return tables::FileRead::IoFailed;
    });
    busy.reset();
    switch (outcome) {
    case tables::FileRead::Ok:
        return 0;
    case tables::FileRead::Rejected:
        ResMsgBox({21, 20});
        return 2;
    case tables::FileRead::Damaged:
    case tables::FileRead::IoFailed:
        break;
    }
    qWarning().noquote() << "position file" << path << "not read:" << last.detail;
    if (outcome == tables::FileRead::Damaged && last.line > 0)
        platform::noteDamagedLine(last.line, last.cutShort);
    // A broken line is named, so that the operator can find it, with its position where it has
    // one; a file that ends inside its last line may only have been cut short there.
    if (outcome == tables::FileRead::Damaged && last.position > 0 && !last.cutShort)
        platform::msgBox(LoadResText(484) + QStringLiteral("\r\n")
                         + LoadResText(3011).arg(QString::number(last.line),
                                                 QDir::toNativeSeparators(path),
                                                 QString::number(last.position)));
    else
        platform::msgBox(tables::readFailureText(484));
    return 1;
}

} // namespace positions
