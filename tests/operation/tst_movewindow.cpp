// The test-move window against the simulated controller: the program, range, home and group
// runs, dwell, stop and pause, and the locking of the main window's commands around a run.
// The dispatcher is driven by calling its handler; whatever must happen during a run is done
// by a watcher that runs on every pass of the event loop and acts on what the controller
// has received or on the run's state, never on elapsed time.
#include "core/AppSettings.h"
#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/ErrorList.h"
#include "link/Exchange.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "operation/MoveProgram.h"
#include "operation/MoveRunner.h"
#include "operation/frmMove.h"
#include "support/FakeMainForm.h"
#include "support/FieldTexts.h"
#include "support/LostPortBox.h"
#include "support/SimFixture.h"
#include "support/X11Keys.h"
#include "tables/DevSetting.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QGroupBox>
#include <QtTest>

#include <functional>
#include <memory>
#include <optional>

namespace {

// Runs `step` on every pass of the event loop while it lives.
class Watcher
{
public:
    explicit Watcher(std::function<void()> step)
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout, [step] { step(); });
        m_timer.start();
    }

private:
    QTimer m_timer;
};

// The step editor open on the grid (closed ones wait for their deletion).
QLineEdit *openEditor(QTableWidget *grid)
{
    for (QLineEdit *edit : grid->findChildren<QLineEdit *>(QStringLiteral("txtEdit2"))) {
        if (edit->isVisible())
            return edit;
    }
    return nullptr;
}

} // namespace

class TestMoveWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void programMove_data();
    void programMove();
    void stepMode();
    void stepModeAfterRangeMove();
    void stopAndPause_data();
    void stopAndPause();
    void rangeMove_data();
    void rangeMove();
    void rangeRepeatPauseResume();
    void pausedRangeResumesOnlyWithinTheRange_data();
    void pausedRangeResumesOnlyWithinTheRange();
    void dwell_data();
    void dwell();
    void homeReturn();
    void homeReturnAlarm_data();
    void homeReturnAlarm();
    void homeReturnPortDoesNotOpen();
    void groupMove_data();
    void groupMove();
    void groupMoveStop();
    void portLostBetweenExchanges_data();
    void portLostBetweenExchanges();
    void commandsLockedDuringRun();
    void dispatcherWaits_data();
    void dispatcherWaits();
    void closeDuringRun();
    void stepEditing();
    void stepPaste_data();
    void stepPaste();
    void dwellBox();
    void rangeControls();
    void framesHoldTheirControls_data();
    void framesHoldTheirControls();
    void openedOnce();
    void gridShowsWhole();

private:
    QStringList moves() const; // the move commands received, in order
    void setProgram(const QStringList &steps);
    void check(const char *name, bool on);
    void click(const char *name);
    void run(int request);

    SimFixture m_sim;
    std::unique_ptr<FakeMainForm> m_main;
    QPointer<frmMove> m_window;
};

void TestMoveWindow::initTestCase()
{
    m_sim.startOrFail();
    MoveRunner::setPauseMs(1);
}

void TestMoveWindow::init()
{
    m_sim.reset();
    link::resetLinkHooks();
    gPortOccupy = false;
    m_sim.useAxes(0x0F);
    m_sim.model().setMotionPolls(1);
    m_sim.model().setHomeDone(true);
    m_main = std::make_unique<FakeMainForm>();
    m_window = new frmMove;
    m_window->show();
    m_window->runner().timerEventCheck.stop(); // the tests tick the dispatcher themselves
    m_window->runner().Timeup = true;          // false only while a dwell runs
}

void TestMoveWindow::cleanup()
{
    delete m_window.data();
    m_main.reset();
    gCmdNow = false;
}

QStringList TestMoveWindow::moves() const
{
    QStringList result;
    for (const QString &line : m_sim.received()) {
        if (line.startsWith(QLatin1String("0MP")) || line.startsWith(QLatin1String("0MM"))
            || line.startsWith(QLatin1String("0MG")))
            result << line;
    }
    return result;
}

void TestMoveWindow::setProgram(const QStringList &steps)
{
    for (int k = 0; k < operation::moveprogram::kSteps; ++k)
        m_window->programGrid()->item(0, k)->setText(steps.value(k));
}

void TestMoveWindow::check(const char *name, bool on)
{
    auto *button = m_window->findChild<QAbstractButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    if (button->isChecked() != on)
        button->click();
}

void TestMoveWindow::click(const char *name)
{
    auto *button = m_window->findChild<QPushButton *>(QLatin1String(name));
    QVERIFY2(button, name);
    button->click();
}

void TestMoveWindow::run(int request)
{
    MoveRunner &runner = m_window->runner();
    static const char *buttons[] = {"", "cmdMove", "cmdSelectMove", "cmdHome", "cmdGrpMove"};
    click(buttons[request]);
    QCOMPARE(runner.ExecMoveNo, request); // only posted
    runner.timerEventCheck_Timer();
    QCOMPARE(runner.ExecMoveNo, 0);
    QVERIFY(runner.timerEventCheck.isActive());
    runner.timerEventCheck.stop();
}

