// The input/output monitor against the simulated controller; its timers are driven by
// calling their handlers.
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "tables/IoBits.h"
#include "operation/StopOnExit.h"
#include "operation/frmIOCheck.h"
#include "core/MainForm.h"
#include "support/FakeMainForm.h"
#include "support/LostPortBox.h"
#include "support/ModalDriver.h"
#include "support/SimFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class TestIoCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void lampsFollowTheReads_data();
    void lampsFollowTheReads();
    void toggleWritesTheOutputWord_data();
    void toggleWritesTheOutputWord();
    void modeCommandFollowsIgnoreBox_data();
    void modeCommandFollowsIgnoreBox();
    void clicksThatChangeNothing();
    void startWaitsForAFreeLink();
    void failedReadEndsMonitoring_data();
    void failedReadEndsMonitoring();
    void portLostBetweenTicksEndsMonitoring();
    void closingRefusedWhileMonitoring();
    void everyWayOutShowsTheMonitoringStopped_data();
    void everyWayOutShowsTheMonitoringStopped();
    void openedModalByTheMainWindow_data();
    void openedModalByTheMainWindow();

private:
    // Start monitoring: the click, then the tick that sends the mode command and reads.
    void start(frmIOCheck &w);
    QStringList litLamps(frmIOCheck &w) const;
    SimFixture m_sim;
};

void TestIoCheck::initTestCase()
{
    m_sim.startOrFail();
}

void TestIoCheck::init()
{
    m_sim.reset();
    tables::resetIoBits();
    gPortOccupy = false;
    gTusinNow = false;
}

void TestIoCheck::start(frmIOCheck &w)
{
    w.cmdIoMonitor_Click();
    w.timerInputOutput1_Timer();
}

QStringList TestIoCheck::litLamps(frmIOCheck &w) const
{
    QStringList lit;
    const QList<QWidget *> all = w.findChildren<QWidget *>();
    for (QWidget *c : all) {
        if ((c->objectName().startsWith(QLatin1String("imgInput"))
             || c->objectName().startsWith(QLatin1String("imgOutput")))
            && !c->isHidden())
            lit << c->objectName();
    }
    lit.sort();
    return lit;
}

void TestIoCheck::lampsFollowTheReads_data()
{
    QTest::addColumn<QByteArray>("inputs");
    QTest::addColumn<QByteArray>("outputs");
    QTest::addColumn<QStringList>("lit");

    QTest::newRow("nothing set") << QByteArray("000000") << QByteArray("000000") << QStringList();
    QTest::newRow("outputs 3 5 0 2 0 3")
        << QByteArray("000000") << QByteArray("350203")
        << QStringList{"imgOutputExp1", "imgOutputExp3", "imgOutputInp", "imgOutputOut1",
                       "imgOutputOut2", "imgOutputP20", "imgOutputRdy"};
    // Bit 0 of digit 0 and bits 0 and 1 of digit 5 have no output lamp.
    QTest::newRow("outputs without lamps") << QByteArray("000000") << QByteArray("80000C") << QStringList();
    QTest::newRow("inputs, position 123 in BCD")
        << QByteArray("8F1239") << QByteArray("000000")
        << QStringList{"imgInputExp1", "imgInputExp2", "imgInputExp3", "imgInputExp4",
                       "imgInputHomeLs1", "imgInputHomeLs4", "imgInputP1", "imgInputP100",
                       "imgInputP2", "imgInputP20", "imgInputStb"};
}

