#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "app/AxesAtStart.h"
#include "app/frmMain.h"
#include "platform/FixedGrid.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "positions/frmSelectPosiNo3.h"
#include "support/StoredActuators.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// Renders the main window with a New table to PNG files beside the tests, so that its layout
// can be looked at in both languages.
class TestMainWindowShots : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void render_data();
    void render();
};

void TestMainWindowShots::render_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("file");
    QTest::newRow("English") << 2 << "frmMain_en.png";
    QTest::newRow("Japanese") << 1 << "frmMain_ja.png";
}

void TestMainWindowShots::render()
{
    QFETCH(int, language);
    QFETCH(QString, file);
    TestEnv env;
    tables::resetPosiImage();
    app::startup::resetAxesForStart();
    gLanguage = language;
    gLangOffset = core::settings::languageOffsetFor(language);
    frmMain::setScreenWidthForLoad(1280);
    frmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // The example catalogue's default actuators, offline.
    QCOMPARE(useStoredActuatorsOffline(), 0);
    whenModalOpens([](QWidget *modal) {
        auto *range = qobject_cast<frmSelectPosiNo3 *>(modal);
        QVERIFY(range);
        range->txtStartPosiNo()->setText(QStringLiteral("1"));
        range->txtEndPosiNo()->setText(QStringLiteral("40"));
        range->cmdSelectPosiOk()->click();
    });
    w.action(QStringLiteral("tbNew"))->trigger();
    QCOMPARE(w.flgdData()->rows(), 42);
    QCoreApplication::processEvents();

    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QVERIFY(QDir().mkpath(dir));
    const QString path = dir + QLatin1Char('/') + file;
    const QImage shot = w.grab().toImage();
    QCOMPARE(shot.size(), w.size());
    QVERIFY(shot.save(path));
    QVERIFY(QFileInfo(path).size() > 0);
}

QTEST_MAIN(TestMainWindowShots)
#include "tst_mainwindowshots.moc"