void TestMoveWindow::programMove_data()
{
    QTest::addColumn<QStringList>("program");
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<bool>("smSkip");
    QTest::addColumn<bool>("homed");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("message561");

    QTest::newRow("three steps then an empty one")
        << QStringList{"1", "2", "300"} << false << false << true
        << QStringList{"0MP001F", "0MP002F", "0MP12CF"} << false;
    QTest::newRow("sequence macros skipped")
        << QStringList{"7"} << false << true << true << QStringList{"0MM007F"} << false;
    QTest::newRow("home move first when not homed")
        << QStringList{"4"} << false << false << false << QStringList{"0MM000F", "0MP004F"} << false;
    QTest::newRow("empty program: nothing moves")
        << QStringList{} << false << false << true << QStringList{} << false;
    QTest::newRow("empty program with repeat: refused")
        << QStringList{} << true << false << true << QStringList{} << true;
}

void TestMoveWindow::programMove()
{
    QFETCH(QStringList, program);
    QFETCH(bool, repeat);
    QFETCH(bool, smSkip);
    QFETCH(bool, homed);
    QFETCH(QStringList, expected);
    QFETCH(bool, message561);

    m_sim.model().setHomeDone(homed);
    m_sim.model().setOutputs("000003");
    setProgram(program);
    check("chkRepeat", repeat);
    check("chkNoSqMcr1", smSkip);
    if (message561)
        m_sim.dialogs().answer(platform::IdOk);

    run(MoveRunner::ProgramMove);

    QCOMPARE(moves(), expected);
    QCOMPARE(m_sim.prompts(), message561 ? QStringList{LoadResText(561)} : QStringList());
    QVERIFY(m_sim.dialogs().unexpected().isEmpty());
    QCOMPARE(m_window->runner().MoveStepNo, 1); // the next run starts at step 1
    if (!expected.isEmpty()) {
        QCOMPARE(m_window->findChild<QLabel *>("lblkanryoNo")->text(), program.last());
        QVERIFY(!m_window->findChild<QLabel *>("imgOut1Green")->isHidden());
        QVERIFY(!m_window->findChild<QLabel *>("imgOut2Green")->isHidden());
    }
    QVERIFY(m_window->programGrid()->isEnabled());
    QVERIFY(!CommPortIsOpen());
}

void TestMoveWindow::stepMode()
{
    // Each click runs the next step; an empty step moves nothing and starts over.
    setProgram({"1", "2"});
    check("optSelectMode1", true);
    const QStringList expected[] = {{"0MP001F"}, {"0MP001F", "0MP002F"},
                                    {"0MP001F", "0MP002F"},
                                    {"0MP001F", "0MP002F", "0MP001F"}};
    for (const QStringList &after : expected) {
        run(MoveRunner::ProgramMove);
        QCOMPARE(moves(), after);
    }
    // With repeat, the click on the empty step runs step 1 at once.
    check("chkRepeat", true);
    run(MoveRunner::ProgramMove); // step 2
    run(MoveRunner::ProgramMove); // step 3 empty: step 1
    QCOMPARE(moves().mid(3), (QStringList{"0MP002F", "0MP001F"}));
}

void TestMoveWindow::stepModeAfterRangeMove()
{
    // A range move completes first, so the program's first click in step mode finds no
    // step run yet: it runs step 1 rather than the heading column.
    m_window->findChild<QRadioButton *>("optMoveWay1")->click();
    run(MoveRunner::RangeMove);
    setProgram({"3"});
    check("optSelectMode1", true);
    run(MoveRunner::ProgramMove);
    QCOMPARE(moves(), (QStringList{"0MP001F", "0MP003F"}));
    QVERIFY(m_sim.prompts().isEmpty());
}

void TestMoveWindow::stopAndPause_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("secondRun");

    // Both end the run once the move under way is complete; a pause resumes after it.
    QTest::newRow("pause") << "cmdTmpStop" << QStringList{"0MP002F"};
    QTest::newRow("stop") << "cmdStop" << QStringList{"0MP001F"};
}

void TestMoveWindow::stopAndPause()
{
    QFETCH(QString, button);
    QFETCH(QStringList, secondRun);

    m_window->cmdInp1toF_Click();
    check("chkRepeat", true);
    bool pressed = false;
    {
        Watcher press([&] {
            // Pressed while the first move is under way.
            if (!pressed && m_window->runner().running() && moves().size() == 1) {
                pressed = true;
                m_window->findChild<QPushButton *>(button)->click();
            }
        });
        run(MoveRunner::ProgramMove);
    }
    QVERIFY(pressed);
    QCOMPARE(moves(), QStringList{"0MP001F"});
    QCOMPARE(m_window->runner().Move_Stop, false);

    // Stop and pause outside a run are ignored.
    click("cmdStop");
    click("cmdTmpStop");
    QCOMPARE(m_window->runner().Move_Stop, false);

    // The second run: one step in step mode.
    check("optSelectMode1", true);
    m_window->runner().MoveFirstTime = false;
    check("optSelectMode0", true);
    {
        Watcher pause([&] {
            if (m_window->runner().running() && moves().size() == 2)
                m_window->runner().cmdTmpStop_Click();
        });
        run(MoveRunner::ProgramMove);
    }
    QCOMPARE(moves().mid(1), secondRun);
}

