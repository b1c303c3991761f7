// The jog and teaching window against the simulated controller; its timers are driven by
// calling their handlers.
#include "tables/DevSetting.h"
#include "app/frmMain.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/CommandSet.h"
#include "link/ErrorList.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "operation/JogCommand.h"
#include "operation/frmJOG.h"
#include "platform/FixedGrid.h"
#include "platform/SettingsStore.h"
#include "tables/PosiTable.h"
#include "support/FakeMainForm.h"
#include "support/LostPortBox.h"
#include "support/ModalDriver.h"
#include "support/ProcessSignal.h"
#include "support/SimFixture.h"
#include "support/X11Keys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>

using platform::SettingsStore;

class TestJog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void inchingCommand_data();
    void inchingCommand();
    void jogFeedCommand_data();
    void jogFeedCommand();
    void storedJogValues_data();
    void storedJogValues();
    void startReadsPositionsAndEnablesUsedAxes_data();
    void startReadsPositionsAndEnablesUsedAxes();
    void failedStartLeavesTheLinkFree_data();
    void failedStartLeavesTheLinkFree();
    void inchingPressSendsTheMoveAtTheNextTicks();
    void jogFeedRunsWhileHeld();
    void releaseAlwaysFindsASlot();
    void everyWayOutOfAFeedStopsIt_data();
    void everyWayOutOfAFeedStopsIt();
    void releaseBeforeTheFeedWasSentDropsIt();
    void keyAfterAFeedStartsNoOther_data();
    void keyAfterAFeedStartsNoOther();
    void keyHeldOnAJogButton_data();
    void keyHeldOnAJogButton();
    void failedStopIsTold();
    void inchingMoveLeftUnknownIsStoppedFirst_data();
    void inchingMoveLeftUnknownIsStoppedFirst();
    void owedStopGoesFirstForAnyWindow_data();
    void owedStopGoesFirstForAnyWindow();
    void programEndStopsTheFeed_data();
    void programEndStopsTheFeed();
    void normalExitSendsTheOwedStop_data();
    void normalExitSendsTheOwedStop();
    void garbledPositionStopsTheTick();
    void teachingAndTheCloseQuestion_data();
    void teachingAndTheCloseQuestion();
    void teachCommandOfTheMainWindow();
    void gridShowsEveryHeading_data();
    void gridShowsEveryHeading();
    void valuesHaveCaptions();

private:
    // The window shown, active and started, as the operator meets it before a feed.
    void startInActiveWindow(frmJOG &w);
    // Ticks until the queue is empty and no move is under way (bounded).
    void drain(frmJOG &w);
    // The main grid with positions 1 to `rows`, axis a's Posi text "a0r".
    void fillMainGrid(FakeMainForm &form, int rows);
    QTemporaryDir m_dir;
    SimFixture m_sim;
};

void TestJog::initTestCase()
{
    m_sim.startOrFail();
    SettingsStore::useFile(m_dir.filePath(QStringLiteral("settings.ini")));
}

void TestJog::init()
{
    m_sim.reset();
    QFile::remove(m_dir.filePath(QStringLiteral("settings.ini")));
    SettingsStore::useFile(m_dir.filePath(QStringLiteral("settings.ini")));
    gPortOccupy = false;
    gTusinNow = false;
    gDispMmUnit = false;
    gLanguage = 2;
    gDataChanged = false;
    m_sim.model().setMotionPolls(1);
    for (int a = 0; a < 4; ++a) {
        gDevLead[a] = 2;
        gDevPPR[a] = 400;
        gDevSize[a] = QStringLiteral(" 28");
        gDevSpeed[a] = QStringLiteral("L");
    }
    LoadJogSetting();
}

void TestJog::drain(frmJOG &w)
{
    for (int i = 0; i < 40 && (w.control().TusinDACount() >= 0 || m_sim.model().moving()); ++i)
        w.timerTusin_Timer();
}

void TestJog::fillMainGrid(FakeMainForm &form, int rows)
{
    form.grid.setRows(rows + 2);
    for (int r = 0; r < rows; ++r) {
        form.grid.setText(r + 2, 0, QString::number(r + 1));
        for (int a = 1; a <= 4; ++a)
            form.grid.setText(r + 2, 4 * a, QStringLiteral("%1%2%3").arg(a).arg(0).arg(r + 1));
    }
}

void TestJog::inchingCommand_data()
{
    QTest::addColumn<int>("amount");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("present");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("limit");

    const QString still = QStringLiteral("011000000");
    // Limit 20000 (4E20) unless given; velocity 20 (14), acceleration 3, or 1 for the " 42" "D" axis.
    QTest::newRow("1 forward at the limit stays") << 1 << 0 << 20000 << " 28"
                                                  << "0MV" "143000000" + still + still + still + "0" << 0;
    QTest::newRow("1 forward one short of the limit") << 1 << 0 << 19999 << " 28"
                                                      << "0MV" "143104E20" + still + still + still + "0" << 0;
    QTest::newRow("1 forward") << 1 << 2 << 5 << " 28" << "0MV" + still + "143100006" + still + still + "0" << 0;
    QTest::newRow("1 backward from 1") << 1 << 1 << 1 << " 28" << "0MV" "143100000" + still + still + still + "0" << 0;
    QTest::newRow("1 backward from 2") << 1 << 7 << 2 << " 28" << "0MV" + still + still + still + "143100001" "0" << 0;
    QTest::newRow("10 forward near the limit") << 10 << 0 << 19995 << " 28"
                                               << "0MV" "143104E20" + still + still + still + "0" << 0;
    QTest::newRow("100 forward at the limit stays") << 100 << 4 << 20000 << " 28"
                                                    << "0MV" + still + still + "143000000" + still + "0" << 0;
    QTest::newRow("10 backward from 10") << 10 << 1 << 10 << " 28" << "0MV" "143100000" + still + still + still + "0" << 0;
    QTest::newRow("10 backward from 11") << 10 << 1 << 11 << " 28" << "0MV" "143100001" + still + still + still + "0" << 0;
    QTest::newRow("100 forward, 42 D axis") << 100 << 0 << 0 << " 42" << "0MV" "141100064" + still + still + still + "0" << 0;
    // A present position beyond the limit never moves forward, and backwards stays within it.
    QTest::newRow("1 forward beyond the limit stays") << 1 << 0 << 20005 << " 28"
                                                      << "0MV" "143000000" + still + still + still + "0" << 0;
    QTest::newRow("10 forward beyond the limit stays") << 10 << 0 << 20005 << " 28"
                                                       << "0MV" "143000000" + still + still + still + "0" << 0;
    QTest::newRow("1 backward beyond the limit: the limit") << 1 << 1 << 20005 << " 28"
                                                            << "0MV" "143104E20" + still + still + still + "0" << 0;
    QTest::newRow("100 backward beyond the limit") << 100 << 1 << 20200 << " 28"
                                                   << "0MV" "143104E20" + still + still + still + "0" << 0;
    // A limit above FFFFF: the target keeps its five digits.
    QTest::newRow("10 forward near FFFFF, limit above it") << 10 << 0 << 0xFFFFA << " 28"
                                                           << "0MV" "1431FFFFF" + still + still + still + "0" << 0x200000;
    QTest::newRow("1 forward at FFFFF, limit above it") << 1 << 6 << 0xFFFFF << " 28"
                                                        << "0MV" + still + still + still + "143000000" "0" << 0x200000;
    QTest::newRow("100 backward, limit above FFFFF") << 100 << 3 << 0xFFFFF << " 28"
                                                     << "0MV" + still + "1431FFF9B" + still + still + "0" << 0x200000;
}