void TestIoCheck::lampsFollowTheReads()
{
    QFETCH(QByteArray, inputs);
    QFETCH(QByteArray, outputs);
    QFETCH(QStringList, lit);
    m_sim.model().setInputs(inputs);
    m_sim.model().setOutputs(outputs);
    frmIOCheck w;
    QVERIFY(w.timerInputOutput1()->isActive());
    QCOMPARE(litLamps(w), QStringList());

    start(w);
    QVERIFY(w.monitor().IoCheckTyu());
    QCOMPARE(m_sim.received(), (QStringList{"0CM00", "0RI", "0RO"}));
    QCOMPARE(litLamps(w), lit);
    QCOMPARE(w.findChild<QPushButton *>("cmdIoMonitor")->text(), LoadResText(704));
    QVERIFY(!w.findChild<QPushButton *>("cmdIoWinClose")->isEnabled());
    QCOMPARE(gTusinNow, false);
    QVERIFY(!w.monitor().readUnderWay());
}

void TestIoCheck::toggleWritesTheOutputWord_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("clicks"); // white icons "24".."44" or lamp names
    QTest::addColumn<QString>("written");

    QTest::newRow("OUT1 on") << QByteArray("000000") << QStringList{"imgWhiteIcon32"} << "0WO000001";
    QTest::newRow("OP800 and RDY on") << QByteArray("000000")
                                      << QStringList{"imgWhiteIcon33", "imgWhiteIcon25"} << "0WO208000";
    QTest::newRow("lit OUT2 off, silent bits kept") << QByteArray("80000E")
                                                    << QStringList{"imgOutputOut2"} << "0WO80000C";
    QTest::newRow("two clicks toggle once") << QByteArray("000000")
                                            << QStringList{"imgWhiteIcon32", "imgWhiteIcon32"} << "0WO000001";
}

void TestIoCheck::toggleWritesTheOutputWord()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, clicks);
    QFETCH(QString, written);
    m_sim.model().setOutputs(before);
    frmIOCheck w;
    start(w);
    m_sim.controller().clearReceived();

    for (const QString &name : clicks) {
        auto *b = w.findChild<QToolButton *>(name);
        QVERIFY2(b && !b->isHidden(), qPrintable(name));
        b->click();
    }
    QVERIFY(w.monitor().OutputHenkoAri());
    w.timerInputOutput1_Timer();

    // The write replaces the read, and a read shows the result.
    QCOMPARE(m_sim.received(), (QStringList{written, "0RI", "0RO"}));
    QCOMPARE(m_sim.model().outputs(), written.mid(3).toLatin1());
    QVERIFY(!w.monitor().OutputHenkoAri());
    for (int d = 0; d < kIoDigits; ++d)
        for (int b = 0; b < kIoBitsPerDigit; ++b)
            QVERIFY(!gOutputReq[d][b]);
    QVERIFY(m_sim.prompts().isEmpty());
}

void TestIoCheck::modeCommandFollowsIgnoreBox_data()
{
    QTest::addColumn<bool>("ignore");
    QTest::addColumn<QString>("startLine");
    QTest::newRow("inputs obeyed") << false << "0CM00";
    QTest::newRow("inputs ignored") << true << "0CM01";
}

void TestIoCheck::modeCommandFollowsIgnoreBox()
{
    QFETCH(bool, ignore);
    QFETCH(QString, startLine);
    m_sim.model().setOutputs("000001");
    frmIOCheck w;
    // The pause must not end inside the start's exchange on a loaded machine: the test ends it.
    w.TimerBtnOff()->setInterval(3600 * 1000);
    w.findChild<QCheckBox *>("chkIgnore")->setChecked(ignore);
    start(w);
    QCOMPARE(m_sim.received().value(0), startLine);
    QVERIFY(!litLamps(w).isEmpty());

    // The button comes back after its pause; the stop is taken by the next tick.
    auto *monitorButton = w.findChild<QPushButton *>("cmdIoMonitor");
    QVERIFY(!monitorButton->isEnabled());
    w.TimerBtnOff_Timer();
    QVERIFY(monitorButton->isEnabled());
    m_sim.controller().clearReceived();
    w.cmdIoMonitor_Click();
    QVERIFY(w.monitor().gonnaStopFLG());
    w.timerInputOutput1_Timer();

    QCOMPARE(m_sim.received(), (QStringList{"0RI", "0RO", "0CM00"}));
    QVERIFY(!w.monitor().IoCheckTyu());
    QCOMPARE(litLamps(w), QStringList());
    QCOMPARE(monitorButton->text(), LoadResText(702));
    QVERIFY(w.findChild<QPushButton *>("cmdIoWinClose")->isEnabled());
    QVERIFY(w.findChild<QCheckBox *>("chkIgnore")->isEnabled());
    QVERIFY(!CommPortIsOpen());
    QCOMPARE(gTusinNow, false);
}

