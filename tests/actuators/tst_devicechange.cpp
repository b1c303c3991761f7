#include "link/OnlineMode.h"
#include "tables/DevSetting.h"
#include "actuators/DevSettingStore.h"
#include "actuators/DeviceChange.h"
#include "core/AppSettings.h"
#include "core/Module2Calc.h"
#include "core/Messages.h"
#include "link/LinkState.h"
#include "platform/ProgramFolder.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "support/FakeMainForm.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QtTest>

// The actuator change with its ways out, and a position file's designations into the pending
// set, with the example catalogue beside the program.
class TestDeviceChange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fileDesignations_data();
    void fileDesignations();
    void refusalChangesNothing();
    void changeDevice_data();
    void changeDevice();
    void checkAfterChange_data();
    void checkAfterChange();
    void onlineWindowNeedsCatalogue_data();
    void onlineWindowNeedsCatalogue();
};

void TestDeviceChange::fileDesignations_data()
{
    QTest::addColumn<QString>("designation");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("size");
    QTest::addColumn<int>("stroke");
    QTest::addColumn<bool>("newType");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("withPG");

    QTest::newRow("13 characters, PG and V") << "QZ- 28L- 50EV" << "OLD" << 0 << " 28" << 50 << false << true << true;
    QTest::newRow("13 characters, marks off") << "QZ- 35D-300__" << "OLD" << 0 << " 35" << 300 << false << false << false;
    QTest::newRow("short form") << "QZ-28L-100E_" << "OLD" << 0 << " 28" << 100 << false << false << true;
    QTest::newRow("E35 OLD is new all the same") << "QZ-E35L-100 " << "OLD" << 0 << "E35" << 100 << true << false << true;
    QTest::newRow("JH- is never new") << "JH- 28L-100__" << "NEW" << 0 << " 28" << 100 << false << false << false;
    QTest::newRow("unknown to the catalogue") << "QZ- 28L-120__" << "OLD" << 1 << "" << 0 << false << false << false;
    QTest::newRow("all asterisks") << "************" << "OLD" << 1 << "" << 0 << false << false << false;
    QTest::newRow("short form without stroke") << "QZ-28L-" << "OLD" << 1 << "" << 0 << false << false << false;
}

void TestDeviceChange::fileDesignations()
{
    QFETCH(QString, designation);
    QFETCH(QString, entry);
    QFETCH(int, result);
    QFETCH(QString, size);
    QFETCH(int, stroke);
    QFETCH(bool, newType);
    QFETCH(bool, vertical);
    QFETCH(bool, withPG);

    TestEnv env;
    for (int a = 1; a < kAxisCount; ++a)
        gAxisUnused[a] = true; // only axis 1 in the system
    gDevSetteiUnused[0] = false;
    gPosiFileDev[0] = designation;
    gPosiFileNewOld[0] = entry;
    // Axis 2 is the file's alone: parsed silently, its failure reported to the caller.
    gDevSetteiUnused[1] = false;
    gPosiFileDev[1] = QStringLiteral("bad");
    if (result != 0)
        env.dialogs().answer(platform::IdOk);
    std::array<bool, kAxisCount> fileOnlyFailed{};
    QCOMPARE(DevFileShogo(&fileOnlyFailed), result);
    if (result != 0) {
        QCOMPARE(env.dialogs().prompts(), QStringList{ResLines({4, 5})});
        QCOMPARE(gDevSetteiSize[0], QString());
        return;
    }
    QVERIFY(env.dialogs().boxes().isEmpty());
    QVERIFY(fileOnlyFailed[1]);
    QCOMPARE(gDevSetteiSize[0], size);
    QCOMPARE(gDevSetteiStroke[0], stroke);
    QCOMPARE(gDevSetteiNewType[0], newType);
    QCOMPARE(gDevSetteiVertical[0], vertical);
    QCOMPARE(gDevSetteiWithPG[0], withPG);
}

void TestDeviceChange::refusalChangesNothing()
{
    TestEnv env;
    gPosiFileDev[0] = QStringLiteral("QZ- 28L-100__");
    gPosiFileDev[1] = QStringLiteral("QZ- 28L-999__");
    env.dialogs().answer(platform::IdOk);
    QCOMPARE(DevFileShogo(), 1);
    QCOMPARE(gDevSetteiSize[0], QString()); // the good first axis was not taken either
}

// The ways out of the change: the factory parameters after Set, a cancelled setup window, a
// parameter-file choice cancelled before the factory parameters.
void TestDeviceChange::changeDevice_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("changed");
    QTest::newRow("factory parameters") << "set" << true;
    QTest::newRow("setup window cancelled") << "cancel" << false;
    QTest::newRow("file cancelled, then factory") << "file" << true;
}

