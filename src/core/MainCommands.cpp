#include "core/MainCommands.h"

#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "core/OnlineMode.h"
#include "core/frmAbout.h"
#include "core/frmMain.h"
#include "core/frmOptions2.h"
#include "link/SerialLink.h"
#include "platform/Dialogs.h"
#include "positions/PosiTable.h"

#include <QPointer>

void wireMainCommands(frmMain &window)
{
    using mainform::setCommand;
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
        GridCursorTop();
        if (MainFormPort *form = mainform::form())
            form->setGridActive(false);
        if (ConfirmOffline() == 0) {
            CommPortCloseForce();
            SetOfflineMode();
        }
        if (MainFormPort *form = mainform::form())
            form->setGridActive(true);
        if (w)
            w->update();
        return 0;
    });
    setCommand(QStringLiteral("mnuFileClose_Click"), [w] {
        if (gDataChanged) {
            const int answer = ResMsgBox({394}, platform::MbYesNoCancel | platform::MbQuestion);
            if (answer == platform::IdCancel)
                return 1;
            // Only data really saved let the window close.
            if (answer == platform::IdYes
                && mainform::runCommand(QStringLiteral("SavePosiFileCheck")) != 0)
                return 1;
        }
        if (w)
            w->close();
        return 0;
    });
    for (const char *empty : {"mnuFilePrintPreview_Click", "mnuFileProperties_Click", "mnuFileSend_Click",
                              "mnuFuncExternal_Click", "mnuWindowCascade_Click",
                              "mnuWindowTitleHorizontal_Click", "mnuWindowTitleVertical_Click"})
        setCommand(QLatin1String(empty), [] { return 0; });
}