void TestIoCheck::clicksThatChangeNothing()
{
    frmIOCheck w;
    // Not monitoring: a white icon takes no click.
    w.imgWhiteIcon_Click(32);
    QVERIFY(!w.monitor().OutputHenkoAri());
    w.timerInputOutput1_Timer();
    QVERIFY(m_sim.received().isEmpty());

    start(w);
    w.cmdIoMonitor_Click(); // stop requested
    w.imgWhiteIcon_Click(32);
    QVERIFY(!w.monitor().OutputHenkoAri());
    QVERIFY(!gOutputReq[5][3]);
    w.timerInputOutput1_Timer();
    QVERIFY(!m_sim.received().join(' ').contains(QLatin1String("0WO")));
}

void TestIoCheck::startWaitsForAFreeLink()
{
    frmIOCheck w;
    w.cmdIoMonitor_Click();
    gTusinNow = true; // another exchange runs
    w.timerInputOutput1_Timer();
    QVERIFY(w.monitor().gonnaStartFLG());
    QCOMPARE(w.findChild<QPushButton *>("cmdIoMonitor")->text(), LoadResText(702));
    QVERIFY(m_sim.received().isEmpty());

    gTusinNow = false;
    w.timerInputOutput1_Timer();
    QVERIFY(w.monitor().IoCheckTyu());
    QVERIFY(!w.monitor().gonnaStartFLG());
    QCOMPARE(w.findChild<QPushButton *>("cmdIoMonitor")->text(), LoadResText(704));
}

void TestIoCheck::failedReadEndsMonitoring_data()
{
    QTest::addColumn<QByteArray>("silent");
    QTest::addColumn<bool>("pendingToggle");
    QTest::addColumn<bool>("ignoreInputs");
    QTest::addColumn<bool>("modeReset"); // "0CM00" tried after the failure
    // Sent is enough: the controller may have taken "0CM01" and lost only its answer.
    QTest::newRow("mode command unanswered") << QByteArray("0CM") << false << true << true;
    QTest::newRow("input read unanswered, inputs ignored") << QByteArray("0RI") << false << true << true;
    QTest::newRow("output write unanswered") << QByteArray("0WO") << true << false << true;
}