void TestDeviceChange::changeDevice()
{
    QFETCH(QString, way);
    QFETCH(bool, changed);

    TestEnv env;
    SetOnlineMode();
    for (int a = 0; a < kAxisCount; ++a) {
        gDevSize[a] = QStringLiteral(" 35");
        gDevSpeed[a] = QStringLiteral("D");
        gDevStroke[a] = 300;
        gDevSetteiSize[a] = QStringLiteral("before");
    }
    ModalDriver driver;
    auto choose = [](int option) {
        return [option](QWidget *w) {
            w->findChild<QWidget *>(QStringLiteral("optSelectKomoku%1").arg(option))->setProperty("checked", true);
            clickChild(w, QStringLiteral("cmdSelectOk"));
        };
    };
    if (way == QLatin1String("file")) {
        driver.then(choose(1));
        env.dialogs().chooseFile(QString()); // the file dialog cancelled: back to the choice
    }
    driver.then(choose(0));
    driver.then([way](QWidget *w) {
        auto *size = w->findChild<QComboBox *>(QStringLiteral("comboDeviceSize0"));
        size->setEditText(QStringLiteral(" 28"));
        Q_EMIT size->activated(0);
        clickChild(w, way == QLatin1String("cancel") ? QStringLiteral("cmdDeviceCancel") : QStringLiteral("cmdDeviceSet"));
    });
    cmdChangeDev_Click();

    QCOMPARE(driver.pending(), 0);
    QVERIFY(env.dialogs().boxes().isEmpty());
    QCOMPARE(gOfflineMode, changed);
    QCOMPARE(gDevSetteiSize[0], changed ? QStringLiteral(" 28") : QStringLiteral("before"));
    QCOMPARE(gDevSize[0], changed ? QStringLiteral(" 28") : QStringLiteral(" 35"));
    QCOMPARE(gDevSize[1], QStringLiteral(" 35"));
    if (changed) {
        // Stored for the next start.
        gDevSize[0].clear();
        QCOMPARE(LoadDevSetting(), 0);
        QCOMPARE(gDevSize[0], QStringLiteral(" 28"));
    }
}

// After the change the position check covers the whole displayed table, whatever range the
// last operation worked on; only a passed check converts and redraws it.
void TestDeviceChange::checkAfterChange_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QList<int>>("messages");
    QTest::newRow("passes") << "good" << QList<int>{};
    QTest::newRow("fails") << "bad" << QList<int>{1526};
    QTest::newRow("no positions") << "empty" << QList<int>{};
}

void TestDeviceChange::checkAfterChange()
{
    QFETCH(QString, table);
    QFETCH(QList<int>, messages);

    TestEnv env;
    FakeMainForm form;
    gDispMmUnit = true;
    for (int a = 0; a < kAxisCount; ++a) {
        gDevSize[a] = QStringLiteral(" 35");
        gDevSpeed[a] = QStringLiteral("D");
        gDevStroke[a] = 300;
    }
    InitPosiData();
    if (table != QLatin1String("empty")) {
        gPosiNoDefFrom = 1;
        gPosiNoDefTo = 5;
        form.QzDataHyoji_3();
    } else {
        form.grid.setRows(2);
    }
    // The last operation worked on positions 2 and 3; position 5 was edited since.
    gPosiNoFrom = 2;
    gPosiNoTo = 3;
    const int row5 = 5 - 1 + 2;
    if (table == QLatin1String("good"))
        form.grid.setText(row5, 4, QStringLiteral("1.5"));
    if (table == QLatin1String("bad"))
        form.grid.setText(row5, 1, QStringLiteral("0"));
    for (int i = 0; i < messages.size(); ++i)
        env.dialogs().answer(platform::IdOk);

    ModalDriver driver;
    driver.then([](QWidget *w) {
        w->findChild<QWidget *>(QStringLiteral("optSelectKomoku0"))->setProperty("checked", true);
        clickChild(w, QStringLiteral("cmdSelectOk"));
    });
    driver.then([](QWidget *w) {
        auto *size = w->findChild<QComboBox *>(QStringLiteral("comboDeviceSize0"));
        size->setEditText(QStringLiteral(" 28"));
        Q_EMIT size->activated(0);
        clickChild(w, QStringLiteral("cmdDeviceSet"));
    });
    cmdChangeDev_Click();

    QCOMPARE(driver.pending(), 0);
    QStringList boxes;
    for (int id : messages)
        boxes << LoadResText(id);
    QCOMPARE(env.dialogs().prompts(), boxes);
    QCOMPARE(gDevSize[0], QStringLiteral(" 28"));
    if (table == QLatin1String("good")) {
        // Checked with the new actuator, converted and shown again.
        const double pulses = *MmToPulse(gDevLead[0], gDevPPR[0], 1.5);
        QCOMPARE(gPosiTable[5][0], pulses);
        QCOMPARE(gPosiTable[5][4], *PulseToMm(gDevLead[0], gDevPPR[0], pulses));
        QCOMPARE(form.grid.text(row5, 4).toDouble(), gPosiTable[5][4]);
    } else if (table == QLatin1String("bad")) {
        QCOMPARE(gPosiTable[5][0], 0.0);
        QCOMPARE(form.grid.text(row5, 1), QStringLiteral("0")); // not redrawn
    }
}

// The Settings menu's online device setting opens no window without a catalogue, whichever
// axes are in use; the operator is told once.
void TestDeviceChange::onlineWindowNeedsCatalogue_data()
{
    QTest::addColumn<int>("unusedAxis");
    QTest::newRow("all axes used") << -1;
    QTest::newRow("axis 1 unused") << 0;
    QTest::newRow("axis 2 unused") << 1;
}

void TestDeviceChange::onlineWindowNeedsCatalogue()
{
    QFETCH(int, unusedAxis);
    TestEnv env;
    platform::setProgramFolder(env.tempPath(QString()));
    for (int a = 0; a < kAxisCount; ++a)
        gAxisUnused[a] = a == unusedAxis;
    env.dialogs().answer(platform::IdOk);
    ModalDriver driver;
    mnuSettingsDeviceOnline_Click();
    QCOMPARE(driver.shown(), QStringList{});
    QCOMPARE(env.dialogs().prompts(), QStringList{ResLines({15, 16})});
}

QTEST_MAIN(TestDeviceChange)
#include "tst_devicechange.moc"
