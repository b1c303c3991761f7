#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Module2Calc.h"
#include "core/OnlineMode.h"
#include "core/frmMain.h"

#include <QApplication>

namespace {

// The start until the splash, the online/offline choice and the actuator setup window
// exist: the settings, the main window, then the offline road's steps that need no window.
void startOffline()
{
    SetOfflineMode();
    // Seam for the actuator subsystem: the stored actuators and their catalogue, factory
    // parameters, limits and designations (LoadDevSetting, ReadDevList, SetStdParameta,
    // CulcDevLimits, DispDeviceName) run here once they exist.
    mainform::runCommand(QStringLiteral("StartOfflineActuators"));
    DispPulsePerMm();
    DispAxisData();
    EditCMD_Muko();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QZ-W4"));
    QApplication::setOrganizationName(QStringLiteral("QZ"));

    settings::readStartupSettings();

    // The main window stores the settings when it unloads.
    auto *window = new frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    startOffline();
    return app.exec();
}