void TestIoCheck::failedReadEndsMonitoring()
{
    QFETCH(QByteArray, silent);
    QFETCH(bool, pendingToggle);
    QFETCH(bool, ignoreInputs);
    QFETCH(bool, modeReset);
    m_sim.model().setOutputs("000001");
    frmIOCheck w;
    w.findChild<QCheckBox *>("chkIgnore")->setChecked(ignoreInputs);
    if (silent != "0CM") {
        start(w);
        QVERIFY(w.monitor().IoCheckTyu());
    } else {
        w.cmdIoMonitor_Click();
    }
    if (pendingToggle)
        w.imgWhiteIcon_Click(31);
    m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::Silence, silent));
    for (int i = 0; i < 8; ++i)
        m_sim.dialogs().answer(1);
    m_sim.controller().clearReceived();

    w.timerInputOutput1_Timer();

    // The controller takes its external inputs again once monitoring has run.
    const QStringList lines = m_sim.received();
    QVERIFY2(lines.size() >= 1, qPrintable(lines.join(' ')));
    QCOMPARE(lines.last() == QLatin1String("0CM00"), modeReset);
    if (silent == "0CM")
        QCOMPARE(lines, (QStringList{"0CM01", "0CM00"}));
    // One failure, one box: the attempt to leave the mode adds none.
    QCOMPARE(m_sim.prompts(), QStringList{ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n"))});
    QVERIFY(!CommPortIsOpen());
    QVERIFY(!w.monitor().IoCheckTyu());
    QVERIFY(!w.monitor().gonnaStartFLG());
    QCOMPARE(litLamps(w), QStringList());
    QCOMPARE(w.findChild<QPushButton *>("cmdIoMonitor")->text(), LoadResText(702));
    QVERIFY(w.findChild<QPushButton *>("cmdIoWinClose")->isEnabled());
    QCOMPARE(gTusinNow, false);
    // A toggle that did not reach the controller is not kept for a later start.
    QVERIFY(!w.monitor().OutputHenkoAri());
    QVERIFY(!gOutputReq[5][2]);
}

// The port vanishes between two ticks with an output toggle clicked, and is back under the
// same device while the link's box stands: the next tick sends no output, ends the monitoring
// and takes the controller's inputs back (one silent "0CM00"); the operator starts it again.
void TestIoCheck::portLostBetweenTicksEndsMonitoring()
{
    QTemporaryDir dir;
    const QString port = dir.filePath(QStringLiteral("ttyUSB-qz"));
    QVERIFY(m_sim.useFixedPath(port));
    auto backToSimulator = qScopeGuard([&] { m_sim.useSimulator(); });

    frmIOCheck w;
    w.findChild<QCheckBox *>("chkIgnore")->setChecked(true);
    start(w);
    QVERIFY(w.monitor().IoCheckTyu());
    QVERIFY(CommPortIsOpen());
    w.imgWhiteIcon_Click(31);
    QVERIFY(w.monitor().OutputHenkoAri());

    m_sim.dialogs().answer(platform::IdOk);
    m_sim.dialogs().onBox([&](const platform::DialogScript::Box &) {
        QString error;
        QVERIFY2(m_sim.restartController(&error), qPrintable(error));
        m_sim.controller().clearReceived();
    });
    m_sim.controller().vanish();
    QTRY_COMPARE(m_sim.dialogs().boxes().size(), 1);
    QCOMPARE(boxesShown(m_sim.prompts()), QStringList{kLostPort});

    w.timerInputOutput1_Timer();
    w.timerInputOutput1_Timer();
    QCOMPARE(m_sim.received(), QStringList{"0CM00"});
    QVERIFY(!w.monitor().IoCheckTyu());
    QVERIFY(!w.monitor().OutputHenkoAri());
    QCOMPARE(w.findChild<QPushButton *>("cmdIoMonitor")->text(), LoadResText(702));
    QCOMPARE(boxesShown(m_sim.prompts()), QStringList{kLostPort});

    m_sim.controller().clearReceived();
    w.TimerBtnOff_Timer();
    start(w);
    QCOMPARE(m_sim.received().value(0), QStringLiteral("0CM01"));
    QVERIFY(w.monitor().IoCheckTyu());
}

void TestIoCheck::closingRefusedWhileMonitoring()
{
    frmIOCheck w;
    w.show();
    start(w);
    w.close();
    QVERIFY(w.isVisible());
    w.reject(); // Escape
    QVERIFY(w.isVisible());

    w.cmdIoMonitor_Click();
    w.timerInputOutput1_Timer();
    w.cmdIoWinClose_Click();
    QVERIFY(!w.isVisible());
    QVERIFY(!w.timerInputOutput1()->isActive());
}

void TestIoCheck::everyWayOutShowsTheMonitoringStopped_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("ignoreInputs");
    QTest::addColumn<QStringList>("sent"); // from the way out on, each line once
    QTest::newRow("the stop") << "stop" << true << QStringList{"0RI", "0RO", "0CM00"};
    QTest::newRow("a read unanswered") << "loss" << true << QStringList{"0RI", "0CM00"};
    // The desktop's log-out settles the controller, and another program then cancels it.
    QTest::newRow("a session end, cancelled") << "session end" << true << QStringList{"0CM00"};
    QTest::newRow("a session end, inputs obeyed, cancelled") << "session end" << false << QStringList{};
}

