// The controller command set against the simulated controller.
#include "link/OnlineMode.h"
#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "tables/ParaSet.h"
#include "link/CommandSet.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "support/SimFixture.h"

#include <QTimer>
#include <QtTest>

using sim::Fault;
using sim::FaultKind;

Q_DECLARE_METATYPE(sim::Fault)

class TestCommandSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void commandLines_data();
    void commandLines();
    void commModeCorrectsTheMode();
    void readsTakeTheirFields();
    void versionShownInTheStatusBar_data();
    void versionShownInTheStatusBar();
    void modelCheckTellsAFailureOnce_data();
    void modelCheckTellsAFailureOnce();
    void homeMoveWaitsWhileMoving();
    void homeMoveWithoutOutputsGivesTheWindowsBack();
    void replyForAnotherRecordIsAWrongEcho_data();
    void replyForAnotherRecordIsAWrongEcho();
    void silentAxisReadTriesSixTimes();
    void stopEndsTheGroupMoveWait();
    void axisAndActuatorComparison_data();
    void axisAndActuatorComparison();

private:
    SimFixture m_sim;
};

namespace {

int run(const QString &operation)
{
    int mode = 0;
    if (operation == QLatin1String("SetCtCommMode 1 0"))
        return SetCtCommMode(1, mode = 0);
    if (operation == QLatin1String("SetCtCommMode 0 1"))
        return SetCtCommMode(0, mode = 1);
    if (operation == QLatin1String("SendMoveCmd 10 0"))
        return SendMoveCmd(10, 0);
    if (operation == QLatin1String("SendMoveCmd 10 1"))
        return SendMoveCmd(10, 1);
    if (operation == QLatin1String("SendMoveCmd 1000 0"))
        return SendMoveCmd(1000, 0);
    if (operation == QLatin1String("SendGrpMoveCmd 5"))
        return SendGrpMoveCmd(5);
    if (operation == QLatin1String("SendGrpMoveCmd 100"))
        return SendGrpMoveCmd(100);
    if (operation == QLatin1String("CtCommModeOn"))
        return CtCommModeOn();
    if (operation == QLatin1String("ReadCtRAStatus"))
        return ReadCtRAStatus();
    if (operation == QLatin1String("ReadHomeStatus"))
        return ReadHomeStatus();
    if (operation == QLatin1String("ReadCtVersion"))
        return ReadCtVersion();
    if (operation == QLatin1String("CheckCtModel"))
        return CheckCtModel();
    if (operation == QLatin1String("ReadAxisUse"))
        return ReadAxisUse();
    if (operation == QLatin1String("ReadAxisUseWithProgress"))
        return ReadAxisUseWithProgress();
    if (operation == QLatin1String("ReadAxisUse2"))
        return ReadAxisUse2();
    if (operation == QLatin1String("ReadAxisBlock"))
        return ReadAxisBlock();
    if (operation == QLatin1String("ReadOutputStatus"))
        return ReadOutputStatus();
    qFatal("no such operation");
    return -99;
}

} // namespace

void TestCommandSet::initTestCase()
{
    m_sim.startOrFail();
}

void TestCommandSet::init()
{
    m_sim.reset();
}