void TestJog::inchingCommand()
{
    QFETCH(int, amount);
    QFETCH(int, button);
    QFETCH(int, present);
    QFETCH(QString, size);
    QFETCH(QString, command);
    QFETCH(int, limit);
    SettingsStore::setNumber(QStringLiteral("AccOf100Pls2"), 1);
    LoadJogSetting();
    gDevSize[button / 2] = size;
    gDevSpeed[button / 2] = QStringLiteral("D");
    const QString made = operation::jog::inchingCommand(amount, button, present, limit == 0 ? 20000 : limit);
    QCOMPARE(made, command);
    QCOMPARE(made.size(), 3 + 4 * 9 + 1);
}

void TestJog::jogFeedCommand_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("velocity");
    QTest::addColumn<QString>("command");
    QTest::newRow("axis 1 forward, shown 100") << 0 << 100 << "0JR10000";
    QTest::newRow("axis 2 backward") << 3 << 100 << "0JR02000";
    QTest::newRow("axis 4 backward, 50") << 7 << 50 << "0JR00025";
    QTest::newRow("velocity under 10") << 4 << 9 << "0JR00100";
}

void TestJog::jogFeedCommand()
{
    QFETCH(int, button);
    QFETCH(int, velocity);
    QFETCH(QString, command);
    QCOMPARE(operation::jog::jogFeedCommand(button, velocity), command);
}

void TestJog::storedJogValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored"); // empty: nothing stored
    QTest::addColumn<int>("loaded");
    QTest::newRow("velocity default") << "VelOf100Pls" << "" << 20;
    QTest::newRow("velocity 45") << "VelOf100Pls" << "45" << 45;
    QTest::newRow("velocity 60") << "VelOf100Pls" << "60" << 60;
    QTest::newRow("velocity 61") << "VelOf100Pls" << "61" << 1;
    QTest::newRow("acceleration default") << "AccOf100Pls" << "" << 3;
    QTest::newRow("acceleration 5") << "AccOf100Pls" << "5" << 1;
    QTest::newRow("acceleration 0") << "AccOf100Pls" << "0" << 1;
    QTest::newRow("acceleration 2") << "AccOf100Pls" << "2" << 2;
    QTest::newRow("acceleration 2 default") << "AccOf100Pls2" << "" << 3;
    QTest::newRow("jog acceleration default") << "AccOfJog" << "" << 3;
    QTest::newRow("jog acceleration 2 default") << "AccOfJog2" << "" << 2;
    QTest::newRow("jog acceleration 2 not a number reads its default") << "AccOfJog2" << "x" << 2;
    QTest::newRow("jog acceleration 4") << "AccOfJog" << "4" << 1;
}

void TestJog::storedJogValues()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(int, loaded);
    if (!stored.isEmpty())
        SettingsStore::setText(key, stored);
    LoadJogSetting();
    if (key == QLatin1String("AccOfJog")) {
        QCOMPARE(gAccOfJog, loaded);
    } else if (key == QLatin1String("AccOfJog2")) {
        QCOMPARE(gAccOfJog2, loaded);
    } else {
        const int *slots = key == QLatin1String("VelOf100Pls") ? gVelOf100Pls
                         : key == QLatin1String("AccOf100Pls") ? gAccOf100Pls
                                                                : gAccOf100Pls2;
        for (int s = 0; s < 3; ++s)
            QCOMPARE(slots[s], loaded);
    }
}

void TestJog::startReadsPositionsAndEnablesUsedAxes_data()
{
    QTest::addColumn<int>("mask");
    QTest::addColumn<bool>("homeDone");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<QString>("readLine");
    QTest::addColumn<QString>("axis3Text");

    QTest::newRow("all axes, home first") << 0xF << false << false << "0RCF" << "0";
    QTest::newRow("axes 1 and 3, home done") << 0x5 << true << false << "0RC5" << "1234";
    QTest::newRow("millimetres") << 0x5 << true << true << "0RC5" << "  6.170";
    QTest::newRow("no axis") << 0x0 << true << false << "0RC0" << "";
}

void TestJog::startReadsPositionsAndEnablesUsedAxes()
{
    QFETCH(int, mask);
    QFETCH(bool, homeDone);
    QFETCH(bool, mm);
    QFETCH(QString, readLine);
    QFETCH(QString, axis3Text);
    FakeMainForm form;
    fillMainGrid(form, 3);
    m_sim.useAxes(mask);
    m_sim.model().setHomeDone(homeDone);
    m_sim.model().setPresentPosition(2, 1234);
    gDispMmUnit = mm;
    frmJOG w;
    QVERIFY(!w.findChild<QPushButton *>("cmdJOG0")->isEnabled());

    w.cmdJOGST_Click();

    const QStringList lines = m_sim.received();
    QCOMPARE(lines.value(0), QStringLiteral("0CM02"));
    QCOMPARE(lines.contains(QStringLiteral("0MM000F")), !homeDone);
    QVERIFY2(lines.contains(readLine), qPrintable(lines.join(' ')));
    QVERIFY(w.control().running());
    QVERIFY(w.timerTusin()->isActive());
    QCOMPARE(w.findChild<QLabel *>("lblPosi3")->text(), axis3Text);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(w.findChild<QPushButton *>(QStringLiteral("cmdJOG%1").arg(i))->isEnabled(),
                 (mask & (1 << (i / 2))) != 0);
    QVERIFY(!w.findChild<QPushButton *>("cmdJOGST")->isEnabled());
    QVERIFY(w.findChild<QPushButton *>("cmdJOGend")->isEnabled());
    for (int a = 0; a < 4; ++a)
        QCOMPARE(w.control().MaxPOS(a), (mask & (1 << a)) ? gAxisStrokeLimit[a] : 0);
    QCOMPARE(gTusinNow, false);
}

void TestJog::failedStartLeavesTheLinkFree_data()
{
    QTest::addColumn<bool>("portOpens");
    QTest::newRow("0CM unanswered") << true;
    QTest::newRow("port does not open") << false;
}

// A start whose "0CM02" fails tells that one failure in one box, the link's.
void TestJog::failedStartLeavesTheLinkFree()
{
    QFETCH(bool, portOpens);
    FakeMainForm form;
    fillMainGrid(form, 2);
    m_sim.useAxes(0xF);
    if (portOpens)
        m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::Silence, "0CM"));
    else
        m_sim.useMissingDevice();
    m_sim.dialogs().answer(platform::IdOk);
    frmJOG w;
    w.cmdJOGST_Click();
    const QString failure = portOpens ? ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n"))
                                      : link::portOpenFailureText();
    QCOMPARE(m_sim.prompts(), QStringList{failure});
    QVERIFY(m_sim.dialogs().unexpected().isEmpty());
    QCOMPARE(m_sim.received(), portOpens ? QStringList{"0CM02"} : QStringList{});
    QVERIFY(!w.control().running());
    QVERIFY(!w.timerTusin()->isActive());
    QVERIFY(w.findChild<QPushButton *>("cmdJOGST")->isEnabled());
    QVERIFY(!w.findChild<QPushButton *>("cmdJOG0")->isEnabled());
    QCOMPARE(gTusinNow, false);
    QVERIFY(!CommPortIsOpen());
}

