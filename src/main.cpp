#include "core/AppSettings.h"
#include "core/StartOffline.h"
#include "core/frmMain.h"
#include "positions/PosiTransfer.h"
#include "positions/PosiVerify.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QZ-W4"));
    QApplication::setOrganizationName(QStringLiteral("QZ"));

    // Until the splash and the online/offline choice exist, the program starts offline.
    startup::resetAxesForStart();
    settings::readStartupSettings();

    // The main window stores the settings when it unloads.
    positions::registerPosiTransferCommands();
    positions::registerPosiVerifyCommands();
    auto *window = new frmMain;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    startup::startOfflineActuators();
    return app.exec();
}