void TestMoveWindow::rangeMove_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("single");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("continual 5 to 7") << 5 << 7 << false
                                      << QStringList{"0MP005F", "0MP006F", "0MP007F"};
    QTest::newRow("single move: the start alone") << 5 << 7 << true << QStringList{"0MP005F"};
    QTest::newRow("start equals end") << 999 << 999 << false << QStringList{"0MP3E7F"};
}

void TestMoveWindow::rangeMove()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(bool, single);
    QFETCH(QStringList, expected);

    m_window->findChild<QSlider *>("sldrEndPosiNo")->setValue(end);
    m_window->findChild<QSlider *>("sldrStartPosiNo")->setValue(start);
    if (single)
        m_window->findChild<QRadioButton *>("optMoveWay1")->click();

    run(MoveRunner::RangeMove);

    QCOMPARE(moves(), expected);
    QCOMPARE(m_window->runner().SelMovePosiNo, start);
    QCOMPARE(m_window->findChild<QLabel *>("lblkanryoNo")->text(),
             expected.last().mid(3, 3) == QLatin1String("3E7") ? QStringLiteral("999")
                                                                : QString::number(single ? start : end));
    QVERIFY(!CommPortIsOpen());
}

void TestMoveWindow::rangeRepeatPauseResume()
{
    m_window->findChild<QSlider *>("sldrEndPosiNo")->setValue(7);
    m_window->findChild<QSlider *>("sldrStartPosiNo")->setValue(5);
    check("chkRepeat2", true);
    int limit = 4;
    Watcher pause([&] {
        if (m_window->runner().running() && moves().size() >= limit)
            m_window->runner().cmdTempStop2_Click();
    });
    run(MoveRunner::RangeMove);
    QCOMPARE(moves(), (QStringList{"0MP005F", "0MP006F", "0MP007F", "0MP005F"}));
    QCOMPARE(m_window->runner().Tmp_Stop2, true);

    limit = 6;
    run(MoveRunner::RangeMove); // resumes with 6
    QCOMPARE(moves().mid(4), (QStringList{"0MP006F", "0MP007F"}));
}

void TestMoveWindow::pausedRangeResumesOnlyWithinTheRange_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("range moved away: from its start") << 8 << 9 << QStringList{"0MP008F", "0MP009F"};
    QTest::newRow("range still holds 6: resumed") << 5 << 9
                                                  << QStringList{"0MP006F", "0MP007F", "0MP008F", "0MP009F"};
    QTest::newRow("range starts after 6: from its start") << 7 << 8 << QStringList{"0MP007F", "0MP008F"};
    QTest::newRow("range ends before 6: from its start") << 2 << 3 << QStringList{"0MP002F", "0MP003F"};
}

// A continuous range run paused after 5 of 5..7, the range changed, then Move again.
void TestMoveWindow::pausedRangeResumesOnlyWithinTheRange()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QStringList, expected);
    auto *startSlider = m_window->findChild<QSlider *>("sldrStartPosiNo");
    auto *endSlider = m_window->findChild<QSlider *>("sldrEndPosiNo");
    endSlider->setValue(7);
    startSlider->setValue(5);
    bool pauseNow = true;
    Watcher pause([&] {
        if (pauseNow && m_window->runner().running() && moves().size() >= 1)
            m_window->runner().cmdTempStop2_Click();
    });
    run(MoveRunner::RangeMove);
    QCOMPARE(moves(), QStringList{"0MP005F"});
    QCOMPARE(m_window->runner().SelMovePosiNo, 6);

    pauseNow = false;
    endSlider->setValue(end);
    startSlider->setValue(start);
    endSlider->setValue(end);
    QCOMPARE(m_window->findChild<QLabel *>("lblStartPosiNo")->text(), QString::number(start));
    QCOMPARE(m_window->findChild<QLabel *>("lblEndPosiNo")->text(), QString::number(end));
    m_sim.controller().clearReceived();
    run(MoveRunner::RangeMove);

    QCOMPARE(moves(), expected);
}

void TestMoveWindow::dwell_data()
{
    QTest::addColumn<bool>("range"); // the range run's free box txtTimer2, else the program's
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QList<int>>("intervals"); // Timer2's interval at each dwell, 0 = not running
    QTest::addColumn<int>("movesMade");

    QTest::newRow("box not ticked: no dwell") << false << false << "10" << QList<int>{} << 3;
    QTest::newRow("empty box: no dwell") << false << true << "" << QList<int>{} << 3;
    QTest::newRow("10: one second each") << false << true << "10" << QList<int>{1000, 1000, 1000} << 3;
    QTest::newRow("999") << false << true << "999" << QList<int>{99900, 99900, 99900} << 3;
    QTest::newRow("0: until stopped") << false << true << "0" << QList<int>{0} << 1;
    // The free box takes any text; it is read as every numeric field is, wholly or not at all.
    QTest::newRow("free box 1.5: 150 ms each") << true << true << "1.5" << QList<int>{150, 150, 150} << 3;
    QTest::newRow("free box with blanks") << true << true << " 12 " << QList<int>{1200, 1200, 1200} << 3;
    QTest::newRow("free box 1.5abc is no number: until stopped") << true << true << "1.5abc" << QList<int>{0} << 1;
    QTest::newRow("free box 12abc is no number: until stopped") << true << true << "12abc" << QList<int>{0} << 1;
    QTest::newRow("free box abc: until stopped") << true << true << "abc" << QList<int>{0} << 1;
    QTest::newRow("free box -5: no dwell") << true << true << "-5" << QList<int>{} << 3;
}