void TestJog::inchingPressSendsTheMoveAtTheNextTicks()
{
    FakeMainForm form;
    fillMainGrid(form, 2);
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(true);
    m_sim.model().setPresentPosition(1, 500);
    frmJOG w;
    w.cmdJOGST_Click();
    w.findChild<QRadioButton *>("optJOG2")->setChecked(true); // 10 pulses
    m_sim.controller().clearReceived();

    w.cmdJOG_MouseDown(3); // axis 2 backward
    w.cmdJOG_MouseUp(3);   // inching queues nothing on release
    QCOMPARE(w.control().TusinDACount(), 0);
    QVERIFY(w.TimerDelay()->isActive());
    drain(w);

    const QString move = QStringLiteral("0MV" "011000000" "1431001EA" "011000000" "011000000" "0");
    QVERIFY2(m_sim.received().contains(move), qPrintable(m_sim.received().join(' ')));
    QCOMPARE(m_sim.model().presentPosition(1), 490);
    QCOMPARE(w.control().TusinDACount(), -1);
}

void TestJog::jogFeedRunsWhileHeld()
{
    FakeMainForm form;
    fillMainGrid(form, 2);
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(true);
    frmJOG w;
    w.cmdJOGST_Click();
    m_sim.controller().clearReceived();

    w.cmdJOG_MouseDown(0);
    for (int i = 0; i < 4; ++i)
        w.timerTusin_Timer();
    QVERIFY(m_sim.model().moving());
    // A second press inside the press gate is ignored.
    QVERIFY(!w.control().press(2, 0, 100));
    QCOMPARE(w.control().TusinDACount(), -1);
    w.TimerDelay_Timer();
    QVERIFY(w.control().DelayTimeupFLG());
    QVERIFY(!w.TimerDelay()->isActive());

    w.cmdJOG_MouseUp(0);

    QStringList moves;
    for (const QString &line : m_sim.received())
        if (line.startsWith("0JR") || line.startsWith("0SP"))
            moves << line;
    QCOMPARE(moves, (QStringList{"0JR10000", "0SP"}));
    QVERIFY(!m_sim.model().moving());
    QVERIFY(!w.control().NeedTusinFLG());
}

void TestJog::releaseAlwaysFindsASlot()
{
    FakeMainForm form;
    fillMainGrid(form, 2);
    frmJOG w;
    // Inching presses fill the queue up to its last slot ...
    for (int i = 0; i < 20; ++i) {
        w.control().TimerDelay_Timer();
        w.control().press(0, 1, 100);
    }
    QCOMPARE(w.control().TusinDACount(), JogControl::kSlots - 1);

    // ... while a JOG feed press keeps one free, and its release takes it out again.
    frmJOG w2;
    for (int i = 0; i < JogControl::kSlots - 2; ++i) {
        w2.control().TimerDelay_Timer();
        w2.control().press(0, 1, 100);
    }
    QCOMPARE(w2.control().TusinDACount(), JogControl::kSlots - 3);
    w2.control().TimerDelay_Timer();
    QVERIFY(w2.control().press(0, 0, 100));
    QCOMPARE(w2.control().TusinDACount(), JogControl::kSlots - 2);
    QVERIFY(w2.control().queue()[JogControl::kSlots - 2].command.startsWith("0JR"));
    w2.control().TimerDelay_Timer();
    QVERIFY(!w2.control().press(2, 0, 100));
    w2.control().release(0, 0);
    QCOMPARE(w2.control().TusinDACount(), JogControl::kSlots - 3);
    for (const JogControl::Entry &e : w2.control().queue())
        QVERIFY(!e.command.startsWith("0JR") && !e.command.startsWith("0SP"));
}

namespace {

// Counts the log lines that start with a prefix while it lives; they still reach the log.
class LogCounter
{
public:
    explicit LogCounter(const QString &prefix)
    {
        s_prefix = prefix;
        s_count = 0;
        s_previous = qInstallMessageHandler(handler);
    }
    ~LogCounter() { qInstallMessageHandler(s_previous); }
    int count() const { return s_count; }

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (message.startsWith(s_prefix))
            ++s_count;
        if (s_previous)
            s_previous(type, context, message);
    }
    static inline QtMessageHandler s_previous = nullptr;
    static inline QString s_prefix;
    static inline int s_count = 0;
};

enum class WayOut {
    Release,
    FocusLoss,
    Escape,
    TwoEscapes,
    Complete,
    CloseBox,
    Destruction,
    PositionReplyLost,
    FeedReplyLost,
    ReleaseWhileTickWaits,
    CompleteWhileTickWaits,
    CloseWhileTickWaits,
    SecondPressByEnter,
    SecondPressBySpaceAcrossTicks,
    ClickWhileMoving,
    PortVanishes,
    PortVanishesBetweenTicks,
    StopFailsThenLinkReturns,
    AlarmWithoutErrorList,
    LateReplyBeforeTheStops,
    PortReturnsBetweenTicks,
};

} // namespace

void TestJog::everyWayOutOfAFeedStopsIt_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<bool>("windowGoes");
    QTest::addColumn<bool>("timerStops");
    QTest::addColumn<QStringList>("shown"); // the message boxes the way out shows, in order
    QTest::addColumn<bool>("stopFails");  // the stop cannot reach the controller (2901 last)
    const QString crlf = QStringLiteral("\r\n");
    const QString timeout = ResLines({100, 101, 102, 103}, crlf + crlf);
    const QString stop = LoadResText(2901);
    // The alarm's box carries the missing error list's note.
    const QString alarm = LoadResText(104) + crlf + QLatin1Char('[') + LoadResText(32) + QLatin1Char(']') + crlf + crlf
                          + ResLines({30, 31});
    QTest::newRow("release") << int(WayOut::Release) << false << false << QStringList{} << false;
    QTest::newRow("focus loss") << int(WayOut::FocusLoss) << false << false << QStringList{} << false;
    QTest::newRow("Escape") << int(WayOut::Escape) << true << true << QStringList{} << false;
    QTest::newRow("two Escapes at once") << int(WayOut::TwoEscapes) << true << true << QStringList{} << false;
    QTest::newRow("Complete") << int(WayOut::Complete) << true << true << QStringList{} << false;
    QTest::newRow("close box") << int(WayOut::CloseBox) << true << true << QStringList{} << false;
    QTest::newRow("window destroyed") << int(WayOut::Destruction) << true << true << QStringList{} << false;
    QTest::newRow("position reply lost in the tick") << int(WayOut::PositionReplyLost) << false << true << QStringList{timeout} << false;
    QTest::newRow("reply to the feed lost") << int(WayOut::FeedReplyLost) << false << true << QStringList{timeout} << false;
    QTest::newRow("release while the tick waits") << int(WayOut::ReleaseWhileTickWaits) << false << false << QStringList{} << false;
    QTest::newRow("Complete while the tick waits") << int(WayOut::CompleteWhileTickWaits) << true << true << QStringList{} << false;
    QTest::newRow("close while the tick waits") << int(WayOut::CloseWhileTickWaits) << true << true << QStringList{} << false;
    QTest::newRow("second press by Enter, then release")
        << int(WayOut::SecondPressByEnter) << false << false << QStringList{} << false;
    QTest::newRow("second press by Space held across ticks")
        << int(WayOut::SecondPressBySpaceAcrossTicks) << false << false << QStringList{} << false;
    QTest::newRow("click while the controller reports moving")
        << int(WayOut::ClickWhileMoving) << false << false << QStringList{} << false;
    QTest::newRow("port vanishes mid-feed") << int(WayOut::PortVanishes) << false << true << QStringList{kLostPort, stop} << true;
    QTest::newRow("port vanishes between ticks") << int(WayOut::PortVanishesBetweenTicks) << false << true << QStringList{kLostPort, stop} << true;
    QTest::newRow("stop fails, then the link returns")
        << int(WayOut::StopFailsThenLinkReturns) << false << true << QStringList{timeout, stop} << true;
    QTest::newRow("alarm in place of the position reply, no error list")
        << int(WayOut::AlarmWithoutErrorList) << false << true << QStringList{alarm} << false;
    QTest::newRow("late position reply ahead of the stop's")
        << int(WayOut::LateReplyBeforeTheStops) << false << true << QStringList{timeout} << false;
    QTest::newRow("port vanishes and returns between ticks")
        << int(WayOut::PortReturnsBetweenTicks) << false << true << QStringList{kLostPort} << false;
}

