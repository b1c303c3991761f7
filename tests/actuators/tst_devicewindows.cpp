#include "actuators/DevCatalogue.h"
#include "tables/DevSetting.h"
#include "actuators/DevWinFlags.h"
#include "actuators/DevicePanels.h"
#include "actuators/frmDevice2.h"
#include "actuators/frmDevice3.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "editors/frmParameta2.h"
#include "link/LinkHooks.h"
#include "link/SerialLink.h"
#include "platform/ProgramFolder.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

// The actuator setup windows with the example catalogue beside the program: choice lists,
// axis panels, Set and Cancel.
class TestDeviceWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choiceListsPerAxis_data();
    void choiceListsPerAxis();
    void speedText_data();
    void speedText();
    void strokeText_data();
    void strokeText();
    void panelsOfUsedAndUnusedAxes_data();
    void panelsOfUsedAndUnusedAxes();
    void oldTypeBoxAfterChoices_data();
    void oldTypeBoxAfterChoices();
    void setIntoPendingSet_data();
    void setIntoPendingSet();
    void offlineSetWithAxisChange_data();
    void offlineSetWithAxisChange();
    void cancelRestoresPendingSet_data();
    void cancelRestoresPendingSet();
    void lockedWindowOffersOnlySet();
    void missingCatalogueToldOnce();
    void windowFollowsOperatorChoices();
    void leavingSpeedList_data();
    void leavingSpeedList();
    void detailEditOpensParameterWindow();

private:
    static void setCurrent(int axis, const QString &size, const QString &speed, int stroke, bool newType = true);
};

void TestDeviceWindows::setCurrent(int axis, const QString &size, const QString &speed, int stroke, bool newType)
{
    gAxisUnused[axis] = false;
    gDevSize[axis] = size;
    gDevSpeed[axis] = speed;
    gDevStroke[axis] = stroke;
    gAxisNewType[axis] = newType;
    gDevSetteiNewType[axis] = newType;
}

// The whole refresh of an axis from the current actuator, with the catalogue's lists.
void TestDeviceWindows::choiceListsPerAxis_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("speed");
    QTest::addColumn<int>("stroke");
    QTest::addColumn<QStringList>("speeds");
    QTest::addColumn<QString>("speedText");
    QTest::addColumn<QStringList>("strokes");
    QTest::addColumn<QString>("strokeText");
    QTest::addColumn<bool>("newType");
    QTest::addColumn<bool>("pgShown");
    QTest::addColumn<bool>("vertShown");
    QTest::addColumn<int>("vertValue");

    QTest::newRow(" 28 L 150 new") << " 28" << "L" << 150 << QStringList{"L", "H"} << "L"
                                   << QStringList{"50", "100", "150", "200"} << "150" << true << true << false << 1;
    QTest::newRow(" 28 H 100 old") << " 28" << "H" << 100 << QStringList{"L", "H"} << "H"
                                   << QStringList{"50", "100", "150", "200"} << "100" << false << true << true << 0;
    QTest::newRow(" 35 D 500 new") << " 35" << "D" << 500 << QStringList{"L", "D"} << "D"
                                   << QStringList{"100", "200", "300", "400", "500"} << "500" << true << true << false << 1;
    QTest::newRow("stroke not listed: first") << " 35" << "L" << 150 << QStringList{"L", "D"} << "L"
                                              << QStringList{"50", "100", "200", "300"} << "50" << false << true << true << 0;
    QTest::newRow("speed not listed: first") << " 42" << "H" << 100 << QStringList{"D", "L"} << "D"
                                             << QStringList{"100", "200", "300", "400", "500"} << "100" << true << true << false << 1;
    QTest::newRow("E35: PG always there") << "E35" << "L" << 200 << QStringList{"L"} << "L"
                                          << QStringList{"50", "100", "200", "300"} << "200" << true << false << false << 1;
    QTest::newRow(" 20 old: no options") << " 20" << "L" << 30 << QStringList{"L"} << "L"
                                         << QStringList{"30", "50", "100"} << "30" << false << false << false << 0;
    // Set makes these sizes vertical whatever the box shows, so the box is not offered.
    QTest::newRow(" 42 old: V forced") << " 42" << "D" << 200 << QStringList{"D", "L"} << "D"
                                       << QStringList{"100", "200", "300", "400", "500"} << "200" << false << true << false << 1;
    QTest::newRow("E35 old: V forced") << "E35" << "L" << 100 << QStringList{"L"} << "L"
                                       << QStringList{"50", "100", "200", "300"} << "100" << false << false << false << 1;
}