void TestMoveWindow::dwell()
{
    QFETCH(bool, range);
    QFETCH(bool, ticked);
    QFETCH(QString, box);
    QFETCH(QList<int>, intervals);
    QFETCH(int, movesMade);

    if (range) {
        m_window->findChild<QSlider *>("sldrEndPosiNo")->setValue(3);
        check("chkTimerUse2", ticked);
        m_window->findChild<QLineEdit *>("txtTimer2")->setText(box);
    } else {
        setProgram({"1", "2", "3"});
        check("chkTimerUse", ticked);
        m_window->findChild<QLineEdit *>("txtTimer")->setText(box);
    }
    QList<int> seen;
    MoveRunner &runner = m_window->runner();
    bool inDwell = false;
    Watcher watch([&] {
        if (runner.Timeup) {
            inDwell = false;
            return;
        }
        if (inDwell)
            return;
        inDwell = true;
        if (runner.Timer2.isActive()) {
            seen << runner.Timer2.interval();
            runner.Timer2_Timer();
        } else {
            seen << 0;
            if (range)
                runner.cmdStop2_Click();
            else
                runner.cmdStop_Click();
        }
    });
    run(range ? MoveRunner::RangeMove : MoveRunner::ProgramMove);
    QCOMPARE(seen, intervals);
    QCOMPARE(moves().size(), movesMade);
    QVERIFY(!runner.Timer2.isActive());
}

void TestMoveWindow::homeReturn()
{
    m_sim.model().setHomeDone(false);
    m_sim.model().setOutputs("000001");
    QList<bool> lamp;
    link::setHomeLampHook([&](bool shown) { lamp << shown; });
    run(MoveRunner::HomeMove);
    link::setHomeLampHook({});
    QCOMPARE(lamp, (QList<bool>{false, true})); // off when it starts, on when home

    QCOMPARE(moves(), QStringList{"0MM000F"});
    QVERIFY(m_sim.received().contains("0CM1"));
    QVERIFY(!m_sim.received().contains("0RH"));
    QCOMPARE(m_window->findChild<QLabel *>("lblkanryoNo")->text(), QStringLiteral("H0"));
    QVERIFY(!m_window->findChild<QLabel *>("imgOut1Green")->isHidden());
    QVERIFY(m_window->findChild<QLabel *>("imgOut2Green")->isHidden());
    QVERIFY(m_window->findChild<QPushButton *>("cmdHome")->isEnabled());
    QVERIFY(!CommPortIsOpen());
}

void TestMoveWindow::homeReturnAlarm_data()
{
    QTest::addColumn<QByteArray>("alarm");
    QTest::addColumn<bool>("homeSensor");
    QTest::newRow("home sensor not found") << QByteArray("0%%134") << true;
    QTest::newRow("another alarm") << QByteArray("0%%120") << false;
}

// The link tells the alarm; the home sensor's checklist goes under it in the same box, a plain
// 104 does not follow it: one failure, one box.
void TestMoveWindow::homeReturnAlarm()
{
    QFETCH(QByteArray, alarm);
    QFETCH(bool, homeSensor);
    // The controller answers the poll after the home command with its alarm line.
    sim::Fault fault = sim::Fault::nth(sim::FaultKind::UnsolicitedInstead, "0RA", 2);
    fault.unsolicited = alarm;
    m_sim.controller().addFault(fault);
    m_sim.dialogs().answer(platform::IdOk);

    run(MoveRunner::HomeMove);

    QString box = link::alarmMessage();
    if (homeSensor)
        box += QStringLiteral("\r\n\r\n") + ResLines({562, 563, 564, 565, 566, 567, 568});
    QCOMPARE(m_sim.prompts(), QStringList{box});
    QCOMPARE(m_sim.dialogs().boxes().constFirst().style, homeSensor ? int(platform::MbExclamation) : 0);
    QVERIFY(m_sim.dialogs().unexpected().isEmpty());
    QVERIFY(m_window->findChild<QLabel *>("lblkanryoNo")->text().isEmpty());
    QVERIFY(!CommPortIsOpen());
}

// The port does not open for the home return: the operator is told, as by every command.
void TestMoveWindow::homeReturnPortDoesNotOpen()
{
    m_sim.useMissingDevice();
    m_sim.dialogs().answer(platform::IdOk);

    run(MoveRunner::HomeMove);

    QCOMPARE(m_sim.prompts(), QStringList{link::portOpenFailureText()});
    // The two messages, then the system's reason on a line of its own.
    QCOMPARE(m_sim.prompts().constFirst().split(QStringLiteral("\r\n")).mid(0, 3),
             QStringList({LoadResText(109), QString(), LoadResText(110)}));
    QVERIFY(moves().isEmpty());
    QVERIFY(m_window->findChild<QPushButton *>("cmdHome")->isEnabled());
}

