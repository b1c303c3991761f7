#include "app/Startup.h"

#include "actuators/CurrentActuators.h"
#include "actuators/DevCatalogue.h"
#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "actuators/DevSettingStore.h"
#include "actuators/DevWinFlags.h"
#include "actuators/DeviceChange.h"
#include "core/AppSettings.h"
#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "link/OnlineMode.h"
#include "app/AxesAtStart.h"
#include "app/frmMain.h"
#include "editors/DataWindowCommands.h"
#include "editors/frmParameta2.h"
#include "link/Exchange.h"
#include "operation/AlarmReset.h"
#include "operation/frmMove.h"
#include "operation/frmIOCheck.h"
#include "operation/frmJOG.h"
#include "app/MainCommands.h"
#include "positions/PosiEditor.h"
#include "positions/PosiFileCommands.h"
#include "positions/PosiPrintCommands.h"
#include "positions/PosiTransfer.h"
#include "positions/PosiVerify.h"
#include "core/frmSelection.h"
#include "app/frmSplash.h"
#include "tables/ParaSet.h"
#include "link/CommandSet.h"
#include "link/DeviceIo.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "link/WindowHooks.h"
#include "link/frmProcessing.h"
#include "platform/Dialogs.h"
#include "platform/QtTranslation.h"

#include <QPointer>

namespace {

// The busy notice between the online road's reads and its end.
class BusyNotice
{
public:
    void show(QWidget *mainWindow)
    {
        m_window = new frmProcessing(mainWindow);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->show();
    }
    void close()
    {
        if (m_window)
            m_window->unload();
    }

private:
    QPointer<frmProcessing> m_window;
};

// A failure of the online road before the actuators were read: the port is released and the
// system goes offline; the progress window goes.
void leaveOnlineRoad()
{
    SetOfflineMode();
    CommPortCloseForce();
    link::transferProgress().close();
}

// Steps 1 to 14 of the online road; true when the road may go on to the busy notice.
void onlineReads()
{
    auto &progress = link::transferProgress();
    gTranceCancelable = false;
    progress.open(368, 4);

    if (!link::openPortWithTries()) {
        leaveOnlineRoad();
        platform::msgBox(link::portOpenFailureText());
        return;
    }

    int mode = 2;
    const int commMode = SetCtCommMode(0, mode);
    gTusinNow = false;
    if (commMode != 0) {
        leaveOnlineRoad();
        return;
    }
    progress.setValue(1);

    if (ShowCtVersion() != 0) {
        leaveOnlineRoad();
        return;
    }
    if (gCtVersion != 4) {
        SetOfflineMode();
        CommPortCloseForce();
        ResMsgBox({124, 125});
        progress.close();
        return;
    }
    progress.setValue(2);

    if (ReadAxisUse() == 1) {
        leaveOnlineRoad();
        return;
    }
    progress.setValue(3);

    if (ReadDeviceFromCt() == 1)
        SetOfflineMode();
    else
        progress.setValue(4);
    progress.close();
    CommPortClose();
}

// The actuator change in its start-up mode: Set is the only way out.
void lockedActuatorChange()
{
    gDevSelectLock = true;
    cmdChangeDev_Click();
    gDevSelectLock = false;
}

void offlineRoad(bool storedSetKnownBad)
{
    if (!storedSetKnownBad) {
        // A catalogue that cannot be read is told once, by its reader below.
        if (LoadDevSetting(false) == 1) {
            ResMsgBox({4, 5});
        } else {
            for (int a = 0; a < kAxisCount; ++a) {
                if (gDevIsQz[a])
                    gDevFamily[a] = QStringLiteral("QZ");
            }
        }
    }
    // Without a catalogue that reads there is nothing to choose from: the locked window would
    // trap the operator.
    if (ReadDevList() == 1)
        return;
    lockedActuatorChange();
    DispAxisData();
    EditCMD_Muko();
}

} // namespace

void wireCommands(frmMain &window)
{
    positions::attachPosiEditing(window);
    actuators::wireDeviceCommands();
    wireMainCommands(window);
    positions::registerPosiFileCommands();
    positions::registerPosiTransferCommands();
    positions::registerPosiVerifyCommands();
    positions::registerPosiPrintCommands();
    operation::registerAlarmReset();
    operation::registerMoveWindow();
    editors::registerDataWindowCommands();
    operation::registerIoCheckCommands();
    operation::registerJogCommands();
    editors::registerParameterWindowCommands();
}

frmMain *Main(int splashMs)
{
    {
        frmSplash splash;
        splash.timerSplash()->setInterval(splashMs);
        splash.runUntilEnded();
    }

    app::startup::resetAxesForStart();
    editors::initGrpSmTables();
    core::settings::readStartupSettings();
    gDevOptEdit = true;
    // Qt's own texts (message-box buttons, file and print dialogs) speak the stored language,
    // not the desktop's.
    platform::useQtTranslation(gLanguage == 1);

    auto *window = new frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    wireCommands(*window);
    window->show();

    const int road = ShowSelection(LoadResText(471), LoadResText(1), LoadResText(2), LoadResText(3), 1);
    if (road != 0) {
        SetOfflineMode();
        offlineRoad(false);
        return window;
    }

    bool incomplete = false;
    {
        // The main window is up: its commands wait until the controller has been read.
        BusyGuard reading;
        onlineReads();
        if (!gOfflineMode) {
            BusyNotice busy;
            busy.show(window);
            incomplete = !readBackComplete();
            if (incomplete) {
                // The setup window offers the axes the controller reported before the
                // incomplete one; the operator's choice becomes current there.
                LetDevFlags();
                CheckDevSetting();
                SetOfflineMode();
            } else {
                // The controller's actuators become the system's as on every other road: stored
                // for the next start, shown, the positions left for the read to fill.
                actuators::makeActuatorsCurrent(actuators::ControllerReadBack | actuators::PositionsLeft);
            }
            busy.close();
        }
    }
    if (gOfflineMode) {
        // A failed read, or the controller's actuators incomplete: the operator chooses them.
        offlineRoad(incomplete);
        return window;
    }
    EditCMD_Muko();
    return window;
}