void TestDeviceWindows::choiceListsPerAxis()
{
    QFETCH(QString, size);
    QFETCH(QString, speed);
    QFETCH(int, stroke);
    QFETCH(QStringList, speeds);
    QFETCH(QString, speedText);
    QFETCH(QStringList, strokes);
    QFETCH(QString, strokeText);
    QFETCH(bool, newType);
    QFETCH(bool, pgShown);
    QFETCH(bool, vertShown);
    QFETCH(int, vertValue);

    TestEnv env;
    for (int a = 0; a < kAxisCount; ++a)
        setCurrent(a, size, speed, stroke, newType);
    DevicePanels panels(DevicePanels::Kind::Offline);
    panels.Form_Load();
    QVERIFY(env.dialogs().boxes().isEmpty());
    for (int a = 0; a < kAxisCount; ++a) {
        const DevicePanels::Axis &x = panels.axis[a];
        QCOMPARE(x.comboDeviceSize.items, (QStringList{" 28", " 35", " 42", " 20", "E35", " 99"}));
        QCOMPARE(x.comboDeviceSize.text, size);
        QCOMPARE(x.comboDeviceSpeed.items, speeds);
        QCOMPARE(x.comboDeviceSpeed.text, speedText);
        QCOMPARE(x.comboDeviceStroke.items, strokes);
        QCOMPARE(x.comboDeviceStroke.text, strokeText);
        QCOMPARE(x.chkDevPgUse.visible, pgShown);
        // New type: the vertical box is hidden and checked.
        QCOMPARE(x.chkDevVsiyou.visible, vertShown);
        QCOMPARE(x.chkDevVsiyou.value, vertValue);
        // Offered for " 28" and " 35" only; offline, the hidden box of another size is cleared.
        const bool choice = size == QLatin1String(" 28") || size == QLatin1String(" 35");
        QCOMPARE(x.chkNewOrOld.visible, choice);
        QCOMPARE(x.chkNewOrOld.value, choice && !newType ? 1 : 0);
    }
}

void TestDeviceWindows::speedText_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("expected");

    QTest::newRow("E35, no current speed: L") << "E35" << "" << "X" << "L";
    QTest::newRow(" 20, no current speed: L") << " 20" << "" << "" << "L";
    QTest::newRow("E35, current listed") << "E35" << "H" << "X" << "H";
    QTest::newRow("E35, current not listed: first") << "E35" << "Q" << "X" << "L";
    QTest::newRow("other size, no current: unchanged") << " 28" << "" << "X" << "X";
}

void TestDeviceWindows::speedText()
{
    QFETCH(QString, size);
    QFETCH(QString, current);
    QFETCH(QString, before);
    QFETCH(QString, expected);

    TestEnv env;
    gDevSpeedList[0][0] = QStringLiteral("L");
    gDevSpeedList[0][1] = QStringLiteral("H");
    gDevSpeedCount[0] = 2;
    gDevSpeed[0] = current;
    DevicePanels panels(DevicePanels::Kind::Offline);
    panels.axis[0].comboDeviceSpeed.text = before;
    panels.SetSpeedList(0, size);
    QCOMPARE(panels.axis[0].comboDeviceSpeed.items, (QStringList{"L", "H"}));
    QCOMPARE(panels.axis[0].comboDeviceSpeed.text, expected);
}