void TestCommandSet::commandLines_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("axes");
    QTest::addColumn<QByteArray>("tag2");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("received");

    const QByteArray k4r = "K4R";
    QTest::newRow("mode, all axes") << "SetCtCommMode 1 0" << 15 << k4r << 0 << QStringList{"0CM150"};
    QTest::newRow("mode 1 without mask") << "SetCtCommMode 0 1" << 15 << k4r << 0 << QStringList{"0CM01"};
    QTest::newRow("communication mode on") << "CtCommModeOn" << 15 << k4r << 0 << QStringList{"0CM1"};
    QTest::newRow("move to 10, axes 1 and 3") << "SendMoveCmd 10 0" << 5 << k4r << 0 << QStringList{"0MP00A5"};
    QTest::newRow("move mode 1") << "SendMoveCmd 10 1" << 5 << k4r << 0 << QStringList{"0MM00A5"};
    QTest::newRow("position 1000 sends nothing") << "SendMoveCmd 1000 0" << 15 << k4r << 1 << QStringList{};
    QTest::newRow("group move 5") << "SendGrpMoveCmd 5" << 15 << k4r << 0 << QStringList{"0MG05"};
    QTest::newRow("group 100 sends nothing") << "SendGrpMoveCmd 100" << 15 << k4r << 1 << QStringList{};
    QTest::newRow("ready status") << "ReadCtRAStatus" << 15 << k4r << 1 << QStringList{"0RA"};
    QTest::newRow("home status") << "ReadHomeStatus" << 15 << k4r << 0 << QStringList{"0RH"};
    QTest::newRow("version") << "ReadCtVersion" << 15 << k4r << 0 << QStringList{"0CM1", "0RV"};
    QTest::newRow("model, axis 2 of another kind") << "CheckCtModel" << 15 << QByteArray("K3R") << 1
                                                   << QStringList{"0RV1", "0RV2"};
    QTest::newRow("model, axes 1 and 4") << "CheckCtModel" << 9 << k4r << 0 << QStringList{"0RV1", "0RV4"};
    QTest::newRow("axis use") << "ReadAxisUse" << 15 << k4r << 0 << QStringList{"0CM1", "0RD0"};
    QTest::newRow("axis use with progress") << "ReadAxisUseWithProgress" << 15 << k4r << 0
                                            << QStringList{"0CM1", "0RD0"};
    QTest::newRow("silent axis use") << "ReadAxisUse2" << 15 << k4r << 0 << QStringList{"0CM1", "0RD0"};
    QTest::newRow("axis limits, axes 1 and 3") << "ReadAxisBlock" << 5 << k4r << 0
                                               << QStringList{"0CM1", "0RD6", "0RDA"};
    QTest::newRow("output status") << "ReadOutputStatus" << 15 << k4r << 0 << QStringList{"0RO"};
}

void TestCommandSet::commandLines()
{
    QFETCH(QString, operation);
    QFETCH(int, axes);
    QFETCH(QByteArray, tag2);
    QFETCH(int, result);
    QFETCH(QStringList, received);

    m_sim.useAxes(axes);
    m_sim.model().setAxisTag(2, tag2);
    QCOMPARE(run(operation), result);
    QCOMPARE(m_sim.received(), received);
    QCOMPARE(m_sim.prompts(), QStringList{});
}

void TestCommandSet::commModeCorrectsTheMode()
{
    SetOfflineMode();
    int mode = 7;
    QCOMPARE(SetCtCommMode(0, mode), 0);
    QCOMPARE(mode, 0);
    QCOMPARE(m_sim.received(), QStringList{"0CM00"});
    QVERIFY(gTusinNow); // held for the transfer that follows
    QVERIFY(!gOfflineMode);
}

void TestCommandSet::readsTakeTheirFields()
{
    m_sim.useAxes(15);
    m_sim.model().setVersion("2.3", '4');
    m_sim.model().setAxisTag(3, "K4R");
    QCOMPARE(ReadCtVersion(), 0);
    QCOMPARE(gCtVersion, 4);
    QCOMPARE(gCtVersionStr, QStringLiteral("2.3"));
    QCOMPARE(CheckCtModel(), 0);
    QCOMPARE(gAxisVersionStr[2], QStringLiteral("2.3"));

    m_sim.model().setAxisMask(5);
    QCOMPARE(ReadAxisUse(), 0);
    QCOMPARE(gAxisMask, 5);
    QCOMPARE(QList<bool>({gAxisUnused[0], gAxisUnused[1], gAxisUnused[2], gAxisUnused[3]}),
             QList<bool>({false, true, false, true}));

    sim::ControllerModel::Actuator longAxis;
    longAxis.strokeLimit = 262143;
    m_sim.model().setActuator(0, longAxis);
    gAxisStrokeLimit[1] = 77;
    QCOMPARE(ReadAxisBlock(), 0);
    QCOMPARE(gAxisStrokeLimit[0], 262143);
    QCOMPARE(gAxisStrokeLimit[1], 0); // not used: no exchange, limit 0
    QCOMPARE(gAxisStrokeLimit[2], 20000);

    m_sim.model().setOutputs("00000B");
    QCOMPARE(ReadOutputStatus(), 11);

    m_sim.model().setHomeDone(true);
    QCOMPARE(ReadHomeStatus(), 0);
    QVERIFY(gHomeDone);
    m_sim.model().setHomeDone(false);
    QCOMPARE(ReadHomeStatus(), 0);
    QVERIFY(!gHomeDone);
    QCOMPARE(m_sim.hooks().entries("home lamp"), QStringList({"home lamp on", "home lamp off"}));
}

