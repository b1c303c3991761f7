#include "link/OnlineMode.h"
#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "app/Options.h"
#include "app/frmAbout.h"
#include "app/frmOptions2.h"
#include "link/LinkState.h"
#include "platform/SettingsStore.h"
#include "support/MemoryGrid.h"
#include "tables/PosiDataCheck.h"
#include "tables/PosiTable.h"
#include "support/TestEnv.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using platform::SettingsStore;

class TestOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void portKeys_data();
    void portKeys();
    void velKeysTyped();
    void velocityRefused_data();
    void velocityRefused();
    void leavingTeachingTabChecksVelocity();
    void okStoresEverything();
    void pulseFeedFromStore_data();
    void pulseFeedFromStore();
    void portChangeGoesOffline();
    void unitChange_data();
    void unitChange();
    void language_data();
    void language();
    void portDevice();
    void about();
};

void TestOptions::portKeys_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("box");

    QTest::newRow("0 to 3 pass") << "2" << "2";
    QTest::newRow("4 refused") << "4" << "";
    QTest::newRow("9 refused") << "9" << "";
    QTest::newRow("letter refused") << "a" << "";
    QTest::newRow("second character refused") << "12" << "1";
    QTest::newRow("after backspace a new one") << "1\b3" << "3";
}

void TestOptions::portKeys()
{
    QFETCH(QString, typed);
    QFETCH(QString, box);
    TestEnv env;
    frmOptions2 w;
    w.txtPortNo->clear();
    w.txtPortNo->setFocus();
    for (QChar ch : typed) {
        if (ch == QLatin1Char('\b'))
            QTest::keyClick(w.txtPortNo, Qt::Key_Backspace);
        else
            QTest::keyClicks(w.txtPortNo, QString(ch));
    }
    QCOMPARE(w.txtPortNo->text(), box);
}

void TestOptions::velKeysTyped()
{
    TestEnv env;
    frmOptions2 w;
    w.txtJogVel->clear();
    QTest::keyClicks(w.txtJogVel, QStringLiteral("4x5.6"));
    QCOMPARE(w.txtJogVel->text(), QStringLiteral("45"));
    w.txtJogVel->selectAll();
    QTest::keyClicks(w.txtJogVel, QStringLiteral("7"));
    QCOMPARE(w.txtJogVel->text(), QStringLiteral("7"));
    QCOMPARE(app::options::jogVelKey(QChar(13), 1, false), app::options::KeyVerdict::EnterMoves);
}

void TestOptions::velocityRefused_data()
{
    QTest::addColumn<QString>("vel");
    QTest::newRow("0") << "0";
    QTest::newRow("61") << "61";
    QTest::newRow("empty") << "";
    // Never the number the text begins with.
    QTest::newRow("1a") << "1a";
    QTest::newRow("2.5") << "2.5";
}

void TestOptions::velocityRefused()
{
    QFETCH(QString, vel);
    TestEnv env;
    gPortNo = 2;
    frmOptions2 w;
    w.SSTabOption->setCurrentIndex(0);
    w.txtPortNo->setText(QStringLiteral("3"));
    w.txtJogVel->setText(vel);
    env.dialogs().answer(platform::IdOk);
    w.cmdOK_Click();
    QCOMPARE(env.dialogs().prompts(), QStringList{QStringLiteral("The value at the VEL is invalid.")});
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QCOMPARE(w.SSTabOption->currentIndex(), int(frmOptions2::kTeachingTab));
    QCOMPARE(gPortNo, 2); // nothing applied
    QVERIFY(!SettingsStore::contains(QStringLiteral("VelOf100Pls")));
}

void TestOptions::leavingTeachingTabChecksVelocity()
{
    TestEnv env;
    frmOptions2 w;
    w.SSTabOption->setCurrentIndex(frmOptions2::kTeachingTab);
    w.txtJogVel->setText(QStringLiteral("61"));
    env.dialogs().answer(platform::IdOk);
    w.SSTabOption->setCurrentIndex(1);
    QCOMPARE(w.SSTabOption->currentIndex(), int(frmOptions2::kTeachingTab));
    QCOMPARE(env.dialogs().prompts(), QStringList{QStringLiteral("The value at the VEL is invalid.")});
    w.txtJogVel->setText(QStringLiteral("60"));
    w.SSTabOption->setCurrentIndex(1);
    QCOMPARE(w.SSTabOption->currentIndex(), 1);
}