void TestDeviceWindows::strokeText_data()
{
    QTest::addColumn<QString>("speed");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("text");

    QTest::newRow("current listed") << "L" << 150 << true << QStringList{"50", "100", "150", "200"} << "150";
    QTest::newRow("current not listed: first") << "L" << 120 << true << QStringList{"50", "100", "150", "200"} << "50";
    QTest::newRow("current 0: first match") << "H" << 0 << true << QStringList{"50", "100", "150", "200"} << "50";
    QTest::newRow("no match, current set: empty") << "L " << 100 << true << QStringList{} << "";
    QTest::newRow("no match, current 0: old text") << "Z" << 0 << true << QStringList{} << "old";
    QTest::newRow("axis box unchecked: untouched") << "L" << 150 << false << QStringList{"9"} << "old";
}

void TestDeviceWindows::strokeText()
{
    QFETCH(QString, speed);
    QFETCH(int, current);
    QFETCH(bool, enabled);
    QFETCH(QStringList, items);
    QFETCH(QString, text);

    TestEnv env;
    QCOMPARE(ReadDevList(), 0);
    gDevStroke[0] = current;
    DevicePanels panels(DevicePanels::Kind::Offline);
    DevicePanels::Axis &x = panels.axis[0];
    x.chkAxisEnable.value = enabled ? 1 : 0;
    x.comboDeviceSize.text = QStringLiteral(" 28");
    x.comboDeviceSpeed.text = speed;
    x.comboDeviceStroke.items = QStringList{"9"};
    x.comboDeviceStroke.text = QStringLiteral("old");
    panels.SetStrokeList(0, QString(), QString());
    QCOMPARE(x.comboDeviceStroke.items, items);
    QCOMPARE(x.comboDeviceStroke.text, text);
}

void TestDeviceWindows::panelsOfUsedAndUnusedAxes_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<int>("unusedAxis");
    QTest::newRow("offline, axis 3 unused") << false << 2;
    QTest::newRow("online, axis 3 unused") << true << 2;
    QTest::newRow("offline, axis 1 unused") << false << 0;
    QTest::newRow("online, axis 4 unused") << true << 3;
}

void TestDeviceWindows::panelsOfUsedAndUnusedAxes()
{
    QFETCH(bool, online);
    QFETCH(int, unusedAxis);

    TestEnv env;
    for (int a = 0; a < kAxisCount; ++a)
        setCurrent(a, QStringLiteral(" 35"), QStringLiteral("D"), 300);
    gAxisUnused[unusedAxis] = true;
    gDevSize[unusedAxis] = QStringLiteral("E35");

    auto check = [&](DevicePanels &p, const actuators::devicewindow::Controls &c) {
        for (int a = 0; a < kAxisCount; ++a) {
            const bool used = a != unusedAxis;
            QCOMPARE(p.axis[a].chkAxisEnable.value, used ? 1 : 0);
            QCOMPARE(p.axis[a].pictureVisible, used);
            QCOMPARE(c.axis[a].chkAxisEnable->isChecked(), used);
            QCOMPARE(c.axis[a].PictureAxis->isVisibleTo(c.axis[a].framAxis), used);
            QCOMPARE(c.axis[a].comboDeviceSize->currentText(), used ? QStringLiteral(" 35") : QStringLiteral(" 28"));
            if (used)
                QCOMPARE(c.axis[a].comboDeviceStroke->currentText(), QStringLiteral("300"));
        }
    };
    if (online) {
        frmDevice3 w;
        check(w.panels(), w.controls());
        QVERIFY(gDevWinOnline);
        QCOMPARE(w.windowTitle(), LoadResText(1501));
        QVERIFY(!w.cmdDeviceSet()->isVisibleTo(&w));
    } else {
        frmDevice2 w;
        check(w.panels(), w.controls());
        QCOMPARE(w.windowTitle(), LoadResText(1401));
        QVERIFY(w.cmdDeviceCancel()->isVisibleTo(&w));
    }
    QVERIFY(env.dialogs().boxes().isEmpty());
}