void TestMoveWindow::groupMove_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("homed");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("message560");

    QTest::newRow("group 5") << "5" << true << QStringList{"0MG05"} << false;
    QTest::newRow("home move first") << "99" << false << QStringList{"0MM000F", "0MG63"} << false;
    QTest::newRow("group 0 refused") << "0" << true << QStringList{} << true;
    QTest::newRow("group 100 refused") << "100" << true << QStringList{} << true;
}

void TestMoveWindow::groupMove()
{
    QFETCH(QString, group);
    QFETCH(bool, homed);
    QFETCH(QStringList, expected);
    QFETCH(bool, message560);

    m_sim.model().setHomeDone(homed);
    const int value = group.toInt();
    if (value >= 1 && value <= 99)
        m_window->findChild<QSlider *>("sldrGrpNo")->setValue(value);
    else
        m_window->findChild<QLabel *>("lblGrpNo")->setText(group);
    if (message560)
        m_sim.dialogs().answer(platform::IdOk);

    run(MoveRunner::GroupMove);

    QCOMPARE(moves(), expected);
    QCOMPARE(m_sim.prompts(), message560 ? QStringList{LoadResText(560)} : QStringList());
    QVERIFY(m_sim.dialogs().unexpected().isEmpty());
    QVERIFY(m_window->findChild<QLabel *>("lblkanryoNo")->text() != group);
    QVERIFY(!CommPortIsOpen());
}

void TestMoveWindow::groupMoveStop()
{
    // The controller keeps the group move's echo back: only the stop button ends the wait.
    m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::Silence, "0MG"));
    Watcher stop([&] {
        if (moves().size() == 1)
            m_window->findChild<QPushButton *>("cmdGrpMoveStop")->click();
    });
    run(MoveRunner::GroupMove);
    QCOMPARE(moves(), QStringList{"0MG01"});
    QCOMPARE(m_sim.received().last(), QStringLiteral("0MG01")); // no poll after the stop
    QVERIFY(!CommPortIsOpen());
    QVERIFY(m_window->findChild<QPushButton *>("cmdGrpMove")->isEnabled());
    // The request ended with its run, and a click outside a group move asks for nothing ...
    QVERIFY(!gGrpMoveStop);
    m_window->findChild<QPushButton *>("cmdGrpMoveStop")->click();
    QVERIFY(!gGrpMoveStop);

    // ... so a link fault of a later run is reported.
    m_sim.controller().clearFaults();
    m_sim.controller().addFault(sim::Fault::nth(sim::FaultKind::WrongEcho, "0RA", 1));
    m_sim.dialogs().answer(platform::IdOk);
    m_window->findChild<QRadioButton *>("optMoveWay1")->click();
    run(MoveRunner::RangeMove);
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(104)});
}

void TestMoveWindow::portLostBetweenExchanges_data()
{
    QTest::addColumn<int>("request");
    QTest::addColumn<QStringList>("nextStart"); // what the next Move sends first
    QTest::newRow("program run, 1 to 15 repeated")
        << int(MoveRunner::ProgramMove) << QStringList{"0RA", "0RH", "0MP001F"};
    QTest::newRow("range run, 5 to 7 repeated")
        << int(MoveRunner::RangeMove) << QStringList{"0RA", "0RH", "0MP005F"};
    QTest::newRow("group run") << int(MoveRunner::GroupMove) << QStringList{"0RA", "0RH", "0MG01"};
}

// The port vanishes while a run waits between two of its exchanges (a cable pulled) and is
// back under the same device while the link's box stands. The run ends through its end
// steps: nothing moves after the box, the window shows the run stopped, and the next Move
// begins with the run's common start.
void TestMoveWindow::portLostBetweenExchanges()
{
    QFETCH(int, request);
    QFETCH(QStringList, nextStart);

    // The port is a fixed path that names the controller's device, as a USB adapter's does.
    QTemporaryDir dir;
    const QString port = dir.filePath(QStringLiteral("ttyUSB-qz"));
    QVERIFY(m_sim.useFixedPath(port));
    auto backToSimulator = qScopeGuard([&] { m_sim.useSimulator(); });

    m_window->cmdInp1toF_Click();
    check("chkRepeat", true);
    m_window->findChild<QSlider *>("sldrEndPosiNo")->setValue(7);
    m_window->findChild<QSlider *>("sldrStartPosiNo")->setValue(5);
    check("chkRepeat2", true);

    std::optional<QStringList> atBox;
    m_sim.dialogs().answer(platform::IdOk);
    m_sim.dialogs().onBox([&](const platform::DialogScript::Box &) {
        atBox = m_sim.received();
        QString error;
        QVERIFY2(m_sim.restartController(&error), qPrintable(error));
        m_sim.controller().clearReceived();
    });
    bool vanished = false;
    {
        // After the first move's first poll, while the run pauses before the next one.
        Watcher cut([&] {
            // A run that went on after the box would repeat for ever: it is stopped, and fails.
            if (atBox && !moves().isEmpty())
                m_window->runner().requestStopAll();
            const QStringList lines = m_sim.received();
            if (vanished || !m_window->runner().running() || moves().size() != 1
                || lines.isEmpty() || lines.last() != QLatin1String("0RA")
                || link::SerialLink::instance().inExchange())
                return;
            vanished = true;
            m_sim.controller().vanish();
        });
        run(request);
    }
    // The link tells a loss on the event loop's next turn; the run may have ended on the
    // loss before that turn came.
    QCoreApplication::sendPostedEvents();
    QVERIFY(vanished);
    QVERIFY(atBox);
    QCOMPARE(atBox->count(nextStart.last()), 1);
    QCOMPARE(boxesShown(m_sim.prompts()), QStringList{kLostPort});
    // Nothing reached the controller once the box stood: the run did not go on.
    QVERIFY2(m_sim.received().isEmpty(), qPrintable(m_sim.received().join(' ')));
    QCOMPARE(moves(), QStringList{});
    QVERIFY(!m_window->runner().running());
    QVERIFY(!gCmdNow);
    QVERIFY(!BusyGuard::busy());
    for (const char *name : {"cmdMove", "cmdSelectMove", "cmdGrpMove", "cmdMoveWinClose"})
        QVERIFY2(m_window->findChild<QWidget *>(name)->isEnabled(), name);

    // The next Move is the operator's: it starts with the common start, on the port that
    // came back.
    check("chkRepeat", false);
    check("chkRepeat2", false);
    m_window->findChild<QRadioButton *>("optMoveWay1")->click();
    run(request);
    const QStringList again = m_sim.received();
    QVERIFY2(again.mid(0, nextStart.size()) == nextStart, qPrintable(again.join(' ')));
    QCOMPARE(boxesShown(m_sim.prompts()), QStringList{kLostPort});
}

