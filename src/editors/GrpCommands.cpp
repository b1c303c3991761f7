#include "editors/GrpCommands.h"

#include "core/BusyGuard.h"
#include "core/Messages.h"
#include "link/CtWriteMode.h"
#include "tables/FileRetry.h"
#include "editors/GrpSmFiles.h"
#include "editors/GrpSmPrint.h"
#include "tables/GrpTable.h"
#include "tables/ParaFile.h"
#include "link/CommandSet.h"
#include "link/GrpSmTransfer.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"
#include "platform/FieldText.h"
#include "platform/FieldValidator.h"

#include <QFileInfo>

namespace {

bool checkAll()
{
    gGrpNoFrom = 1;
    gGrpNoTo = kGrpCount;
    return GrpData_Check() == 0;
}

void shortInvalidMessage()
{
    platform::msgBox(ResLines({820, 821}));
}

platform::FileDialogRequest openRequest(int titleId, int filterId)
{
    platform::FileDialogRequest r;
    r.title = LoadResText(titleId);
    r.filter = LoadResText(filterId);
    r.defaultExt = QStringLiteral("grp");
    r.mustExist = true;
    return r;
}

// Reads the file (for the open, `opening`) into gGrpDataIn with the retries; false after telling why. A file that
// left groups out is told, so that no one sends or saves a mix of it and the window unseen.
bool readGrpReported(const QString &path, bool opening)
{
    tables::RecordCount count;
    if (!editors::readDataFileReported([&] { return tables::readGrpFile(path, &count); }, 484))
        return false;
    QList<bool> taken;
    for (int g = 1; g <= kGrpCount; ++g)
        taken << !gGrpDataInMissing[g];
    editors::tellPartialFile(path, count, taken, 3055, 3053, opening ? 3058 : 0);
    return true;
}

void showVerifyResult()
{
    GrpDataToText();
    if (gGrpVerifyNG)
        platform::msgBox(ResLines({823, 824}) + QStringLiteral("\r\n") + LoadResText(825) + gGrpVerifyList);
    else
        platform::msgBox(LoadResText(826));
}

} // namespace

namespace editors {

int grpBoxValue(const QString &text)
{
    return int(platform::fieldInteger(text, platform::FieldForm(), false).value_or(0));
}

bool grpBoxKeyAccepted(const QString &text, QChar key)
{
    if (text.size() >= kGrpBoxLength)
        return false;
    return key >= QLatin1Char('0') && key <= QLatin1Char('9');
}

QValidator *newGrpBoxValidator(QObject *parent)
{
    return new platform::FieldValidator(kGrpBoxLength, [](QChar c) { return grpBoxKeyAccepted(QString(), c); },
                                        parent);
}

} // namespace editors

int GrpData_Check()
{
    for (int g = qMax(1, gGrpNoFrom); g <= qMin(kGrpCount, gGrpNoTo); ++g) {
        const int start = gGrpData[g][0];
        const int end = gGrpData[g][1];
        if (start < 1 || start > 999 || end < 1 || end > 999 || start > end)
            return 1;
    }
    return 0;
}

void GrpReadFromCt()
{
    if (platform::msgBox(LoadResText(835), platform::MbOkCancel | platform::MbQuestion) != platform::IdOk)
        return;
    gTranceCancel = false;
    const int result = ReadGrpDataFromCt();
    if (result == 0)
        LetGrpDataInToGrpData();
    else if (result == 2)
        platform::msgBox(LoadResText(425));
}

void GrpWriteToCt()
{
    if (!checkAll()) {
        platform::msgBox(ResLines({820, 836, 837, 838}));
        return;
    }
    if (platform::msgBox(LoadResText(839), platform::MbYesNo | platform::MbQuestion) != platform::IdYes)
        return;
    if (!link::enterCtWriteMode())
        return;
    gTranceCancel = false;
    link::leaveCtWriteMode(WriteGrpDataToCt() == 0);
}

void GrpCtShogo()
{
    if (!checkAll()) {
        shortInvalidMessage();
        return;
    }
    gTranceCancel = false;
    const int result = ReadGrpDataFromCt();
    if (result == 2)
        platform::msgBox(LoadResText(425));
    if (result != 0)
        return;
    showVerifyResult();
}

void GrpFileOpen()
{
    const QString path = platform::getOpenFileName(openRequest(827, 828));
    if (path.isEmpty())
        return;
    if (readGrpReported(path, true))
        LetGrpDataInToGrpData();
}

void GrpFileSave()
{
    if (!checkAll()) {
        shortInvalidMessage();
        return;
    }
    platform::FileDialogRequest r;
    r.title = LoadResText(832);
    r.filter = LoadResText(831);
    r.defaultName = LoadResText(833);
    r.defaultExt = QStringLiteral("grp");
    r.overwritePrompt = true;
    editors::saveDataFile(r, &WriteGrpFile, 18);
}

void GrpFileShogo()
{
    if (!checkAll()) {
        shortInvalidMessage();
        return;
    }
    const QString path = platform::getOpenFileName(openRequest(834, 831));
    if (path.isEmpty())
        return;
    if (readGrpReported(path, false))
        showVerifyResult();
}

void GrpDispPrint()
{
    if (!checkAll()) {
        shortInvalidMessage();
        return;
    }
    LetGrpDataToGrpDataIn();
    gGrpPrintFromFile = false;
    PrintGrpData();
}

void GrpFilePrint()
{
    // The file is printed, not the table on screen, so the screen's faults do not stop it.
    if (platform::msgBox(LoadResText(829), platform::MbOkCancel | platform::MbQuestion) != platform::IdOk)
        return;
    const QString path = platform::getOpenFileName(openRequest(830, 831));
    if (path.isEmpty())
        return;
    if (!readGrpReported(path, false))
        return;
    gGrpPrintFromFile = true;
    PrintGrpData();
}