// AXIS1+ held in JOG feed, then one way out: the controller receives "0SP" after the one
// "0JR" and its axis ends still. A failure's box comes only once the stop has been tried; a
// stop that cannot reach the controller is told last (2901) and goes first once the link is
// back.
void TestJog::everyWayOutOfAFeedStopsIt()
{
    QFETCH(int, way);
    QFETCH(bool, windowGoes);
    QFETCH(bool, timerStops);
    QFETCH(QStringList, shown);
    QFETCH(bool, stopFails);
    const int boxes = int(shown.size());
    const WayOut out = WayOut(way);
    const bool vanishes = out == WayOut::PortVanishes || out == WayOut::PortVanishesBetweenTicks;
    // A vanished port takes the simulator's device with it: it comes back on a new one.
    auto comeBack = qScopeGuard([&] {
        if (vanishes)
            m_sim.restartController();
    });
    FakeMainForm form;
    fillMainGrid(form, 2);
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(true);
    for (int i = 0; i < 8; ++i)
        m_sim.dialogs().answer(platform::IdOk);
    // A port that comes back does so under its own name, as a USB adapter's does: the port is
    // a fixed path that names the controller's device, whatever device the restart gets.
    QTemporaryDir portDir;
    const QString fixedPort = portDir.filePath(QStringLiteral("ttyUSB-qz"));
    if (out == WayOut::PortReturnsBetweenTicks)
        QVERIFY(m_sim.useFixedPath(fixedPort));
    QPointer<frmJOG> w = new frmJOG;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->cmdJOGST_Click();
    QVERIFY(w->control().running());
    auto *axis1 = w->findChild<QPushButton *>("cmdJOG0");
    auto *complete = w->findChild<QPushButton *>("cmdJOGend");
    if (out == WayOut::FeedReplyLost)
        m_sim.controller().addFault(sim::Fault::nth(sim::FaultKind::Silence, "0JR", 1));
    m_sim.controller().clearReceived();
    // What the controller had received when the first box was asked, and whether a stop
    // had been tried and failed by then.
    std::optional<QStringList> atFirstBox;
    bool owedAtFirstBox = false;
    m_sim.dialogs().onBox([&](const platform::DialogScript::Box &) {
        if (atFirstBox)
            return;
        atFirstBox = m_sim.received();
        owedAtFirstBox = link::SerialLink::instance().stopOwed();
    });

    QTest::mousePress(axis1, Qt::LeftButton);
    QVERIFY(axis1->isDown());
    for (int i = 0; i < 4 && w && !m_sim.received().contains("0JR10000"); ++i)
        w->timerTusin_Timer();
    if (out != WayOut::FeedReplyLost) // that tick has failed and stopped the feed already
        QVERIFY(m_sim.model().moving());

    // Attempts to open the port from here on.
    LogCounter openings(QStringLiteral("port not opened:"));

    // The tick that reads the positions is the fourth; its reply comes late or never.
    const auto waitingTick = [&](sim::FaultKind kind, const std::function<void()> &meanwhile) {
        sim::Fault fault = sim::Fault::nth(kind, "0RC", 1);
        fault.delayMs = 600;
        m_sim.controller().addFault(fault);
        QTimer::singleShot(0, w, meanwhile);
        const int before = m_sim.received().size();
        for (int i = 0; i < 4 && w && m_sim.received().size() == before; ++i)
            w->timerTusin_Timer();
    };
    switch (out) {
    case WayOut::Release:
        QTest::mouseRelease(axis1, Qt::LeftButton);
        break;
    case WayOut::FocusLoss: {
        QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(axis1, &focusOut);
        break;
    }
    case WayOut::Escape:
        QTest::keyClick(w, Qt::Key_Escape);
        break;
    case WayOut::TwoEscapes:
        QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        QCoreApplication::sendPostedEvents(w, QEvent::KeyPress);
        break;
    case WayOut::Complete:
        complete->click();
        break;
    case WayOut::CloseBox:
        w->close();
        break;
    case WayOut::Destruction:
        delete w.data();
        break;
    case WayOut::PositionReplyLost:
        waitingTick(sim::FaultKind::Silence, [] {});
        break;
    case WayOut::FeedReplyLost:
        break; // the tick that sent the feed has failed already
    case WayOut::ReleaseWhileTickWaits:
        waitingTick(sim::FaultKind::Delay, [axis1] { QTest::mouseRelease(axis1, Qt::LeftButton); });
        break;
    case WayOut::CompleteWhileTickWaits:
        waitingTick(sim::FaultKind::Delay, [complete] { complete->click(); });
        break;
    case WayOut::CloseWhileTickWaits:
        waitingTick(sim::FaultKind::Delay, [w] { w->close(); });
        break;
    case WayOut::SecondPressByEnter:
        // Enter on the focused jog button is no click; the hand then leaves the mouse.
        w->TimerDelay_Timer();
        QVERIFY(axis1->hasFocus());
        QTest::keyClick(axis1, Qt::Key_Return);
        for (int i = 0; i < 4; ++i)
            w->timerTusin_Timer();
        QTest::mouseRelease(axis1, Qt::LeftButton);
        break;
    case WayOut::SecondPressBySpaceAcrossTicks:
        // Space's press and its release (a click) while the mouse still holds the button; the
        // mouse's own release then finds the button up already.
        w->TimerDelay_Timer();
        QTest::keyPress(axis1, Qt::Key_Space);
        for (int i = 0; i < 4; ++i)
            w->timerTusin_Timer();
        QTest::keyRelease(axis1, Qt::Key_Space);
        QTest::mouseRelease(axis1, Qt::LeftButton);
        break;
    case WayOut::ClickWhileMoving:
        // The operator clicks the moving axis' button again to stop it.
        w->TimerDelay_Timer();
        QTest::mousePress(axis1, Qt::LeftButton);
        for (int i = 0; i < 4; ++i)
            w->timerTusin_Timer();
        QVERIFY(m_sim.model().moving());
        QTest::mouseRelease(axis1, Qt::LeftButton);
        break;
    case WayOut::PortVanishes:
        // The vanished device stays gone: its pseudo-terminal's name may be given to another
        // test program's simulator meanwhile, and the stop's one opening must not reach it.
        m_sim.useMissingDevice();
        waitingTick(sim::FaultKind::Vanish, [] {});
        break;
    case WayOut::PortVanishesBetweenTicks: {
        // The link tells the loss outside an exchange; the next tick fails on the closed port.
        // The window's own tick timer is held off while the loss is waited for, so that the
        // next tick is this one however long the wait takes.
        const int interval = w->timerTusin()->interval();
        w->timerTusin()->setInterval(24 * 3600 * 1000);
        m_sim.useMissingDevice(); // gone for good, as above
        m_sim.controller().vanish();
        QTRY_VERIFY(!CommPortIsOpen());
        for (int i = 0; i < 4 && w->timerTusin()->isActive(); ++i)
            w->timerTusin_Timer();
        if (w)
            w->timerTusin()->setInterval(interval);
        break;
    }
    case WayOut::StopFailsThenLinkReturns:
        // The position reply is lost, which closes the port, and the port does not open again.
        m_sim.useMissingDevice();
        waitingTick(sim::FaultKind::Silence, [] {});
        break;
    case WayOut::PortReturnsBetweenTicks: {
        // The link tells the loss outside an exchange, and the port is back before the next
        // tick: the ticks end with the feed's stop, they do not go on reading. The window's
        // own tick timer is held off meanwhile, so that the one tick comes after the return.
        const int interval = w->timerTusin()->interval();
        w->timerTusin()->setInterval(24 * 3600 * 1000);
        m_sim.controller().vanish();
        QTRY_VERIFY(!CommPortIsOpen());
        QString error;
        QVERIFY2(m_sim.restartController(&error), qPrintable(error));
        // The stop after a loss tries one opening: the port's name must lead to the new
        // device by then.
        QTRY_VERIFY(QFile::exists(fixedPort));
        const int before = m_sim.received().size();
        w->timerTusin_Timer();
        w->timerTusin()->setInterval(interval);
        QCOMPARE(m_sim.received().mid(before), QStringList{"0SP"});
        break;
    }
    case WayOut::LateReplyBeforeTheStops: {
        // The position reply comes after its time-out, once the stop has gone, and the stop's
        // own answer follows it, as a controller answers in turn: the stop was taken.
        sim::Fault late = sim::Fault::nth(sim::FaultKind::Delay, "0RC", 1);
        late.delayMs = 1500;
        late.inTurn = true;
        m_sim.controller().addFault(late);
        const int before = m_sim.received().size();
        for (int i = 0; i < 4 && w && m_sim.received().size() == before; ++i)
            w->timerTusin_Timer();
        break;
    }
    case WayOut::AlarmWithoutErrorList: {
        // The controller's alarm line comes in place of the position reply; the error list
        // is missing, and its note is told in the alarm's box, after the stop.
        gErrorListMissing = true;
        sim::Fault alarm = sim::Fault::nth(sim::FaultKind::UnsolicitedInstead, "0RC", 1);
        alarm.unsolicited = "0%%503";
        m_sim.controller().addFault(alarm);
        const int before = m_sim.received().size();
        for (int i = 0; i < 4 && w && m_sim.received().size() == before; ++i)
            w->timerTusin_Timer();
        break;
    }
    }

    // After the port vanished, the stop tries one opening, not a round of six.
    if (out == WayOut::PortVanishes)
        QCOMPARE(openings.count(), 1);
    QList<platform::DialogScript::Box> told = m_sim.dialogs().boxes();
    QCOMPARE(boxesShown(m_sim.prompts()), shown);
    if (out == WayOut::AlarmWithoutErrorList)
        gErrorListMissing = false;
    QStringList lines = m_sim.received();
    const int feed = lines.indexOf("0JR10000");
    QVERIFY2(feed >= 0 && lines.count("0JR10000") == 1, qPrintable(lines.join(' ')));
    if (boxes > 0 && !stopFails) {
        // The failure is told only once the stop has gone.
        QVERIFY(atFirstBox);
        QVERIFY2(atFirstBox->lastIndexOf("0SP") > atFirstBox->indexOf("0JR10000"), qPrintable(atFirstBox->join(' ')));
    }
    QCOMPARE(told.size() > 0 && told.last().prompt == LoadResText(2901), stopFails);
    QCOMPARE(link::SerialLink::instance().stopOwed(), stopFails);
    QCOMPARE(!w || !w->isVisible(), windowGoes);
    if (w)
        QCOMPARE(!w->timerTusin()->isActive() || !w->control().running(), timerStops);
    if (stopFails) {
        // The first box names the failure, the last that the axis may still move; then the
        // link comes back, and the stop it owes goes before anything else.
        QVERIFY(told.first().prompt != LoadResText(2901));
        QVERIFY(owedAtFirstBox);
        QVERIFY(m_sim.model().moving());
        QVERIFY(w && w->findChild<QPushButton *>("cmdJOGST")->isEnabled());
        if (vanishes) {
            QString error;
            QVERIFY2(m_sim.restartController(&error), qPrintable(error));
        } else {
            m_sim.useSimulator();
        }
        m_sim.controller().clearReceived();
        w->cmdJOGST_Click();
        const QStringList again = m_sim.received();
        QVERIFY2(again.size() >= 2 && again.first() == "0SP" && again.at(1) == "0CM02", qPrintable(again.join(' ')));
        QVERIFY(!link::SerialLink::instance().stopOwed());
        QVERIFY(w->control().running());
        QCOMPARE(boxesShown(m_sim.prompts()), shown);
        lines = QStringList{"0JR10000"} + again;
    }
    QVERIFY2(lines.lastIndexOf("0SP") > lines.indexOf("0JR10000"), qPrintable(lines.join(' ')));
    QVERIFY(!m_sim.model().moving());
    QCOMPARE(boxesShown(m_sim.prompts()), shown);
    QCOMPARE(gTusinNow, false);
    if (w) {
        // Nothing further reaches the controller for this feed.
        const int sent = m_sim.received().size();
        for (int i = 0; i < 4; ++i)
            w->timerTusin_Timer();
        for (const QString &line : m_sim.received().mid(sent))
            QVERIFY2(!line.startsWith("0JR"), qPrintable(line));
        delete w.data();
    }
    QVERIFY(!m_sim.model().moving());
    // One failure, one box: nothing more is told after the way out.
    QCOMPARE(boxesShown(m_sim.prompts()), shown);
}