void TestMoveWindow::commandsLockedDuringRun()
{
    setProgram({"1"});
    bool seen = false;
    Watcher during([&] {
        if (seen || !m_window->runner().running())
            return;
        seen = true;
        QVERIFY(gCmdNow);
        QVERIFY(BusyGuard::busy());
        QVERIFY(m_main->disabled.contains("cmdReset"));
        QVERIFY(m_main->disabled.contains("mnuFunctionCt"));
        QVERIFY(!m_main->gridActive);
        for (const char *name : {"cmdMove", "cmdSelectMove", "cmdGrpMove", "cmdMoveWinClose",
                                 "txtTimer", "chkTimerUse2", "flgdProgram"})
            QVERIFY2(!m_window->findChild<QWidget *>(name)->isEnabled(), name);
        for (const char *name : {"cmdStop", "cmdTmpStop", "cmdGrpMoveStop"})
            QVERIFY2(m_window->findChild<QWidget *>(name)->isEnabled(), name);
    });
    run(MoveRunner::ProgramMove);
    QVERIFY(seen);
    QVERIFY(!gCmdNow);
    QVERIFY(!BusyGuard::busy());
    QVERIFY2(m_main->disabled.isEmpty() || !m_main->disabled.contains("cmdReset"),
             qPrintable(m_main->disabled.join(' ')));
    QVERIFY(!m_main->disabled.contains("mnuFunctionCt"));
    QVERIFY(m_main->gridActive);
    for (const char *name : {"cmdMove", "cmdSelectMove", "cmdGrpMove", "cmdMoveWinClose",
                             "txtTimer", "chkTimerUse2", "flgdProgram"})
        QVERIFY2(m_window->findChild<QWidget *>(name)->isEnabled(), name);
}

void TestMoveWindow::dispatcherWaits_data()
{
    QTest::addColumn<QString>("condition");
    QTest::newRow("exchange under way") << "tusin";
    QTest::newRow("nothing requested") << "idle";
    QTest::newRow("another operation busy") << "busy";
}

void TestMoveWindow::dispatcherWaits()
{
    QFETCH(QString, condition);
    setProgram({"1"});
    MoveRunner &runner = m_window->runner();
    if (condition != QLatin1String("idle"))
        click("cmdMove");
    {
        std::unique_ptr<BusyGuard> busy;
        if (condition == QLatin1String("busy"))
            busy = std::make_unique<BusyGuard>();
        gTusinNow = condition == QLatin1String("tusin");
        runner.timerEventCheck_Timer();
        gTusinNow = false;
    }
    QVERIFY(m_sim.received().isEmpty());
    QCOMPARE(runner.ExecMoveNo, condition == QLatin1String("idle") ? 0 : 1);
    if (condition == QLatin1String("busy")) {
        click("cmdMove"); // refused while busy elsewhere; the posted request stays
        runner.timerEventCheck_Timer();
        QCOMPARE(moves(), QStringList{"0MP001F"});
    }
}

void TestMoveWindow::closeDuringRun()
{
    // Cancel keeps the window; the question is asked for the close box only.
    gCmdNow = true;
    m_sim.dialogs().answer(platform::IdCancel);
    QVERIFY(!m_window->Form_QueryUnload(0));
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(570)});
    QVERIFY(m_window->isVisible());
    QVERIFY(m_window->Form_QueryUnload(1));
    gCmdNow = false;

    // OK during a run: the run stops after the move under way and the window goes.
    m_window->cmdInp1toF_Click();
    check("chkRepeat", true);
    m_sim.dialogs().answer(platform::IdOk);
    bool asked = false;
    Watcher close([&] {
        if (!asked && m_window && m_window->runner().running() && moves().size() == 1) {
            asked = true;
            QVERIFY(!m_window->Form_QueryUnload(0));
        }
    });
    run(MoveRunner::ProgramMove);
    QCOMPARE(moves().size(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_window.isNull());
    QVERIFY(!gCmdNow);
    QVERIFY(m_main->gridActive);
}