// The hidden old-type box: what it holds after the window opens, a size and a speed are
// chosen, for an axis whose current actuator is old type.
void TestDeviceWindows::oldTypeBoxAfterChoices_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("shownAfterLoad");
    QTest::addColumn<int>("afterLoad");
    QTest::addColumn<int>("afterSize");
    QTest::addColumn<int>("afterSpeed");

    QTest::newRow("offline  42") << false << " 42" << false << 0 << 0 << 0;
    QTest::newRow("online  42") << true << " 42" << false << 1 << 1 << 0;
    QTest::newRow("offline  28 shown, kept") << false << " 28" << true << 1 << 1 << 1;
    QTest::newRow("online  28 shown, kept") << true << " 28" << true << 1 << 1 << 1;
}

void TestDeviceWindows::oldTypeBoxAfterChoices()
{
    QFETCH(bool, online);
    QFETCH(QString, size);
    QFETCH(bool, shownAfterLoad);
    QFETCH(int, afterLoad);
    QFETCH(int, afterSize);
    QFETCH(int, afterSpeed);

    TestEnv env;
    setCurrent(0, size, QStringLiteral("L"), 100, false);
    for (int a = 1; a < kAxisCount; ++a)
        gAxisUnused[a] = true;
    DevicePanels p(online ? DevicePanels::Kind::Online : DevicePanels::Kind::Offline);
    p.Form_Load();
    QCOMPARE(p.axis[0].chkNewOrOld.visible, shownAfterLoad);
    QCOMPARE(p.axis[0].chkNewOrOld.value, afterLoad);
    p.comboDeviceSize_Click(0);
    QCOMPARE(p.axis[0].chkNewOrOld.value, afterSize);
    p.comboDeviceSpeed_Click(0);
    QCOMPARE(p.axis[0].chkNewOrOld.value, afterSpeed);
    QVERIFY(env.dialogs().boxes().isEmpty());
}

// From the panel of axis 1 to its pending set, for both windows.
void TestDeviceWindows::setIntoPendingSet_data()
{
    QTest::addColumn<bool>("online");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("strokeText");
    QTest::addColumn<int>("oldType");
    QTest::addColumn<int>("vType");
    QTest::addColumn<int>("pg");
    QTest::addColumn<int>("stroke");
    QTest::addColumn<bool>("newType");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("withPG");

    QTest::newRow("offline E35 old V off: forced") << false << "E35" << "100" << 1 << 0 << 0 << 100 << true << true << false;
    QTest::newRow("offline  28 old, V, PG") << false << " 28" << "50" << 1 << 1 << 1 << 50 << false << true << true;
    QTest::newRow("offline  28 new: V forced") << false << " 28" << "150" << 0 << 0 << 0 << 150 << true << true << false;
    QTest::newRow("offline  99 forced") << false << " 99" << "100" << 1 << 0 << 1 << 100 << true << true << true;
    QTest::newRow("offline stroke 12.5") << false << " 35" << "12.5" << 1 << 0 << 0 << 12 << false << false << false;
    QTest::newRow("offline stroke 13.5") << false << " 35" << "13.5" << 1 << 0 << 0 << 14 << false << false << false;
    QTest::newRow("offline stroke empty") << false << " 35" << "" << 1 << 0 << 0 << 0 << false << false << false;
    QTest::newRow("online  20 forced too") << true << " 20" << "30" << 1 << 0 << 0 << 30 << true << true << false;
    QTest::newRow("online  42 old V off: forced") << true << " 42" << "100" << 1 << 0 << 1 << 100 << true << true << true;
    QTest::newRow("online  28 new, V from box") << true << " 28" << "100" << 0 << 0 << 0 << 100 << true << false << false;
    QTest::newRow("online  35 old, V and PG") << true << " 35" << "200" << 1 << 1 << 1 << 200 << false << true << true;
}

