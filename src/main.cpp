#include "app/Startup.h"
#include "app/frmSplash.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QZ-W4"));
    QApplication::setOrganizationName(QStringLiteral("QZ"));

    // The main window stores the settings when it unloads.
    Main(frmSplash::kSplashMs);
    return app.exec();
}