void TestMoveWindow::stepEditing()
{
    QTableWidget *grid = m_window->programGrid();
    m_window->activateWindow();
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    QTest::keyClick(grid, Qt::Key_7);
    auto *editor = openEditor(grid);
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("7"));
    QTest::keyClicks(editor, "123"); // two more digits fit, a fourth does not
    QCOMPARE(editor->text(), QStringLiteral("712"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(m_window->programStep(1), QStringLiteral("712"));
    QCOMPARE(grid->currentColumn(), 1);

    // "0" empties the cell.
    grid->item(0, 1)->setText(QStringLiteral("5"));
    QTest::keyClick(grid, Qt::Key_0);
    editor = openEditor(grid);
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(m_window->programStep(2), QString());

    // Escape leaves the cell as it was.
    grid->setCurrentCell(0, 0);
    QTest::keyClick(grid, Qt::Key_4);
    editor = openEditor(grid);
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(m_window->programStep(1), QStringLiteral("712"));

    // Enter in column 15 goes on in column 1; Left in column 1 stays.
    grid->setCurrentCell(0, 14);
    QTest::keyClick(grid, Qt::Key_9);
    QTest::keyClick(openEditor(grid), Qt::Key_Return);
    QCOMPARE(m_window->programStep(15), QStringLiteral("9"));
    QCOMPARE(grid->currentColumn(), 0);
    QTest::keyClick(grid, Qt::Key_8);
    QTest::keyClick(openEditor(grid), Qt::Key_Left);
    QCOMPARE(m_window->programStep(1), QStringLiteral("8"));
    QCOMPARE(grid->currentColumn(), 0);

    m_window->cmdDataClear_Click();
    for (int k = 1; k <= 15; ++k)
        QCOMPARE(m_window->programStep(k), QString());
    m_window->cmdInp1toF_Click();
    QCOMPARE(m_window->programStep(15), QStringLiteral("15"));
}

// The table's texts pasted with Ctrl+V as X11 builds it into the step editor: taken only when
// the keys could have typed them, and shown as the run uses them ("007" is step 7).
void TestMoveWindow::stepPaste_data()
{
    fieldtexts::addRows({fieldtexts::Step});
}

void TestMoveWindow::stepPaste()
{
    QFETCH(QString, text);
    QFETCH(bool, taken);
    QFETCH(QString, shown);
    QTableWidget *grid = m_window->programGrid();
    grid->item(0, 0)->setText(QStringLiteral("5"));
    grid->setCurrentCell(0, 0);
    grid->setFocus();
    sendX11Key(grid, Qt::Key_F2); // the editor opens with the step selected
    QLineEdit *editor = openEditor(grid);
    QVERIFY(editor);
    QGuiApplication::clipboard()->setText(text);
    sendX11Key(editor, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor->text(), taken ? text : QStringLiteral("5"));
    sendX11Key(editor, Qt::Key_Return);
    QCOMPARE(m_window->programStep(1), taken ? shown : QStringLiteral("5"));
}

void TestMoveWindow::dwellBox()
{
    QCOMPARE(operation::moveprogram::dwellText("999"), QStringLiteral("999"));
    QCOMPARE(operation::moveprogram::dwellText("007"), QStringLiteral("7"));
    bool accepted = true;
    QCOMPARE(operation::moveprogram::dwellText("-1", &accepted), QString());
    QVERIFY(!accepted);

    auto *box = m_window->findChild<QLineEdit *>("txtTimer");
    check("chkTimerUse", true);
    QVERIFY(box->isEnabled());
    box->clear();
    QTest::keyClicks(box, "1234x");
    QCOMPARE(box->text(), QStringLiteral("123"));
    check("chkTimerUse", false);
    QVERIFY(!box->isEnabled());
}

void TestMoveWindow::framesHoldTheirControls_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<int>("caption"); // 0: a frame without a title
    QTest::addColumn<QStringList>("controls");
    QTest::newRow("program mode") << "pictureSelectMode" << 0 << QStringList{"optSelectMode0", "optSelectMode1"};
    QTest::newRow("program dwell") << "frmTimer" << 0 << QStringList{"chkTimerUse", "txtTimer", "lblTimer"};
    QTest::newRow("repeat range") << "frmMoveRepeat" << 502
                                  << QStringList{"lblRepMovStart", "lblStartPosiNo", "sldrStartPosiNo", "updownStartPosiNo",
                                                 "lblRepMovEnd", "lblEndPosiNo", "sldrEndPosiNo", "updownEndPosiNo"};
    QTest::newRow("move way") << "framMoveWay" << 532 << QStringList{"optMoveWay0", "optMoveWay1"};
    QTest::newRow("range dwell") << "framTimer2" << 0 << QStringList{"chkTimerUse2", "txtTimer2", "lblTimer2"};
}