// A press the controller keeps waiting (it reports "moving") and a release before its feed
// could be sent: the feed is dropped, nothing moves once the hand has left the button.
void TestJog::releaseBeforeTheFeedWasSentDropsIt()
{
    FakeMainForm form;
    fillMainGrid(form, 2);
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(true);
    m_sim.model().setMotionPolls(3);
    frmJOG w;
    w.show();
    w.cmdJOGST_Click();
    w.findChild<QRadioButton *>("optJOG3")->setChecked(true); // an inching move first
    w.cmdJOG_MouseDown(2);
    for (int i = 0; i < 4 && w.control().TusinDACount() >= 0; ++i)
        w.timerTusin_Timer();
    QVERIFY(m_sim.model().moving());
    w.findChild<QRadioButton *>("optJOG0")->setChecked(true);
    w.TimerDelay_Timer();
    auto *axis1 = w.findChild<QPushButton *>("cmdJOG0");

    QTest::mousePress(axis1, Qt::LeftButton);
    w.timerTusin_Timer();
    QCOMPARE(w.control().TusinDACount(), 0); // kept while the controller moves
    QTest::mouseRelease(axis1, Qt::LeftButton);
    for (int i = 0; i < 12; ++i)
        w.timerTusin_Timer();

    for (const QString &line : m_sim.received())
        QVERIFY2(!line.startsWith("0JR") && !line.startsWith("0SP"), qPrintable(line));
    QCOMPARE(w.control().TusinDACount(), -1);
}

// The stop cannot reach the controller: the operator is told that the axis may still move.
void TestJog::keyAfterAFeedStartsNoOther_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
}

void TestJog::startInActiveWindow(frmJOG &w)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QApplication::setActiveWindow(&w);
    QTRY_VERIFY(w.isActiveWindow());
    w.cmdJOGST_Click();
    QVERIFY(w.control().running());
}

