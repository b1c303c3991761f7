#include "app/MainCommands.h"

#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/OnlineMode.h"
#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "app/frmOptions2.h"
#include "link/CommandSet.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "platform/Dialogs.h"

#include <QPointer>

namespace {

void switchCommandsOff()
{
    CMDBTN_Muko();
    ToolBar_Muko();
    Menyu_Muko();
    EditCMD_Muko();
}

void switchCommandsOn()
{
    CMDBTN_Yuko();
    ToolBar_Yuko();
    Menyu_Yuko();
}

// The port for a controller command of the Function menu. One that will not open leaves the
// system offline and is told, as at start-up, instead of a silent "online" with no answer.
bool openPortForMenuCommand()
{
    if (link::openPortWithTries())
        return true;
    SetOfflineMode();
    platform::msgBox(link::portOpenFailureText());
    return false;
}

} // namespace

QString axisSettingText()
{
    int mask = 0;
    for (int i = 0; i < kAxisCount; ++i) {
        if (!gAxisUnused[i])
            mask |= 1 << i;
    }
    return LoadResText(412) + QString::number(mask) + LoadResText(413);
}

QString ctVersionText()
{
    const QString blankLine = QStringLiteral("\r\n\r\n<");
    QString text = LoadResText(426) + blankLine + LoadResText(427) + QStringLiteral(">  ") + gCtVersionStr;
    for (int a = 0; a < kAxisCount; ++a) {
        if (!gAxisUnused[a])
            text += blankLine + LoadResText(1405 + a) + QStringLiteral(">  ") + gAxisVersionStr[a];
    }
    return text;
}

void wireMainCommands(frmMain &window)
{
    using core::mainform::setCommand;
    QPointer<frmMain> w(&window);

    setCommand(QStringLiteral("mnuViewOption_Click"), [w] {
        EditCMD_Muko();
        frmOptions2 options(w);
        options.exec();
        if (gLangChanged)
            ResMsgBox({420, 421}, platform::MbOkOnly);
        return 0;
    });
    setCommand(QStringLiteral("mnuHelpAbout_Click"), [w] {
        EditCMD_Muko();
        frmAbout about(w);
        about.exec();
        return 0;
    });
    setCommand(QStringLiteral("mnuSettingsOffline_Click"), [w] {
        EditCMD_Muko();
        lockGrid(GridCursor::ToTop);
        if (ConfirmOffline() == 0) {
            CommPortCloseForce();
            SetOfflineMode();
        }
        unlockGrid();
        if (w)
            w->update();
        return 0;
    });
    setCommand(QStringLiteral("mnuFuncGetAxis_Click"), [] {
        switchCommandsOff();
        {
            BusyGuard busy;
            // The exchange itself brings the system online again.
            leaveOfflineForExchange();
            if (openPortForMenuCommand() && ReadAxisUseWithProgress() == 0) {
                DispAxisData();
                platform::msgBox(axisSettingText());
            }
        }
        switchCommandsOn();
        return 0;
    });
    setCommand(QStringLiteral("mnuFuncCtversion_Click"), [] {
        switchCommandsOff();
        {
            BusyGuard busy;
            leaveOfflineForExchange();
            if (openPortForMenuCommand() && ShowCtVersion2() == 0)
                platform::msgBox(ctVersionText());
            CommPortClose();
        }
        switchCommandsOn();
        return 0;
    });
}
