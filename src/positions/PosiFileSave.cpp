#include "positions/PosiFileCommands.h"

#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/OnlineMode.h"
#include "tables/FileRetry.h"
#include "platform/Dialogs.h"
#include "platform/ItemWriter.h"
#include "tables/PosiDataCheck.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "positions/frmSelectPosiNo3.h"

#include <QDebug>
#include <QFileInfo>

bool SaveCancelFlag = false;
QString gPosiFilePath;

namespace {

const QString kDefaultExt = QStringLiteral("qzd");

// The save dialog of both commands; an empty path when the operator cancelled it.
QString askSavePath(int titleId)
{
    platform::FileDialogRequest request;
    request.title = LoadResText(titleId);
    request.filter = LoadResText(351);
    request.defaultName = LoadResText(407);
    request.defaultExt = kDefaultExt;
    request.overwritePrompt = true;
    const QString path = platform::getSaveFileName(request);
    if (path.isEmpty())
        SaveCancelFlag = true;
    return path;
}

// Six attempts 100 ms apart; then the operator is told.
int writeWithRetries(const QString &path)
{
    bool written = false;
    {
        BusyGuard busy;
        written = tables::writeWithRetry([&path] { return SaveFileAs2(path) == 0; });
    }
    if (written)
        return kPosiSaved;
    platform::msgBox(tables::writeFailureText(422));
    return kPosiSaveFailed;
}

QWidget *mainWindow()
{
    return core::mainform::window();
}

} // namespace

namespace positions {

QString posiFileDisplayName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return name.left(qMax(0, int(name.size()) - 4));
}

void adoptTableFile(const QString &path)
{
    gPosiFilePath = QFileInfo(path).absoluteFilePath();
    gPosiFileName = posiFileDisplayName(path);
    if (MainFormPort *form = core::mainform::form())
        form->showFileName(gPosiFileName);
    gDataChanged = false;
}

bool posiFileImageFromTable(PosiFileImage &image)
{
    if (gPosiNoFrom < 1 || gPosiNoTo > kPosiMax || gPosiNoFrom > gPosiNoTo)
        return false;
    PosiFileImage img;
    for (int a = 0; a < kAxisCount; ++a) {
        // An axis not in use is recorded as the empty designation, which the reader takes as
        // unused; the asterisks of the grid heading would not open again.
        img.dev[a] = gAxisUnused[a] ? QString() : gDevTypeLabel[a];
        img.newOld[a] = posiFileTypeItem(img.dev[a], gAxisUnused[a], gAxisNewType[a]);
    }
    for (int n = gPosiNoFrom; n <= gPosiNoTo; ++n) {
        PosiFileLine line;
        line.no = n;
        for (int c = 0; c < kPosiFileItems; ++c)
            line.items[c] = tables::isPosiColumn(c) ? QVariant(gPosiTable[n][c / 4]) : gPosiFileTable[n][c];
        line.items[kColComment] = gPosiFileTable[n][kColComment].toString();
        img.lines.append(line);
    }
    image = img;
    return true;
}

void resetPosiFileState()
{
    SaveCancelFlag = false;
    gPosiFilePath.clear();
}

void registerPosiFileCommands()
{
    core::mainform::setCommand(QStringLiteral("SavePosiFileCheck"), &SavePosiFileCheck);
    core::mainform::setCommand(QStringLiteral("mnuFileSave_Click"), &mnuFileSave_Click);
    core::mainform::setCommand(QStringLiteral("mnuFileSaveAs_Click"), &mnuFileSaveAs_Click);
    core::mainform::setCommand(QStringLiteral("OpenPosiFile"), &OpenPosiFile);
}

} // namespace positions

int SaveFileAs2(const QString &path)
{
    PosiFileImage image;
    QString error;
    if (!positions::posiFileImageFromTable(image)) {
        error = QStringLiteral("no positions in the working range");
    } else if (positions::writePosiFile(path, image, &error)) {
        positions::adoptTableFile(path);
        return 0;
    }
    qWarning().noquote() << "position file" << path << "not written:" << error;
    // The writer notes its own failures, with their kind; the others are noted here.
    if (error != platform::lastWriteFailure())
        platform::noteWriteFailure(error);
    return 1;
}

int SavePosiFile()
{
    lockGrid(GridCursor::ToTop);
    if (Check_flgdLineNo() == 1) {
        ResMsgBox({422});
        return kPosiSaveFailed;
    }
    // Save writes what the grid shows, whatever range the last operation worked on.
    gPosiNoFrom = gPosiNoDefFrom;
    gPosiNoTo = gPosiNoDefTo;
    const int check = PosiDataCheck3();
    if (check == 2) {
        ResMsgBox({422});
        return kPosiSaveFailed;
    }
    if (check != 0)
        return kPosiSaveStopped;
    // The path belongs to the table only while the table still carries its name: a table that
    // got another origin since (New, the controller) has no file yet.
    QString path = gPosiFilePath;
    if (positions::posiFileDisplayName(path) != gPosiFileName)
        path.clear();
    if (path.isEmpty()) {
        path = askSavePath(423);
        if (path.isEmpty())
            return kPosiSaveStopped;
    }
    return writeWithRetries(path);
}

int SavePosiFileCheck()
{
    BusyGuard busy;
    AllCMD_Muko();
    const int result = SavePosiFile();
    AllCMD_Yuko();
    GridCursorTop();
    unlockGrid();
    return result;
}

int mnuFileSave_Click()
{
    return SavePosiFileCheck();
}

int SavePosiFileAs()
{
    lockGrid(GridCursor::ToTop);
    if (Check_flgdLineNo() == 1)
        return kPosiSaveStopped;
    {
        frmSelectPosiNo3 range(mainWindow());
        range.exec();
    }
    if (gSelectCancel) {
        gSelectCancel = false;
        return kPosiSaveStopped;
    }
    if (PosiDataCheck3() != 0)
        return kPosiSaveStopped;
    if (ResMsgBox({405}, platform::MbOkCancel | platform::MbQuestion) != platform::IdOk)
        return kPosiSaveStopped;
    const QString path = askSavePath(406);
    if (path.isEmpty())
        return kPosiSaveStopped;
    return writeWithRetries(path);
}

int mnuFileSaveAs_Click()
{
    BusyGuard busy;
    AllCMD_Muko();
    const int result = SavePosiFileAs();
    AllCMD_Yuko();
    unlockGrid();
    return result;
}