void TestOptions::okStoresEverything()
{
    TestEnv env;
    gVelOf100Pls[0] = 99; // out of range: the stored value is shown
    env.storeSettings({{"VelOf100Pls", "12"}});
    frmOptions2 w;
    QCOMPARE(w.txtJogVel->text(), QStringLiteral("12"));
    QVERIFY(w.optJogAcc[2]->isChecked());
    QVERIFY(w.optJogAcc2[1]->isChecked()); // the window's own default for the QZ-57H value
    w.optSutiSyori[1]->setChecked(true);
    w.optJogAcc2[0]->setChecked(true);
    w.cmdOK_Click();
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(SettingsStore::text(QStringLiteral("MmRoundUp"), {}), QStringLiteral("0"));
    QCOMPARE(SettingsStore::text(QStringLiteral("PortOccupy"), {}), QStringLiteral("1"));
    QCOMPARE(SettingsStore::text(QStringLiteral("VelOf100Pls"), {}), QStringLiteral("12"));
    QCOMPARE(SettingsStore::text(QStringLiteral("AccOf100Pls"), {}), QStringLiteral("3"));
    QCOMPARE(SettingsStore::text(QStringLiteral("AccOf100Pls2"), {}), QStringLiteral("1"));
    QCOMPARE(gVelOf100Pls[2], 12);
    QCOMPARE(gAccOf100Pls2[1], 1);
    QCOMPARE(gMmRoundUp, false);
    QVERIFY(!SettingsStore::contains(QStringLiteral("PortNo"))); // stored at exit
    QCOMPARE(gLangChanged, false);
}

void TestOptions::pulseFeedFromStore_data()
{
    QTest::addColumn<QStringList>("stored"); // VelOf100Pls, AccOf100Pls, AccOf100Pls2; empty: none
    QTest::addColumn<QString>("vel");
    QTest::addColumn<int>("acc");
    QTest::addColumn<int>("acc2");

    QTest::newRow("nothing stored") << QStringList() << "20" << 3 << 2;
    QTest::newRow("stored values") << QStringList{"45", "1", "3"} << "45" << 1 << 3;
    QTest::newRow("stored out of range") << QStringList{"45", "7", "0"} << "45" << 0 << 0;
}

// The first opening in a run shows what an earlier run stored, not values of its own.
void TestOptions::pulseFeedFromStore()
{
    QFETCH(QStringList, stored);
    QFETCH(QString, vel);
    QFETCH(int, acc);
    QFETCH(int, acc2);
    TestEnv env;
    if (!stored.isEmpty())
        env.storeSettings({{"VelOf100Pls", stored[0]}, {"AccOf100Pls", stored[1]}, {"AccOf100Pls2", stored[2]}});
    frmOptions2 w;
    QCOMPARE(w.txtJogVel->text(), vel);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(w.optJogAcc[i]->isChecked(), acc == i + 1);
        QCOMPARE(w.optJogAcc2[i]->isChecked(), acc2 == i + 1);
    }

    // Round trip: what OK stores is what the next run's window shows.
    w.txtJogVel->setText(QStringLiteral("33"));
    w.optJogAcc[1]->setChecked(true);
    w.optJogAcc2[0]->setChecked(true);
    w.cmdOK_Click();
    core::settings::resetAppSettings();
    frmOptions2 next;
    QCOMPARE(next.txtJogVel->text(), QStringLiteral("33"));
    QVERIFY(next.optJogAcc[1]->isChecked());
    QVERIFY(next.optJogAcc2[0]->isChecked());
}

void TestOptions::portChangeGoesOffline()
{
    TestEnv env;
    SetOnlineMode();
    gPortNo = 1;
    frmOptions2 w;
    w.txtPortNo->setText(QStringLiteral("3"));
    w.cmdOK_Click();
    QCOMPARE(gPortNo, 3);
    QCOMPARE(gOfflineMode, true);

    // 0 keeps the stored port number; the port is left as it is.
    env.storeSettings({{"PortNo", "2"}});
    frmOptions2 w2;
    w2.txtPortNo->setText(QStringLiteral("0"));
    w2.cmdOK_Click();
    QCOMPARE(gPortNo, 2);
}

void TestOptions::unitChange_data()
{
    QTest::addColumn<int>("grid");     // 0 empty, 1 passing, 2 failing
    QTest::addColumn<int>("lead");     // of axis 1, in use; 0 makes the table unconvertible
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("message");

    const QString refused =
        QStringLiteral("A setting of a Unit of position was not changed by error.\r\nPlease try to change again.");
    QTest::newRow("check passes") << 1 << 10 << true << "";
    QTest::newRow("check fails") << 2 << 10 << false << refused;
    QTest::newRow("empty grid") << 0 << 10 << true << "";
    QTest::newRow("conversion fails") << 1 << 0 << false << refused;
}