// A feed held with the mouse and released: the focus the press gave its button goes back to the
// rows, and a key after it starts no feed.
void TestJog::keyAfterAFeedStartsNoOther()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    FakeMainForm form;
    fillMainGrid(form, 2);
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(true);
    frmJOG w;
    startInActiveWindow(w);
    if (QTest::currentTestFailed())
        return;
    auto *axis1 = w.findChild<QPushButton *>("cmdJOG0");
    QWidget *rows = w.findChild<platform::FixedGrid *>("flgdJOGPosi")->body();

    QTest::mousePress(axis1, Qt::LeftButton);
    QVERIFY(axis1->hasFocus());
    for (int i = 0; i < 4 && !m_sim.received().contains("0JR10000"); ++i)
        w.timerTusin_Timer();
    QVERIFY(m_sim.model().moving());
    QTest::mouseRelease(axis1, Qt::LeftButton);
    for (int i = 0; i < 4 && m_sim.model().moving(); ++i)
        w.timerTusin_Timer();
    QVERIFY(!m_sim.model().moving());
    QCOMPARE(QApplication::focusWidget(), rows);
    w.TimerDelay_Timer(); // the gate after a press is open again
    m_sim.controller().clearReceived();

    sendX11Key(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    for (int i = 0; i < 4; ++i)
        w.timerTusin_Timer();

    QVERIFY(!m_sim.model().moving());
    const QStringList moves = m_sim.received().filter(QRegularExpression(QStringLiteral("^0(JR|MV|SP)")));
    QVERIFY2(moves.isEmpty(), qPrintable(moves.join(' ')));
    QVERIFY(m_sim.prompts().isEmpty());
}

void TestJog::keyHeldOnAJogButton_data()
{
    QTest::addColumn<int>("option");  // 0 JOG feed, 3 inching by 100 pulses
    QTest::addColumn<int>("repeats"); // the key's auto-repeats before its release
    QTest::addColumn<bool>("marked"); // Qt told them as the key's auto-repeat
    for (int option : {0, 3}) {
        const char *mode = option == 0 ? "JOG" : "inching";
        QTest::addRow("%s, tapped", mode) << option << 0 << true;
        QTest::addRow("%s, held past many repeats", mode) << option << 12 << true;
        QTest::addRow("%s, held, repeats not told as such", mode) << option << 12 << false;
    }
}

// The mouse is the jog buttons' hold-to-run device. Tab passes them by, and a key on one (Space,
// as X11 delivers it held: the press, then a release and a press for every auto-repeat, marked
// as such or not, and the release at the end) moves nothing: the controller receives no feed,
// move or stop.
void TestJog::keyHeldOnAJogButton()
{
    QFETCH(int, option);
    QFETCH(int, repeats);
    QFETCH(bool, marked);
    FakeMainForm form;
    fillMainGrid(form, 2);
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(true);
    frmJOG w;
    startInActiveWindow(w);
    if (QTest::currentTestFailed())
        return;
    auto *axis1 = w.findChild<QPushButton *>("cmdJOG0");
    QVERIFY(axis1->isEnabled());
    auto *mode = w.findChild<QRadioButton *>(QStringLiteral("optJOG%1").arg(option));
    QTest::mouseClick(mode, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), mode);
    QTest::keyClick(mode, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != mode);
    QVERIFY2(!QApplication::focusWidget()->objectName().contains(QRegularExpression(QStringLiteral("^cmdJOG\\d$"))),
             qPrintable(QApplication::focusWidget()->objectName()));
    m_sim.controller().clearReceived();

    const auto key = [axis1](QEvent::Type type, bool repeat) {
        QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeat);
        QApplication::sendEvent(axis1, &e);
    };
    const auto tick = [&w] {
        w.TimerDelay_Timer(); // the repeats come long after the press gate
        for (int i = 0; i < 4; ++i)
            w.timerTusin_Timer();
    };
    key(QEvent::KeyPress, false);
    tick();
    for (int r = 0; r < repeats; ++r) {
        key(QEvent::KeyRelease, marked);
        key(QEvent::KeyPress, marked);
        tick();
    }
    key(QEvent::KeyRelease, false);
    tick();
    QVERIFY(!m_sim.model().moving());
    const QStringList moves = m_sim.received().filter(QRegularExpression(QStringLiteral("^0(JR|MV|SP)")));
    QVERIFY2(moves.isEmpty(), qPrintable(moves.join(' ')));
    QVERIFY(m_sim.prompts().isEmpty());
}