void TestDeviceWindows::setIntoPendingSet()
{
    QFETCH(bool, online);
    QFETCH(QString, size);
    QFETCH(QString, strokeText);
    QFETCH(int, oldType);
    QFETCH(int, vType);
    QFETCH(int, pg);
    QFETCH(int, stroke);
    QFETCH(bool, newType);
    QFETCH(bool, vertical);
    QFETCH(bool, withPG);

    TestEnv env;
    for (int a = 0; a < kAxisCount; ++a)
        setCurrent(a, QStringLiteral(" 28"), QStringLiteral("L"), 100);
    DevicePanels p(online ? DevicePanels::Kind::Online : DevicePanels::Kind::Offline);
    p.Form_Load();
    DevicePanels::Axis &x = p.axis[0];
    x.comboDeviceSize.text = size;
    x.comboDeviceSpeed.text = QStringLiteral("D");
    x.comboDeviceStroke.text = strokeText;
    x.chkNewOrOld.value = oldType;
    x.chkDevVsiyou.value = vType;
    x.chkDevPgUse.value = pg;
    p.cmdDeviceSet_Click();

    QCOMPARE(gDevSetteiFamily[0], QStringLiteral("QZ"));
    QCOMPARE(gDevSetteiSize[0], size);
    QCOMPARE(gDevSetteiSpeed[0], QStringLiteral("D"));
    QCOMPARE(gDevSetteiStroke[0], stroke);
    QCOMPARE(gDevSetteiNewType[0], newType);
    QCOMPARE(gDevSetteiVertical[0], vertical);
    QCOMPARE(gDevSetteiWithPG[0], withPG);
    QVERIFY(!p.CancelFlag);
    QVERIFY(env.dialogs().boxes().isEmpty());
}

void TestDeviceWindows::offlineSetWithAxisChange_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("axis2Unused");
    QTest::newRow("Yes") << int(platform::IdYes) << true;
    QTest::newRow("No") << int(platform::IdNo) << false;
}

void TestDeviceWindows::offlineSetWithAxisChange()
{
    QFETCH(int, answer);
    QFETCH(bool, axis2Unused);

    TestEnv env;
    for (int a = 0; a < kAxisCount; ++a)
        setCurrent(a, QStringLiteral(" 28"), QStringLiteral("L"), 100);
    gDevSetteiSize[1] = QStringLiteral("old");
    DevicePanels p(DevicePanels::Kind::Offline);
    p.Form_Load();
    p.setAxisEnable(1, 0);
    QVERIFY(!p.axis[1].pictureVisible);
    env.dialogs().answer(answer);
    p.cmdDeviceSet_Click();
    QCOMPARE(env.dialogs().prompts(), QStringList{ResLines({1151, 1152})});
    QCOMPARE(env.dialogs().boxes().constFirst().title, LoadResText(1150));
    QCOMPARE(env.dialogs().boxes().constFirst().style, int(platform::MbYesNo));
    QCOMPARE(gAxisUnused[1], axis2Unused);
    // An axis marked unused keeps its pending values; a used one takes its panel.
    QCOMPARE(gDevSetteiSize[1], axis2Unused ? QStringLiteral("old") : QStringLiteral(" 28"));
    QCOMPARE(gDevSetteiSize[0], QStringLiteral(" 28"));
}

void TestDeviceWindows::cancelRestoresPendingSet_data()
{
    QTest::addColumn<bool>("online");
    QTest::newRow("offline") << false;
    QTest::newRow("online") << true;
}

void TestDeviceWindows::cancelRestoresPendingSet()
{
    QFETCH(bool, online);

    TestEnv env;
    for (int a = 0; a < kAxisCount; ++a)
        setCurrent(a, QStringLiteral(" 28"), QStringLiteral("L"), 100, false);
    gDevWinCalled = true;
    for (int a = 0; a < kAxisCount; ++a) {
        gDevSetteiNewType[a] = true;
        gDevSetteiSize[a] = QStringLiteral("before");
    }
    ModalDriver driver;
    driver.then([](QWidget *w) {
        // The old-type box changes the pending set while the window is open.
        auto *box = w->findChild<QCheckBox *>(QStringLiteral("chkNewOrOld0"));
        box->click();
        QTest::keyClick(w, Qt::Key_Escape);
    });
    bool cancelled = false;
    if (online) {
        frmDevice3 w;
        w.exec();
        cancelled = w.CancelFlag();
    } else {
        frmDevice2 w;
        w.exec();
        cancelled = w.CancelFlag();
    }
    QVERIFY(cancelled);
    for (int a = 0; a < kAxisCount; ++a) {
        QVERIFY(gDevSetteiNewType[a]);
        QCOMPARE(gDevSetteiSize[a], QStringLiteral("before"));
    }
    QCOMPARE(driver.shown().size(), 1);
}