void TestOptions::unitChange()
{
    QFETCH(int, grid);
    QFETCH(int, lead);
    QFETCH(bool, changed);
    QFETCH(QString, message);
    TestEnv env;
    gDispMmUnit = false;
    gDevLead[0] = lead;
    gDevPPR[0] = 2000;
    gAxisUnused[1] = gAxisUnused[2] = gAxisUnused[3] = true;

    MemoryGrid g(grid == 0 ? 2 : 4);
    if (grid != 0) {
        gPosiNoDefFrom = 1;
        gPosiNoDefTo = 2;
        gPosiNoFrom = gPosiNoTo = 1; // a stale working range: the whole display is taken
        for (int r = 2; r < 4; ++r) {
            const QStringList cells = {QString::number(r - 1), "30", "3", "0", "2500", "", "", "", "", "",
                                       "", "", "", "", "", "", "", "0", "0", "0", ""};
            for (int c = 0; c < 21; ++c)
                g.setText(r, c, cells[c]);
        }
        if (grid == 2)
            g.setText(3, 1, QStringLiteral("0"));
    }
    tables::setCheckGrid(&g);
    int results = 0;
    tables::setCheckResultWindow([&] { ++results; });

    frmOptions2 w;
    QVERIFY(w.optHyojiKirikae[0]->isChecked());
    w.optHyojiKirikae[1]->setChecked(true);
    if (!message.isEmpty())
        env.dialogs().answer(platform::IdOk);
    w.cmdOK_Click();

    QCOMPARE(env.dialogs().prompts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(gDispMmUnit, changed);
    QCOMPARE(SettingsStore::contains(QStringLiteral("DispMmUnit")), changed);
    if (changed)
        QCOMPARE(SettingsStore::text(QStringLiteral("DispMmUnit"), {}), QStringLiteral("1"));
    QCOMPARE(results, grid == 2 ? 1 : 0);
    if (grid == 1 && changed) {
        QCOMPARE(gPosiNoFrom, 1);
        QCOMPARE(gPosiNoTo, 2);
        QCOMPARE(gPosiTable[2][0], 2500.0); // the second row reached the table too
        QCOMPARE(gPosiTable[2][4], 12.5);
    }
}

void TestOptions::language_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("chooseOther");
    QTest::addColumn<bool>("japaneseEnabled");
    QTest::addColumn<bool>("langChanged");

    QTest::newRow("Japanese, unchanged") << 1 << false << true << false;
    QTest::newRow("Japanese, English chosen") << 1 << true << true << true;
    QTest::newRow("English, unchanged") << 2 << false << false << false;
    QTest::newRow("stored 3 counts as English") << 3 << false << false << false;
}

void TestOptions::language()
{
    QFETCH(int, language);
    QFETCH(bool, chooseOther);
    QFETCH(bool, japaneseEnabled);
    QFETCH(bool, langChanged);
    TestEnv env;
    gLanguage = language;
    gLangOffset = core::settings::languageOffsetFor(language);
    frmOptions2 w;
    // 2526 has no Japanese text: in Japanese the frame keeps a Japanese layout text.
    QCOMPARE(w.framLanguege->title(),
             language == 1 ? QStringLiteral("言語選択") : QStringLiteral("Select Language"));
    QCOMPARE(w.optLanguege[0]->isEnabled(), japaneseEnabled);
    QCOMPARE(w.optLanguege[0]->isChecked(), language == 1);
    if (chooseOther)
        w.optLanguege[1]->setChecked(true);
    w.cmdOK_Click();
    QCOMPARE(gLangChanged, langChanged);
    QCOMPARE(gLanguage, language);
}

void TestOptions::portDevice()
{
    TestEnv env;
    qunsetenv("QZW4_PORT_DEVICE");
    QCOMPARE(app::options::portDevice(1), QStringLiteral("/dev/ttyS0"));
    qputenv("QZW4_PORT_DEVICE", "/dev/pts/9");
    QCOMPARE(app::options::portDevice(1), QStringLiteral("/dev/pts/9"));
    qunsetenv("QZW4_PORT_DEVICE");
    env.storeSettings({{"PortDevice2", "/dev/ttyUSB0"}});
    QCOMPARE(app::options::portDevice(2), QStringLiteral("/dev/ttyUSB0"));
    gPortNo = 2;
    frmOptions2 w;
    QCOMPARE(w.lblPortDevice->text(), QStringLiteral("(/dev/ttyUSB0)"));
    w.txtPortNo->setText(QStringLiteral("3"));
    QCOMPARE(w.lblPortDevice->text(), QStringLiteral("(/dev/ttyS2)"));
    w.UpDown2Down->click();
    QCOMPARE(w.txtPortNo->text(), QStringLiteral("2"));
}

void TestOptions::about()
{
    TestEnv env;
    QCOMPARE(frmAbout::versionLine(1, 5, 0), QStringLiteral("Version 1.50E"));
    QCOMPARE(frmAbout::versionLine(2, 3, 11), QStringLiteral("Version 2.311E"));
    gLangOffset = 10000;
    frmAbout w;
    QCOMPARE(w.windowTitle(), QStringLiteral("QZ-W4 Version Information..."));
    QCOMPARE(w.lblTitle2->text(), QStringLiteral("(QZ 4AXES PC-Software)"));
    QVERIFY(w.lblVersion->text().startsWith(QStringLiteral("Version ")));
    QVERIFY(w.lblVersion->text().endsWith(QLatin1Char('E')));
    w.cmdOK->click();
    QCOMPARE(w.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