void TestJog::failedStopIsTold()
{
    FakeMainForm form;
    fillMainGrid(form, 2);
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(true);
    for (int i = 0; i < 4; ++i)
        m_sim.dialogs().answer(platform::IdOk);
    frmJOG w;
    w.show();
    w.cmdJOGST_Click();
    QVERIFY(CommPortIsOpen());
    // The feed's reply is lost, which closes the port, and the port does not open again.
    m_sim.controller().addFault(sim::Fault::nth(sim::FaultKind::Silence, "0JR", 1));
    m_sim.useMissingDevice();

    w.cmdJOG_MouseDown(0);
    for (int i = 0; i < 4 && w.timerTusin()->isActive(); ++i)
        w.timerTusin_Timer();

    QVERIFY(m_sim.received().contains("0JR10000"));
    QVERIFY(!m_sim.received().contains("0SP"));
    QVERIFY(m_sim.model().moving());
    // The lost feed's time-out, then the stop that could not go: one box each.
    QCOMPARE(m_sim.prompts(),
             QStringList({ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n")), LoadResText(2901)}));
    QCOMPARE(m_sim.dialogs().boxes().last().style & platform::MbExclamation, int(platform::MbExclamation));
    QCOMPARE(gTusinNow, false);
    QVERIFY(!w.control().feedSent());
}

void TestJog::inchingMoveLeftUnknownIsStoppedFirst_data()
{
    QTest::addColumn<QByteArray>("lost"); // the reply lost once the move has been asked for
    QTest::newRow("the move's reply") << QByteArray("0MV");
    QTest::newRow("the next position read") << QByteArray("0RC");
}

// A failure while an inching move may still run: "0SP" goes before the failure is told.
void TestJog::inchingMoveLeftUnknownIsStoppedFirst()
{
    QFETCH(QByteArray, lost);
    FakeMainForm form;
    fillMainGrid(form, 2);
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(true);
    std::optional<QStringList> atFirstBox;
    m_sim.dialogs().onBox([&](const platform::DialogScript::Box &) {
        if (!atFirstBox)
            atFirstBox = m_sim.received();
    });
    m_sim.dialogs().answer(platform::IdOk);
    frmJOG w;
    w.cmdJOGST_Click();
    w.findChild<QRadioButton *>("optJOG3")->setChecked(true); // 100 pulses
    m_sim.controller().clearReceived();
    if (lost == "0MV")
        m_sim.controller().addFault(sim::Fault::nth(sim::FaultKind::Silence, "0MV", 1));

    w.cmdJOG_MouseDown(0);
    w.cmdJOG_MouseUp(0);
    for (int i = 0; i < 4 && w.timerTusin()->isActive() && w.control().TusinDACount() >= 0; ++i)
        w.timerTusin_Timer();
    if (lost == "0RC")
        m_sim.controller().addFault(sim::Fault::nth(sim::FaultKind::Silence, "0RC", 1));
    for (int i = 0; i < 4 && w.timerTusin()->isActive(); ++i)
        w.timerTusin_Timer();

    QVERIFY(!w.timerTusin()->isActive());
    QCOMPARE(m_sim.prompts(), QStringList{ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n"))});
    QVERIFY(atFirstBox);
    const int move = atFirstBox->indexOf(QRegularExpression("^0MV.*"));
    QVERIFY2(move >= 0 && atFirstBox->lastIndexOf("0SP") > move, qPrintable(atFirstBox->join(' ')));
    QVERIFY(!link::SerialLink::instance().stopOwed());
    QCOMPARE(gTusinNow, false);
}

// A stop the controller did not take is owed by the link: "0SP" goes first on the next
// exchange of any window, until the controller has answered it.
void TestJog::owedStopGoesFirstForAnyWindow_data()
{
    QTest::addColumn<bool>("stopAnswered");
    QTest::newRow("taken") << true;
    QTest::newRow("unanswered: owed still") << false;
}

void TestJog::owedStopGoesFirstForAnyWindow()
{
    QFETCH(bool, stopAnswered);
    link::SerialLink::instance().setStopOwed(true);
    if (!stopAnswered) {
        sim::Fault lost = sim::Fault::always(sim::FaultKind::Silence, "0SP");
        lost.last = 2;
        m_sim.controller().addFault(lost);
    }

    // The main window's version read: two exchanges, each tries the stop until it is taken.
    QCOMPARE(ReadCtVersion(), 0);
    const QStringList first = stopAnswered ? QStringList{"0SP", "0CM1", "0RV"} : QStringList{"0SP", "0CM1", "0SP", "0RV"};
    QCOMPARE(m_sim.received(), first);
    QCOMPARE(link::SerialLink::instance().stopOwed(), !stopAnswered);
    m_sim.controller().clearReceived();
    QCOMPARE(ReadCtVersion(), 0);
    const QStringList second = stopAnswered ? QStringList{"0CM1", "0RV"} : QStringList{"0SP", "0CM1", "0RV"};
    QCOMPARE(m_sim.received(), second);
    QVERIFY(!link::SerialLink::instance().stopOwed());
    QVERIFY(m_sim.prompts().isEmpty());
}

void TestJog::programEndStopsTheFeed_data()
{
    QTest::addColumn<int>("signal");      // an EndSignal; -1: the application quits, as at the session's end
    QTest::addColumn<QString>("mode");    // what the driver leaves to the end: jog, owed, monitor
    const QList<QPair<const char *, int>> ends = {{"SIGTERM", int(EndSignal::Terminate)},
                                                  {"SIGHUP", int(EndSignal::HangUp)},
                                                  {"SIGINT", int(EndSignal::Interrupt)},
                                                  {"session end", -1}};
    for (const char *mode : {"jog", "owed", "monitor"}) {
        for (const auto &end : ends)
            QTest::addRow("%s, %s", mode, end.first) << end.second << QString::fromLatin1(mode);
    }
}

// The real start-up procedure in a program of its own, then ended: a JOG feed of AXIS1+ that
// runs, a stop the link owes, or monitoring that made the controller ignore its inputs, each
// settled once before the program goes.
void TestJog::programEndStopsTheFeed()
{
    QFETCH(int, signal);
    QFETCH(QString, mode);
    m_sim.useAxes(0xF);
    m_sim.model().setHomeDone(true);
    QProcess driver;
    driver.start(QCoreApplication::applicationDirPath() + QStringLiteral("/jog_exit_driver"),
                 {m_dir.filePath(QStringLiteral("driver.ini")), mode});
    QVERIFY2(driver.waitForStarted(), qPrintable(driver.errorString()));
    const QByteArray ready = mode == QLatin1String("jog") ? "feeding" : mode == QLatin1String("owed") ? "owed" : "monitoring";
    QByteArray output;
    while (!output.contains(ready) && driver.waitForReadyRead(30000))
        output += driver.readAllStandardOutput();
    QVERIFY2(output.contains(ready), driver.readAllStandardError().constData());
    if (mode == QLatin1String("jog"))
        QVERIFY(m_sim.model().moving());
    const int before = m_sim.received().size();

    if (signal >= 0)
        QVERIFY(sendEndSignal(driver.processId(), EndSignal(signal)));
    else
    {
        driver.write("quit\n");
        QVERIFY(driver.waitForBytesWritten(30000));
    }
    QVERIFY(driver.waitForFinished(30000));

    // Ended as it would have been: by the signal itself, or normally.
    QCOMPARE(driver.exitStatus(), signal >= 0 ? QProcess::CrashExit : QProcess::NormalExit);
    const QStringList lines = m_sim.received();
    const QStringList atEnd = lines.mid(before);
    if (mode == QLatin1String("jog")) {
        QVERIFY2(lines.lastIndexOf("0SP") > lines.indexOf("0JR10000") && lines.contains("0JR10000"),
                 qPrintable(lines.join(' ')));
        QCOMPARE(atEnd.count("0SP"), 1);
    } else if (mode == QLatin1String("owed")) {
        QCOMPARE(lines, QStringList{"0SP"});
    } else {
        QVERIFY2(lines.contains("0CM01"), qPrintable(lines.join(' ')));
        // The monitor's reads may still have been under way: the mode's exit ends it, once.
        QVERIFY2(!atEnd.isEmpty() && atEnd.last() == QLatin1String("0CM00") && atEnd.count("0CM00") == 1,
                 qPrintable(lines.join(' ')));
        QVERIFY(!atEnd.contains("0SP"));
    }
    QVERIFY(!m_sim.model().moving());
}

void TestJog::normalExitSendsTheOwedStop_data()
{
    QTest::addColumn<bool>("stopAnswered");
    QTest::newRow("the controller takes it") << true;
    QTest::newRow("unanswered: 2901 before the program goes") << false;
}

// File, Exit with a stop owed: it goes once before the main window goes; still owed after
// that try, the operator is told the axis may still move.
void TestJog::normalExitSendsTheOwedStop()
{
    QFETCH(bool, stopAnswered);
    frmMain::setScreenWidthForLoad(1280);
    auto main = std::make_unique<frmMain>();
    main->show();
    link::SerialLink::instance().setStopOwed(true);
    if (!stopAnswered)
        m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::Silence, "0SP"));
    QStringList atBoxes;
    m_sim.dialogs().onBox([&](const platform::DialogScript::Box &) { atBoxes << m_sim.received().join(' '); });
    m_sim.dialogs().answer(platform::IdOk); // 390: end the program?
    if (!stopAnswered)
        m_sim.dialogs().answer(platform::IdOk); // 2901
    main->action(QStringLiteral("mnuFileExit"))->trigger();

    QVERIFY(!main->isVisible());
    QStringList expected{LoadResText(390)};
    if (!stopAnswered)
        expected << LoadResText(2901);
    QCOMPARE(m_sim.prompts(), expected);
    QCOMPARE(m_sim.received(), QStringList{"0SP"});
    // 2901 stands only once the stop has been tried.
    QCOMPARE(atBoxes, stopAnswered ? QStringList{""} : (QStringList{"", "0SP"}));
    QCOMPARE(link::SerialLink::instance().stopOwed(), !stopAnswered);
    QVERIFY(m_sim.dialogs().unexpected().isEmpty());
    main.reset();
    core::mainform::clearCommands();
}

void TestJog::garbledPositionStopsTheTick()
{
    FakeMainForm form;
    fillMainGrid(form, 2);
    m_sim.useAxes(0x3);
    m_sim.model().setHomeDone(true);
    m_sim.model().setPresentPosition(1, 700);
    frmJOG w;
    w.cmdJOGST_Click();
    QCOMPARE(w.findChild<QLabel *>("lblPosi2")->text(), QStringLiteral("700"));
    m_sim.model().setPresentPosition(1, 900);
    sim::Fault garbled = sim::Fault::always(sim::FaultKind::NotHex, "0RC");
    garbled.offset = 10; // inside axis 2's field
    m_sim.controller().addFault(garbled);
    for (int i = 0; i < 8; ++i)
        m_sim.dialogs().answer(1);

    for (int i = 0; i < 3; ++i) // the third tick reads the positions
        w.timerTusin_Timer();

    QVERIFY(!w.timerTusin()->isActive());
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(104)});
    QCOMPARE(w.control().DispPOS(1), 700);
    QCOMPARE(w.findChild<QLabel *>("lblPosi2")->text(), QStringLiteral("700"));
    QVERIFY(!w.findChild<QPushButton *>("cmdJOG0")->isEnabled());
    QVERIFY(w.findChild<QPushButton *>("cmdJOGST")->isEnabled());
    QCOMPARE(gTusinNow, false);
}

void TestJog::teachingAndTheCloseQuestion_data()
{
    QTest::addColumn<bool>("teach");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("copied");
    QTest::newRow("nothing taught, no question") << false << 0 << true << false;
    QTest::newRow("taught, yes") << true << int(platform::IdYes) << true << true;
    QTest::newRow("taught, no") << true << int(platform::IdNo) << true << false;
    QTest::newRow("taught, cancel") << true << int(platform::IdCancel) << false << false;
}

void TestJog::teachingAndTheCloseQuestion()
{
    QFETCH(bool, teach);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, copied);
    FakeMainForm form;
    fillMainGrid(form, 3);
    m_sim.useAxes(0x7); // axis 4 not used
    m_sim.model().setHomeDone(true);
    m_sim.model().setPresentPosition(0, 11);
    m_sim.model().setPresentPosition(1, 22);
    m_sim.model().setPresentPosition(2, 33);
    frmJOG w;
    w.show();
    QCOMPARE(w.grid()->rows(), 4);
    QCOMPARE(w.grid()->text(2, 1), QStringLiteral("102"));
    QCOMPARE(w.grid()->text(0, 1), QStringLiteral("AXIS1") + LoadResText(2221));
    w.cmdJOGST_Click();
    w.flgdJOGPosi_Click(2);
    QCOMPARE(w.SelectRowNo(), 2);
    QCOMPARE(w.findChild<QLabel *>("lblPosiNo")->text(), QStringLiteral("2"));
    // The selected row in the light yellow of the main grid; an unused axis stays grey.
    QCOMPARE(w.grid()->background(2, 1), QColor(0xFF, 0xFF, 0xC0));
    QCOMPARE(w.grid()->background(2, 4), QColor(0xE0, 0xE0, 0xE0));
    QVERIFY(w.grid()->background(1, 1) != QColor(0xFF, 0xFF, 0xC0));
    if (teach) {
        w.cmdJOGWrite_Click();
        QCOMPARE(w.grid()->text(2, 1), QStringLiteral("11"));
        QCOMPARE(w.grid()->text(2, 3), QStringLiteral("33"));
        QCOMPARE(w.grid()->text(2, 4), QStringLiteral("402")); // axis 4 not used: kept
        m_sim.dialogs().answer(answer);
    }

    w.cmdJOGend_Click();

    QCOMPARE(m_sim.prompts(), teach ? QStringList{LoadResText(2224)} : QStringList{});
    QCOMPARE(!w.isVisible(), closed);
    QCOMPARE(form.grid.text(3, 4), copied ? QStringLiteral("11") : QStringLiteral("102"));
    QCOMPARE(form.grid.text(3, 12), copied ? QStringLiteral("33") : QStringLiteral("302"));
    QCOMPARE(form.grid.text(2, 4), QStringLiteral("101"));
    QCOMPARE(gDataChanged, copied);
    QVERIFY(!CommPortIsOpen());
    // The communication timer stops at its next tick.
    w.timerTusin_Timer();
    QVERIFY(!w.timerTusin()->isActive());
}