void TestCommandSet::versionShownInTheStatusBar_data()
{
    QTest::addColumn<bool>("versionFails");
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<QString>("panel");

    QTest::newRow("good") << false << QByteArray("K4R") << 0 << 0 << LoadResText(416) + "1.0";
    QTest::newRow("another model") << false << QByteArray("K2R") << 0 << 1 << LoadResText(416) + "1.0";
    QTest::newRow("no version") << true << QByteArray("K4R") << 1 << 1 << LoadResText(415);
}

void TestCommandSet::versionShownInTheStatusBar()
{
    QFETCH(bool, versionFails);
    QFETCH(QByteArray, tag);
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(QString, panel);

    m_sim.model().setAxisTag(1, tag);
    if (versionFails)
        m_sim.controller().addFault(Fault::always(FaultKind::WrongEcho, "0RV"));
    QCOMPARE(ShowCtVersion(), first);
    QCOMPARE(m_sim.hooks().entries("panel"), QStringList{"panel 1: " + panel});
    // A garbled version reply is told once, by the link.
    const QStringList told = versionFails ? QStringList{LoadResText(104)} : QStringList{};
    QCOMPARE(m_sim.prompts(), told);
    m_sim.reset(); // a fresh link for the second form
    if (versionFails)
        m_sim.controller().addFault(Fault::always(FaultKind::WrongEcho, "0RV"));
    m_sim.model().setAxisTag(1, tag);
    QCOMPARE(ShowCtVersion2(), second);
    QCOMPARE(m_sim.prompts(), told);
}

void TestCommandSet::modelCheckTellsAFailureOnce_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("received");

    const QString crlf2 = QStringLiteral("\r\n\r\n");
    QTest::newRow("dead controller") << Fault::always(FaultKind::Silence, "0RV")
                                     << ResLines({100, 101, 102, 103}, crlf2)
                                     << QStringList(6, QStringLiteral("0RV1"));
    QTest::newRow("every reply garbled") << Fault::always(FaultKind::WrongEcho, "0RV") << LoadResText(104)
                                         << QStringList{"0RV1", "0CM0"};
}

void TestCommandSet::modelCheckTellsAFailureOnce()
{
    QFETCH(Fault, fault);
    QFETCH(QString, message);
    QFETCH(QStringList, received);

    m_sim.useAxes(15);
    m_sim.controller().addFault(fault);
    QCOMPARE(CheckCtModel(), 1);
    QCOMPARE(m_sim.prompts(), QStringList{message});
    QCOMPARE(m_sim.received(), received);
}

void TestCommandSet::homeMoveWaitsWhileMoving()
{
    m_sim.useAxes(15);
    m_sim.model().setMotionPolls(4);
    m_sim.model().setPresentPosition(2, 1234);
    m_sim.model().setOutputs("000003");
    QCOMPARE(CtMovePosi(), 1);
    QCOMPARE(m_sim.received(),
             QStringList({"0MM000F", "0RA", "0RA", "0RA", "0RA", "0RA", "0RO"}));
    QVERIFY(gHomeDone);
    QVERIFY(m_sim.model().homeDone());
    QCOMPARE(m_sim.model().presentPosition(2), 0);
    QCOMPARE(m_sim.hooks().log,
             QStringList({"home lamp on", "home lamp on", "MoveStateHyoji 3", "lblkanryoNo H0"}));
}

void TestCommandSet::homeMoveWithoutOutputsGivesTheWindowsBack()
{
    m_sim.controller().addFault(Fault::always(FaultKind::WrongEcho, "0RO"));
    QCOMPARE(CtMovePosi(), -1);
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(104)});
    QCOMPARE(m_sim.hooks().log, QStringList({"home lamp on", "MoveCMDBTN_Yuko", "dwell controls",
                                             "cmdReset", "MenuFunction_Yuko"}));

    m_sim.reset();
    m_sim.controller().addFault(Fault::always(FaultKind::WrongEcho, "0MM"));
    QCOMPARE(CtMovePosi(), -1);
    QVERIFY(!gHomeDone);
    QCOMPARE(m_sim.received(), QStringList({"0MM000F", "0CM0"}));
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(104)});
}