void TestDeviceWindows::lockedWindowOffersOnlySet()
{
    TestEnv env;
    for (int a = 0; a < kAxisCount; ++a)
        setCurrent(a, QStringLiteral(" 35"), QStringLiteral("D"), 300);
    gDevSelectLock = true;
    ModalDriver driver;
    bool openAfterEscape = false;
    bool openAfterClose = false;
    bool cancelShown = true;
    driver.then([&](QWidget *w) {
        auto *f = qobject_cast<frmDevice2 *>(w);
        cancelShown = f->cmdDeviceCancel()->isVisible() || f->cmdDeviceCancel()->isEnabled();
        QTest::keyClick(f, Qt::Key_Escape);
        openAfterEscape = f->isVisible();
        f->close();
        openAfterClose = f->isVisible();
        f->cmdDeviceSet()->click();
    });
    frmDevice2 w;
    QCOMPARE(w.exec(), int(QDialog::Accepted));
    QVERIFY(!cancelShown);
    QVERIFY(openAfterEscape);
    QVERIFY(openAfterClose);
    QVERIFY(!w.CancelFlag());
    QCOMPARE(gDevSetteiSize[2], QStringLiteral(" 35"));
    QCOMPARE(gDevSetteiStroke[2], 300);
}

void TestDeviceWindows::missingCatalogueToldOnce()
{
    TestEnv env;
    platform::setProgramFolder(env.tempPath(QString()));
    for (int a = 0; a < kAxisCount; ++a)
        setCurrent(a, QStringLiteral(" 35"), QStringLiteral("D"), 300);
    env.dialogs().answer(platform::IdOk);
    DevicePanels p(DevicePanels::Kind::Online);
    p.Form_Load();
    QCOMPARE(env.dialogs().prompts(), QStringList{ResLines({15, 16})});
    QCOMPARE(p.axis[0].comboDeviceSize.text, QStringLiteral(" 35"));

    // A later choice reads the file again and tells it again, once.
    env.dialogs().clear();
    env.dialogs().answer(platform::IdOk);
    p.comboDeviceSize_Click(0);
    QCOMPARE(env.dialogs().prompts(), QStringList{LoadResText(15)});
}

void TestDeviceWindows::windowFollowsOperatorChoices()
{
    TestEnv env;
    gDispMmUnit = true;
    for (int a = 0; a < kAxisCount; ++a)
        setCurrent(a, QStringLiteral(" 28"), QStringLiteral("L"), 100);
    frmDevice2 w;
    w.show();
    const actuators::devicewindow::AxisControls &x = w.controls().axis[1];
    QCOMPARE(x.lblDeviceSize->buddy(), x.comboDeviceSize);
    QCOMPARE(x.chkAxisEnable->text(), LoadResText(1409));
    QVERIFY(w.controls().cautions[0]->isVisible());

    // Choosing a size rebuilds the speed and stroke lists for it.
    const int e35 = x.comboDeviceSize->findText(QStringLiteral("E35"));
    QVERIFY(e35 >= 0);
    x.comboDeviceSize->setCurrentIndex(e35);
    Q_EMIT x.comboDeviceSize->activated(e35);
    QCOMPARE(x.comboDeviceSpeed->currentText(), QStringLiteral("L"));
    QCOMPARE(x.comboDeviceStroke->count(), 4);
    QVERIFY(!x.chkNewOrOld->isVisible());
    QVERIFY(!x.chkDevPgUse->isVisible()); // PG always present
    QVERIFY(x.chkDevPgUse->isChecked());

    // Unchecking the axis hides its panel; Set then asks about the axis change.
    x.chkAxisEnable->click();
    QVERIFY(!x.PictureAxis->isVisible());
    env.dialogs().answer(platform::IdYes);
    w.cmdDeviceSet()->click();
    QVERIFY(gAxisUnused[1]);
    QCOMPARE(gDevSetteiSize[1], QString());
    QVERIFY(!w.isVisible());
}

