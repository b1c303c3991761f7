#include "app/Startup.h"
#include "app/frmSplash.h"
#include "operation/StopOnExit.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QZ-W4"));
    QApplication::setOrganizationName(QStringLiteral("QZ"));
    // A jog feed running when the program is ended is stopped first.
    operation::installStopOnExit();

    // The main window stores the settings when it unloads.
    Main(frmSplash::kSplashMs);
    return app.exec();
}