// However the monitoring ends, the window shows it stopped, and its button's next click starts
// it again.
void TestIoCheck::everyWayOutShowsTheMonitoringStopped()
{
    QFETCH(QString, way);
    QFETCH(bool, ignoreInputs);
    QFETCH(QStringList, sent);
    m_sim.model().setOutputs("000001");
    frmIOCheck w;
    w.TimerBtnOff()->setInterval(3600 * 1000);
    auto *button = w.findChild<QPushButton *>("cmdIoMonitor");
    w.findChild<QCheckBox *>("chkIgnore")->setChecked(ignoreInputs);
    start(w);
    w.TimerBtnOff_Timer();
    QVERIFY(w.monitor().IoCheckTyu());
    QCOMPARE(button->text(), LoadResText(704));
    QVERIFY(!litLamps(w).isEmpty());
    m_sim.controller().clearReceived();

    if (way == QLatin1String("stop")) {
        w.cmdIoMonitor_Click();
        w.timerInputOutput1_Timer();
        w.TimerBtnOff_Timer();
    } else if (way == QLatin1String("loss")) {
        m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::Silence, "0RI"));
        m_sim.dialogs().answer(platform::IdOk);
        w.timerInputOutput1_Timer();
        m_sim.controller().clearFaults();
    } else {
        // What the session's commitDataRequest runs.
        QVERIFY(operation::settleControllerBeforeExit());
    }

    QStringList received = m_sim.received();
    received.removeDuplicates(); // a read unanswered is sent again
    QCOMPARE(received, sent);
    QVERIFY(!w.monitor().IoCheckTyu());
    QCOMPARE(button->text(), LoadResText(702));
    QVERIFY(button->isEnabled());
    QVERIFY(w.findChild<QPushButton *>("cmdIoWinClose")->isEnabled());
    QVERIFY(w.findChild<QCheckBox *>("chkIgnore")->isEnabled());
    QCOMPARE(litLamps(w), QStringList());
    QVERIFY(!CommPortIsOpen());
    QCOMPARE(gTusinNow, false);

    m_sim.controller().clearReceived();
    start(w);
    QCOMPARE(m_sim.received().value(0), ignoreInputs ? QStringLiteral("0CM01") : QStringLiteral("0CM00"));
    QVERIFY(w.monitor().IoCheckTyu());
    QCOMPARE(button->text(), LoadResText(704));
}

void TestIoCheck::openedModalByTheMainWindow_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("buttonsSwitched");
    QTest::newRow("button") << "cmdOpenIoWin_Click" << true;
    QTest::newRow("toolbar") << "ShowIoWindow" << true;
    QTest::newRow("menu") << "mnuShowState_Click" << false;
}

void TestIoCheck::openedModalByTheMainWindow()
{
    QFETCH(QString, command);
    QFETCH(bool, buttonsSwitched);
    FakeMainForm form;
    core::mainform::clearCommands();
    operation::registerIoCheckCommands();
    ModalDriver driver;
    bool buttonsOffInside = false;
    driver.then([&](QWidget *window) {
        buttonsOffInside = form.disabled.contains(QStringLiteral("cmdOpenIoWin"));
        clickChild(window, QStringLiteral("cmdIoWinClose"));
    });

    QCOMPARE(core::mainform::runCommand(command), 0);

    QCOMPARE(driver.shown(), QStringList{"frmIOCheck"});
    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(buttonsOffInside, buttonsSwitched);
    QVERIFY(!form.disabled.contains(QStringLiteral("cmdOpenIoWin")));
    core::mainform::clearCommands();
}

QTEST_MAIN(TestIoCheck)
#include "tst_iocheck.moc"
