#include "editors/ParaWindowCommands.h"

#include "actuators/CurrentActuators.h"
#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "actuators/DevWinFlags.h"
#include "actuators/DeviceChange.h"
#include "actuators/frmDevice2.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "core/MainForm.h"
#include "link/OnlineMode.h"
#include "core/frmSelection.h"
#include "link/CtWriteMode.h"
#include "tables/ParaFile.h"
#include "tables/ParaInput.h"
#include "editors/ParaPrint.h"
#include "link/ParaReread.h"
#include "tables/ParaSet.h"
#include "tables/ParaVerify.h"
#include "tables/StdParaList.h"
#include "editors/frmParameta2.h"
#include "link/CommandSet.h"
#include "link/DeviceIo.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/ParaTransfer.h"
#include "link/SerialLink.h"
#include "link/WindowHooks.h"
#include "link/frmProcessing.h"
#include "platform/Dialogs.h"
#include "tables/PosiDataCheck.h"

#include <QPointer>

using namespace platform;

namespace editors {

bool takeParaFields(frmParameta2 &w, int invalidFirst, int invalidSecond)
{
    w.CheckParaBlank();
    if (gParaEmpty) {
        ResMsgBox({7, 8});
        return false;
    }
    if (w.TorikomiParametaValue() != 0 || w.ParametaValueCheck() != 0) {
        ResMsgBox({invalidFirst, invalidSecond});
        return false;
    }
    return true;
}

} // namespace editors

namespace {

void showAxisUse()
{
    if (MainFormPort *form = core::mainform::form())
        form->DispAxisData();
}

// The controller's actuators taken over after the operator agreed; false when refused.
bool takeControllerActuators()
{
    if (ReadDeviceFromCt() != 0) {
        SetOfflineMode();
        return false;
    }
    // Refused before anything is taken: the current set stays whole.
    if (!readBackComplete()) {
        SetOfflineMode();
        return false;
    }
    // Current from here on, whether or not the parameters follow: stored only once the whole
    // parameter set carries them (below).
    actuators::makeActuatorsCurrent(actuators::ControllerReadBack | actuators::KeepNewTypeFlags
                                    | actuators::DoNotStore | actuators::PositionsLeft);
    SetOnlineMode();
    return true;
}

} // namespace

void GetParametaValue(frmParameta2 &w)
{
    w.CheckParaBlank();
    if (!gParaEmpty) {
        const int answer = ResMsgBox({355}, MbYesNoCancel | MbQuestion);
        if (answer == IdCancel)
            return;
        // The read overwrites the window: it goes on only once the edits are safe in a file.
        if (answer == IdYes && SaveParaFileAs(w) != 0)
            return;
    }
    leaveOfflineForExchange();
    if (!readAxisUseReported()) {
        CommPortClose();
        return;
    }
    w.YukoJikuHyojiSettei();
    int devices = 0;
    const auto readDevices = [&devices] {
        devices = SetDeviceFromCt();
        return devices == -1 ? 1 : 0;
    };
    // One failure, one box: 356 only for a failure the link has not told.
    if (link::runStepOrTell(readDevices, LoadResText(356)) != 0) {
        CommPortClose();
        return;
    }
    const bool takenOver = devices == 1;
    if (takenOver) {
        if (ResMsgBox({357, 358}, MbOkCancel | MbQuestion) != IdOk || !takeControllerActuators()) {
            CommPortClose();
            return;
        }
    }
    if (ReadParaFromCt() != 0) {
        CommPortClose();
        return;
    }
    // A table the unpacking refuses leaves the set and the window as they were.
    if (SetParametaFromTable() == 0) {
        // Only the whole parameter set carries the taken actuators' lead and pulses: the
        // system converts, limits and starts next time with them from here on.
        if (takenOver)
            actuators::makeActuatorsCurrent(actuators::PositionsLeft);
        w.ParametaHyoji();
    }
    CommPortClose();
}