void TestDeviceWindows::leavingSpeedList_data()
{
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("stroke");
    // Leaving the list for another control refreshes the axis as a choice does: the stroke
    // list is rebuilt and shows the current stroke again.
    QTest::newRow("tab to another control") << int(Qt::TabFocusReason) << QStringLiteral("100");
    QTest::newRow("click on another control") << int(Qt::MouseFocusReason) << QStringLiteral("100");
    // Opening its own drop-down or the window losing activation leaves the chosen stroke.
    QTest::newRow("own drop-down opened") << int(Qt::PopupFocusReason) << QStringLiteral("200");
    QTest::newRow("window deactivated") << int(Qt::ActiveWindowFocusReason) << QStringLiteral("200");
}

void TestDeviceWindows::leavingSpeedList()
{
    QFETCH(int, reason);
    QFETCH(QString, stroke);
    TestEnv env;
    for (int a = 0; a < kAxisCount; ++a)
        setCurrent(a, QStringLiteral(" 28"), QStringLiteral("L"), 100);
    frmDevice2 w;
    w.show();
    const actuators::devicewindow::AxisControls &x = w.controls().axis[0];
    const int item = x.comboDeviceStroke->findText(QStringLiteral("200"));
    QVERIFY(item >= 0);
    x.comboDeviceStroke->setCurrentIndex(item);
    QCOMPARE(x.comboDeviceStroke->currentText(), QStringLiteral("200"));

    QFocusEvent out(QEvent::FocusOut, Qt::FocusReason(reason));
    QCoreApplication::sendEvent(x.comboDeviceSpeed, &out);
    QCOMPARE(x.comboDeviceStroke->currentText(), stroke);

    env.dialogs().answer(platform::IdYes);
    w.cmdDeviceSet()->click();
    QCOMPARE(gDevSetteiStroke[0], stroke.toInt());
}

// Detail Edit takes the choice as Set does and, once the modal window has gone, the parameter
// window opens.
void TestDeviceWindows::detailEditOpensParameterWindow()
{
    TestEnv env;
    for (int a = 0; a < kAxisCount; ++a)
        setCurrent(a, QStringLiteral(" 28"), QStringLiteral("L"), 100);
    core::mainform::clearCommands();
    editors::registerParameterWindowCommands();
    ModalDriver driver;
    driver.then([](QWidget *w) {
        auto *window = qobject_cast<frmDevice3 *>(w);
        window->panels().axis[1].comboDeviceStroke.text = QStringLiteral("150");
        window->cmdSyosai()->click();
    });
    {
        frmDevice3 w;
        QCOMPARE(w.exec(), int(QDialog::Accepted));
        QVERIFY(!w.CancelFlag());
    }
    QCOMPARE(driver.pending(), 0);
    QCOMPARE(gDevSetteiStroke[1], 150);
    QVERIFY(!frmParameta2::instance());
    // The link's Timer2 opens the window on its next tick; the test has that tick come at
    // once instead of a second later.
    QTimer &timer2 = link::SerialLink::instance().timer2();
    QVERIFY(timer2.isActive());
    const int interval = timer2.interval();
    const auto restore = qScopeGuard([&timer2, interval] { timer2.setInterval(interval); });
    timer2.setInterval(0);
    QTRY_VERIFY(frmParameta2::instance() && frmParameta2::instance()->isVisible());
    QVERIFY(!timer2.isActive());
    QVERIFY(!gDevSyosaiReq);
    frmParameta2::instance()->close();
    QTRY_VERIFY(!frmParameta2::instance());
    link::resetLinkHooks();
    core::mainform::clearCommands();
}

QTEST_MAIN(TestDeviceWindows)
#include "tst_devicewindows.moc"