void TestCommandSet::replyForAnotherRecordIsAWrongEcho_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Fault>("fault");

    Fault notHexMask = Fault::always(FaultKind::NotHex, "0RD");
    notHexMask.offset = 16;
    Fault notHexLimit = Fault::always(FaultKind::NotHex, "0RD");
    notHexLimit.offset = 15;
    Fault notHexOutput = Fault::always(FaultKind::NotHex, "0RO");
    notHexOutput.offset = 8;
    QTest::newRow("axis use, block 1 for 0") << "ReadAxisUse" << Fault::always(FaultKind::WrongRecord, "0RD");
    QTest::newRow("axis use, mask not hex") << "ReadAxisUse" << notHexMask;
    QTest::newRow("limits, another block") << "ReadAxisBlock" << Fault::always(FaultKind::WrongRecord, "0RD");
    QTest::newRow("limits not hex") << "ReadAxisBlock" << notHexLimit;
    QTest::newRow("output status not hex") << "ReadOutputStatus" << notHexOutput;
}

void TestCommandSet::replyForAnotherRecordIsAWrongEcho()
{
    QFETCH(QString, operation);
    QFETCH(Fault, fault);

    gAxisMask = 9;
    gAxisStrokeLimit[0] = 55;
    m_sim.controller().addFault(fault);
    QVERIFY(run(operation) != 0);
    QCOMPARE(m_sim.prompts(), QStringList{LoadResText(104)});
    QVERIFY(gOfflineMode);
    QVERIFY(gTusinErr);
    QCOMPARE(gAxisMask, 9);
    QCOMPARE(gAxisStrokeLimit[0], 55);
}

void TestCommandSet::silentAxisReadTriesSixTimes()
{
    Fault firstTwo = Fault::always(FaultKind::WrongEcho, "0RD");
    firstTwo.last = 2;
    m_sim.controller().addFault(firstTwo);
    m_sim.model().setAxisMask(3);
    QCOMPARE(ReadAxisUse2(), 0);
    QCOMPARE(m_sim.received().count("0RD0"), 3);
    QCOMPARE(QList<bool>({gCtAxisUnused[0], gCtAxisUnused[1], gCtAxisUnused[2], gCtAxisUnused[3]}),
             QList<bool>({false, false, true, true}));
    QCOMPARE(m_sim.prompts(), QStringList{});

    // Six failures end it; the loop does not run on for ever on the senders' counter.
    m_sim.reset();
    m_sim.controller().addFault(Fault::always(FaultKind::WrongEcho, "0RD"));
    QCOMPARE(ReadAxisUse2(), 1);
    QCOMPARE(m_sim.received().count("0RD0"), 6);
}

void TestCommandSet::stopEndsTheGroupMoveWait()
{
    m_sim.controller().addFault(Fault::always(FaultKind::Silence, "0MG"));
    QTimer::singleShot(0, [this] {
        // The stop button, once the command is on its way.
        m_sim.controller().waitForReceived(1);
        gGrpMoveStop = true;
    });
    QCOMPARE(SendGrpMoveCmd(7), 1);
    QVERIFY(gOfflineMode);
    QCOMPARE(m_sim.prompts(), QStringList{});
    QCOMPARE(m_sim.received(), QStringList{"0MG07"});
}

void TestCommandSet::axisAndActuatorComparison_data()
{
    QTest::addColumn<int>("controllerAxes");
    QTest::addColumn<int>("lead");
    QTest::addColumn<bool>("withPG");
    QTest::addColumn<int>("axisSetting");
    QTest::addColumn<int>("ctSetting");

    QTest::newRow("same") << 15 << 2 << false << 0 << 0;
    QTest::newRow("axis 4 missing") << 7 << 2 << false << 1 << 1;
    QTest::newRow("another lead") << 15 << 6 << false << 0 << 1;
    QTest::newRow("PG expected, none there") << 15 << 2 << true << 0 << 1;
}

void TestCommandSet::axisAndActuatorComparison()
{
    QFETCH(int, controllerAxes);
    QFETCH(int, lead);
    QFETCH(bool, withPG);
    QFETCH(int, axisSetting);
    QFETCH(int, ctSetting);

    for (int a = 0; a < kAxisCount; ++a) {
        gDevLead[a] = 2;
        gDevPPR[a] = 400;
        gDevMaxPulse[a] = 20000;
        gDevSize[a] = QStringLiteral(" 28");
        gDevSpeed[a] = QStringLiteral("L");
        gDevStroke[a] = 100;
        gDevSetteiWithPG[a] = withPG;
    }
    sim::ControllerModel::Actuator actuator;
    actuator.lead = lead;
    m_sim.model().setActuator(1, actuator);
    m_sim.model().setAxisMask(controllerAxes);
    QCOMPARE(ReadAxisSetting(), axisSetting);
    QCOMPARE(ReadCtSetting(), ctSetting);
}

QTEST_MAIN(TestCommandSet)
#include "tst_commandset.moc"
