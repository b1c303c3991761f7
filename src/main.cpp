#include "core/AppSettings.h"
#include "core/Messages.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QZ-W4"));
    QApplication::setOrganizationName(QStringLiteral("QZ"));

    settings::readStartupSettings();

    QMainWindow window;
    window.setWindowTitle(LoadResText(201));
    window.resize(1024, 700);
    window.show();
    const int rc = app.exec();
    StoreSettingsAtExit();
    return rc;
}