void TestMoveWindow::framesHoldTheirControls()
{
    QFETCH(QString, frame);
    QFETCH(int, caption);
    QFETCH(QStringList, controls);
    auto *box = m_window->findChild<QGroupBox *>(frame);
    QVERIFY2(box, qPrintable(frame));
    QCOMPARE(box->title(), caption ? LoadResText(caption) : QString());
    for (const QString &name : std::as_const(controls)) {
        auto *control = m_window->findChild<QWidget *>(name);
        QVERIFY2(control, qPrintable(name));
        QVERIFY2(box->isAncestorOf(control), qPrintable(name));
    }
}

void TestMoveWindow::rangeControls()
{
    auto *start = m_window->findChild<QSlider *>("sldrStartPosiNo");
    auto *end = m_window->findChild<QSlider *>("sldrEndPosiNo");
    auto *startLabel = m_window->findChild<QLabel *>("lblStartPosiNo");
    auto *endLabel = m_window->findChild<QLabel *>("lblEndPosiNo");
    QCOMPARE(startLabel->text(), QStringLiteral("1"));
    QCOMPARE(endLabel->text(), QStringLiteral("10"));

    // Continual: the end slider below the start pulls the start down; the start above the
    // end pushes the end up.
    start->setValue(8);
    end->setValue(3);
    QCOMPARE(start->value(), 3);
    QCOMPARE(startLabel->text(), QStringLiteral("3"));
    start->setValue(20);
    QCOMPARE(endLabel->text(), QStringLiteral("20"));
    auto *updownStart = m_window->findChild<QSpinBox *>("updownStartPosiNo");
    updownStart->stepUp();
    QCOMPARE(startLabel->text(), QStringLiteral("21"));
    QCOMPARE(endLabel->text(), QStringLiteral("21"));
    QCOMPARE(end->value(), 21);

    // Single: the end follows the start and cannot be changed.
    end->setValue(40);
    m_window->findChild<QRadioButton *>("optMoveWay1")->click();
    QCOMPARE(endLabel->text(), QStringLiteral("21"));
    QVERIFY(!end->isEnabled());
    QVERIFY(!m_window->findChild<QWidget *>("chkTimerUse2")->isEnabled());
    start->setValue(30);
    QCOMPARE(endLabel->text(), QStringLiteral("30"));
    m_window->findChild<QRadioButton *>("optMoveWay0")->click();
    QVERIFY(end->isEnabled());
    QCOMPARE(endLabel->text(), QStringLiteral("30"));

    // Group number.
    m_window->findChild<QSpinBox *>("UpDown2")->stepUp();
    QCOMPARE(m_window->findChild<QLabel *>("lblGrpNo")->text(), QStringLiteral("2"));
    QCOMPARE(m_window->findChild<QSlider *>("sldrGrpNo")->value(), 2);
}

void TestMoveWindow::openedOnce()
{
    delete m_window.data();
    operation::registerMoveWindow();
    QCOMPARE(core::mainform::runCommand(QStringLiteral("ShowMoveWindow")), 0);
    frmMove *first = frmMove::instance();
    QVERIFY(first);
    QCOMPARE(core::mainform::runCommand(QStringLiteral("cmdOpenMoveWin_Click")), 0);
    QCOMPARE(core::mainform::runCommand(QStringLiteral("mnuShowMove_Click")), 0);
    QCOMPARE(frmMove::instance(), first);
    QCOMPARE(first->windowTitle(), LoadResText(501));
    QCOMPARE(first->findChild<QPushButton *>("cmdGrpMoveStop")->text(), LoadResText(525));
    m_window = first;
}

// The heading row and the program row show whole, every step column in view, no scroll bar.
void TestMoveWindow::gridShowsWhole()
{
    auto *grid = m_window->findChild<QTableWidget *>(QStringLiteral("flgdProgram"));
    QVERIFY(grid);
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QVERIFY(!grid->horizontalScrollBar()->isVisible());
    QVERIFY(!grid->verticalScrollBar()->isVisible());
    const int frame = 2 * grid->frameWidth();
    QVERIFY(grid->viewport()->height() >= grid->rowHeight(0));
    QVERIFY(grid->height() >= grid->horizontalHeader()->height() + grid->rowHeight(0) + frame);
    QCOMPARE(grid->horizontalHeader()->length(), grid->viewport()->width());
    const QFontMetrics metrics(grid->font());
    for (int k = 0; k < operation::moveprogram::kSteps; ++k)
        QVERIFY(grid->columnWidth(k) >= metrics.horizontalAdvance(QStringLiteral("999")));
    QVERIFY(grid->verticalHeader()->width()
            >= QFontMetrics(grid->verticalHeader()->font()).horizontalAdvance(LoadResText(523)));
    // The corner heading over the row title.
    auto *corner = grid->findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(corner);
    QCOMPARE(corner->text(), QStringLiteral("No."));
    QVERIFY(corner->isVisible());
    QVERIFY(corner->width() >= QFontMetrics(corner->font()).horizontalAdvance(corner->text()));
}

QTEST_MAIN(TestMoveWindow)
#include "tst_movewindow.moc"
