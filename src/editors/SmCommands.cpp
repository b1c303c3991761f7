#include "editors/SmCommands.h"
#include "link/OnlineMode.h"

#include "core/Messages.h"
#include "link/CtWriteMode.h"
#include "tables/FileRetry.h"
#include "editors/GrpSmFiles.h"
#include "editors/GrpSmPrint.h"
#include "tables/ParaFile.h"
#include "tables/SmTable.h"
#include "link/CommandSet.h"
#include "link/GrpSmTransfer.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"
#include "platform/FieldText.h"
#include "platform/FieldValidator.h"

#include <QFileInfo>

QString SmCheckNGList;

namespace {

bool checkAll()
{
    if (SmData_Check() == 0)
        return true;
    platform::msgBox(LoadResText(921) + QStringLiteral("\r\n\r\n") + LoadResText(922)
                     + QStringLiteral("\r\n\r\n") + LoadResText(938) + QStringLiteral("\r\n\r\n")
                     + SmCheckNGList);
    return false;
}

platform::FileDialogRequest openRequest(int titleId)
{
    platform::FileDialogRequest r;
    r.title = LoadResText(titleId);
    r.filter = LoadResText(930);
    r.defaultExt = LoadResText(929);
    r.mustExist = true;
    return r;
}

// Reads the file (for the open, `opening`) into gSmDataIn with the retries; false after telling why. A file that left
// macros out is told, so that no one sends or saves a mix of it and the window unseen.
bool readSmReported(const QString &path, bool opening)
{
    tables::RecordCount count;
    if (!editors::readDataFileReported([&] { return tables::readSqMcrFile(path, &count); }, 931))
        return false;
    QList<bool> taken;
    for (int m = 0; m < kSmMacros; ++m)
        taken << !gSmDataInMissing[m];
    editors::tellPartialFile(path, count, taken, 3056, 3054, opening ? 3059 : 0);
    return true;
}

void showVerifyResult()
{
    if (SqMcrDataToText() == 1)
        platform::msgBox(ResLines({923, 924}) + QStringLiteral("\r\n") + LoadResText(925) + gSmVerifyList);
    else
        platform::msgBox(LoadResText(926));
}

} // namespace

namespace editors {

bool smDataFits(int command, int data)
{
    if (command >= 1 && command <= 4)
        return data >= 1 && data <= 4;
    if (command == 0 || command == 5 || command == 6)
        return data >= 1 && data <= 9;
    return false;
}

int smBoxValue(const QString &text)
{
    return int(platform::fieldInteger(text, platform::FieldForm(), false).value_or(0));
}

bool smDataKeyAccepted(int commandIndex, QChar key)
{
    if (commandIndex >= 1 && commandIndex <= 4)
        return key >= QLatin1Char('1') && key <= QLatin1Char('4');
    if (commandIndex == 5 || commandIndex == 6)
        return key >= QLatin1Char('1') && key <= QLatin1Char('9');
    return false;
}

QValidator *newSmDataValidator(std::function<int()> commandIndex, QObject *parent)
{
    const auto keyPasses = [commandIndex = std::move(commandIndex)](QChar c) {
        return smDataKeyAccepted(commandIndex(), c);
    };
    return new platform::FieldValidator(kSmDataLength, keyPasses, parent);
}

} // namespace editors

int SmData_Check()
{
    SmCheckNGList.clear();
    int result = 0;
    for (int m = 0; m < kSmMacros; ++m) {
        bool bad = false;
        for (int s = 0; s < kSmSteps; ++s) {
            int &command = gSmData[s][2 * m];
            int &data = gSmData[s][2 * m + 1];
            if (command == 0 || command == 15) {
                command = 0;
                data = 0;
            } else if (command < 0 || command > 6 || !editors::smDataFits(command, data)) {
                bad = true;
            }
        }
        if (bad) {
            result = 1;
            SmCheckNGList += QStringLiteral("<%1>,").arg(m + 1);
        }
    }
    return result;
}

void SmReadFromCt()
{
    if (platform::msgBox(LoadResText(920), platform::MbOkCancel | platform::MbQuestion) != platform::IdOk)
        return;
    gTranceCancel = false;
    leaveOfflineForExchange();
    if (ReadSqMcrFromCt() != 1)
        SqMcrDataRestore();
}

void SmWriteToCt()
{
    if (!checkAll())
        return;
    if (platform::msgBox(LoadResText(937), platform::MbYesNo | platform::MbQuestion) != platform::IdYes)
        return;
    if (!link::enterCtWriteMode())
        return;
    gTranceCancel = false;
    link::leaveCtWriteMode(WriteSqMcrToCt() == 0);
}

void SmCtShogo()
{
    if (!checkAll())
        return;
    leaveOfflineForExchange();
    gTranceCancel = false;
    if (ReadSqMcrFromCt() == 1)
        return;
    showVerifyResult();
}

void SmFileOpen()
{
    const QString path = platform::getOpenFileName(openRequest(928));
    if (path.isEmpty())
        return;
    if (readSmReported(path, true))
        SqMcrDataRestore();
}

void SmFileSave()
{
    if (!checkAll())
        return;
    platform::FileDialogRequest r;
    r.title = LoadResText(933);
    r.filter = LoadResText(930);
    r.defaultName = LoadResText(934);
    r.defaultExt = LoadResText(929);
    r.overwritePrompt = true;
    editors::saveDataFile(r, &WriteSqMcrFile, 935);
}

void SmFileShogo()
{
    if (!checkAll())
        return;
    const QString path = platform::getOpenFileName(openRequest(936));
    if (path.isEmpty())
        return;
    if (readSmReported(path, false))
        showVerifyResult();
}

void SmDispPrint()
{
    if (!checkAll())
        return;
    if (platform::msgBox(LoadResText(927), platform::MbOkCancel | platform::MbQuestion) != platform::IdOk)
        return;
    gSmNoFrom = 1;
    gSmNoTo = kSmMacros;
    SqMcrDataPack();
    PrintSqMcrData();
}

void SmFilePrint()
{
    const QString path = platform::getOpenFileName(openRequest(932));
    if (path.isEmpty())
        return;
    gSmNoFrom = 1;
    gSmNoTo = kSmMacros;
    if (!readSmReported(path, false))
        return;
    gSmPrintTitle = QFileInfo(path).fileName();
    PrintSqMcrData();
}