void ParaWriteToCt(frmParameta2 &w)
{
    if (ResMsgBox({470}, MbYesNo | MbQuestion) != IdYes)
        return;
    // Nothing reaches the controller before the fields and every block they make pass, not
    // even the axis-use rewrite.
    const auto writable = [&w] { return editors::takeParaFields(w, 1524, 1525) && paraBlocksWritable(); };
    if (!writable())
        return;
    leaveOfflineForExchange();
    const int axes = ReadAxisSetting();
    if (axes == -1)
        return;
    bool rewriteAxisUse = false;
    if (axes == 1) {
        const int choice = ShowSelection(LoadResText(471), LoadResText(472), LoadResText(473), LoadResText(474), 0);
        if (choice < 0)
            return;
        rewriteAxisUse = choice == 0;
        if (choice == 1) {
            // The axis use the operator chose could not be taken, and the link said why:
            // nothing is written.
            const link::LinkStep use = link::runStep(&ReadAxisUse);
            if (use.failed() && use.linkTold())
                return;
            // Both windows show the axes now in use before their fields are checked, so that a
            // refusal points at fields the operator can see.
            w.YukoJikuHyojiSettei();
            DispDeviceName();
            showAxisUse();
            if (!writable())
                return;
        }
    }
    if (rewriteAxisUse) {
        const link::LinkStep rewrite = link::runStep(&RewriteParaBlock);
        if (rewrite.failed() && rewrite.linkTold())
            return;
    }
    if (!link::enterCtWriteMode())
        return;
    int written = 0;
    // The link's word on a cut write waits for what the cut leaves behind: one box.
    const QStringList told = link::heldTells([&written] { written = WriteParaToCt(); });
    const bool modeLeft = link::leaveCtWriteMode(written == 0);
    link::transferProgress().close();
    CommPortClose();
    // Only a write whose blocks had begun to go may have left part of the set behind; one
    // refused before its first block was told already, or failed on the link.
    if (written == kParaWriteNotBegun) {
        if (!told.isEmpty())
            platform::msgBox((told + QStringList{LoadResText(1528)}).join(QStringLiteral("\r\n")));
        return;
    }
    if (written != 0) {
        link::tellCutWrite(told, 1528);
        return;
    }
    if (!told.isEmpty())
        platform::msgBox(told.join(QStringLiteral("\r\n")));
    if (ResMsgBox({685}, MbYesNo | MbQuestion) == IdYes) {
        QPointer<frmProcessing> notice = new frmProcessing(core::mainform::window());
        notice->show();
        // A controller whose mode could not be confirmed (told already) is not asked again.
        // The link's word on a failed read-back goes into the box that says the set was
        // written: one failure, one box.
        int reread = 1;
        QStringList rereadTold;
        if (modeLeft)
            rereadTold = link::heldTells([&reread] { reread = GetParametaValue2(); });
        // The controller took the whole set: the system follows it whether or not it could be
        // read back (the parameter set then holds what was written).
        actuators::makeActuatorsCurrent();
        if (notice) {
            notice->unload();
            delete notice;
        }
        w.ParametaHyoji();
        if (modeLeft && reread != 0) {
            platform::msgBox((rereadTold + QStringList{LoadResText(1527), LoadResText(2921)}).join(QStringLiteral("\r\n")));
            return;
        }
        // A read-back that went well told nothing; whatever it held is not lost.
        for (const QString &text : std::as_const(rereadTold))
            platform::msgBox(text);
    }
    // Written with the mode unconfirmed has been told once, as written.
    if (modeLeft)
        ResMsgBox({1527});
}

void ParaCtShogo(frmParameta2 &w)
{
    if (!editors::takeParaFields(w, 1524, 1525))
        return;
    leaveOfflineForExchange();
    const int read = ReadParaFromCt();
    CommPortClose();
    if (read != 0)
        return;
    ParaChangeCheck();
    msgBox(paraVerifyText());
}

namespace {

// Asks the question, lets the operator choose a parameter file and reads it into the
// exchange table; false when cancelled or refused (the refusal has been told).
bool readChosenParaFile(int question, int dialogTitle)
{
    if (ResMsgBox({question}, MbOkCancel | MbQuestion) != IdOk)
        return false;
    FileDialogRequest request = tables::paraOpenRequest();
    request.title = LoadResText(dialogTitle);
    const QString path = getOpenFileName(request);
    if (path.isEmpty())
        return false;
    const tables::FileRead r = tables::readWithRetry([&] { return tables::readParaFile(path); });
    if (r == tables::FileRead::Rejected)
        return false;
    if (r != tables::FileRead::Ok) {
        platform::msgBox(tables::readFailureText(681));
        return false;
    }
    return true;
}

} // namespace

void ParaFileShogo(frmParameta2 &w)
{
    if (!editors::takeParaFields(w, 1524, 1525))
        return;
    if (!readChosenParaFile(679, 680))
        return;
    ParaChangeCheck();
    msgBox(paraVerifyText());
}

int SaveParaFileAs(frmParameta2 &w)
{
    if (!editors::takeParaFields(w, 9, 10))
        return 1;
    const QString path = getSaveFileName(tables::paraSaveRequest());
    if (path.isEmpty())
        return 1;
    return tables::saveParaFileTo(path);
}

void ParaFileRead(frmParameta2 &w)
{
    FileDialogRequest request = tables::paraOpenRequest();
    request.title = LoadResText(686);
    const QString path = getOpenFileName(request);
    if (path.isEmpty())
        return;
    if (tables::openParaFileFrom(path) == 0)
        w.ParametaHyoji();
}

void IniParaSet(frmParameta2 &w)
{
    gDevWinOnline = false;
    gDevOptEdit = true;
    gDevWinCalled = true;
    bool cancelled = true;
    {
        frmDevice2 window(&w);
        window.exec();
        cancelled = window.CancelFlag();
    }
    if (!cancelled && SetStdParameta() == 0)
        w.ParametaHyoji();
    gDevWinCalled = false;
}

void ParaPrint(frmParameta2 &w)
{
    if (!editors::takeParaFields(w, 1524, 1525))
        return;
    if (ResMsgBox({684}, MbOkCancel | MbQuestion) != IdOk)
        return;
    SetAxisFlagFromMask();
    SetPrintParaData();
    gParaPrintFromFile = false;
    PrintParaData();
}

void ParaFilePrint(frmParameta2 &)
{
    if (!readChosenParaFile(682, 683))
        return;
    SetAxisFlagFromPara();
    gParaPrintFromFile = true;
    PrintParaData();
}