void TestJog::teachCommandOfTheMainWindow()
{
    FakeMainForm form;
    core::mainform::clearCommands();
    operation::registerJogCommands();

    // No position rows: the table's own message, no window.
    m_sim.dialogs().answer(1);
    QCOMPARE(core::mainform::runCommand(QStringLiteral("cmdJogTeach_Click")), 1);
    QVERIFY(form.gridActive);

    fillMainGrid(form, 2);
    ModalDriver driver;
    bool gridOffInside = true;
    driver.then([&](QWidget *window) {
        gridOffInside = !form.gridActive && form.disabled.contains(QStringLiteral("cmdJogTeach"));
        window->close();
    });
    QCOMPARE(core::mainform::runCommand(QStringLiteral("cmdJogTeach_Click")), 0);
    QCOMPARE(driver.shown(), QStringList{"frmJOG"});
    QVERIFY(driver.unexpected().isEmpty());
    QVERIFY(gridOffInside);
    QVERIFY(form.gridActive);
    QVERIFY(!form.disabled.contains(QStringLiteral("cmdJogTeach")));
    core::mainform::clearCommands();
}

void TestJog::gridShowsEveryHeading_data()
{
    QTest::addColumn<bool>("mm");
    QTest::newRow("pulses") << false;
    QTest::newRow("mm") << true;
}

// Each axis heading shows whole and all four axis columns are in view without scrolling sideways.
void TestJog::gridShowsEveryHeading()
{
    QFETCH(bool, mm);
    FakeMainForm form;
    fillMainGrid(form, 3);
    gDispMmUnit = mm;
    frmJOG w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *grid = w.findChild<platform::FixedGrid *>(QStringLiteral("flgdJOGPosi"));
    QVERIFY(grid);
    int total = 0;
    for (int c = 0; c <= 4; ++c) {
        if (c > 0)
            QVERIFY2(grid->columnWidth(c) > grid->fontMetrics().horizontalAdvance(grid->text(0, c)),
                     qPrintable(grid->text(0, c)));
        total += grid->columnWidth(c);
    }
    QVERIFY2(grid->viewportWidth() >= total, qPrintable(QStringLiteral("%1 < %2").arg(grid->viewportWidth()).arg(total)));
}

// The row number and the jog velocity each stand beside a caption, not as bare numbers.
void TestJog::valuesHaveCaptions()
{
    FakeMainForm form;
    fillMainGrid(form, 3);
    frmJOG w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QList<std::pair<QString, QString>> values = {{QStringLiteral("lblPosiNo"), LoadResText(248)},
                                                       {QStringLiteral("lblJogVEL"), LoadResText(225)}};
    for (const auto &[name, caption] : values) {
        auto *value = w.findChild<QLabel *>(name);
        QLabel *label = nullptr;
        for (QLabel *l : w.findChildren<QLabel *>())
            if (l->buddy() == value)
                label = l;
        QVERIFY2(label, qPrintable(name));
        QCOMPARE(label->text(), caption);
        QVERIFY(label->isVisible() && value->isVisible());
        QVERIFY(label->geometry().right() < value->geometry().left());
        QCOMPARE(label->geometry().center().y(), value->geometry().center().y());
        QCOMPARE(value->accessibleName(), caption);
    }
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lblJogVEL"))->text(), QStringLiteral("100"));
}

QTEST_MAIN(TestJog)
#include "tst_jog.moc"
