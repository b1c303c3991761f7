// The three senders against the simulated controller, through the real serial port code.
#include "link/OnlineMode.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "link/ErrorList.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/Sender.h"
#include "link/SerialLink.h"
#include "platform/DialogScript.h"
#include "sim/SimSession.h"
#include "support/LostPortBox.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

using sim::Fault;
using sim::FaultKind;

Q_DECLARE_METATYPE(QList<sim::Fault>)
Q_DECLARE_METATYPE(sim::Fault)

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString timeoutMessage()
{
    return ResLines({100, 101, 102, 103}, kCrLf + kCrLf);
}

QString alarmMessage(const QString &code, const QString &text, bool known)
{
    QString m = LoadResText(104) + kCrLf;
    if (known)
        m += QStringLiteral("Error No.") + code + kCrLf;
    return m + QLatin1Char('[') + text + QLatin1Char(']');
}

Fault unsolicitedInstead(const QByteArray &match, const QByteArray &line, int n = 0)
{
    Fault f = n ? Fault::nth(FaultKind::UnsolicitedInstead, match, n)
                : Fault::always(FaultKind::UnsolicitedInstead, match);
    f.unsolicited = line;
    return f;
}

int sendWith(int sender, const QString &command, int length, const QString &argument)
{
    switch (sender) {
    case 1:
        return SendCmdToCt(command, length, argument);
    case 2:
        return SendCmdToCt2(command, length, argument);
    default:
        return SendCmdToCt3(command, length, argument);
    }
}

} // namespace

class TestSender : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void outcomes_data();
    void outcomes();
    void portNotOpened_data();
    void portNotOpened();
    void replyLeftForTheCaller();
    void unsolicitedAfterReplyIsShownAfterIt();
    void lateReplyIsNotTakenForTheNextCommand();
    void copiesOfALateReply_data();
    void copiesOfALateReply();
    void replyAtTheTimeOut_data();
    void replyAtTheTimeOut();
    void partialLineAtAResend_data();
    void partialLineAtAResend();
    void replySentTwiceMeetsTheSameCommand();
    void sameStateLineInPlaceOfTwoReplies();
    void sendDuringAWaitIsRefused();
    void noiseWithoutLineEnds();
    void vanishedPortIsReportedOnceOutsideAnExchange();
    void alarmPanelFollowsTheReplies();

private:
    sim::SimSession m_session;
};

void TestSender::initTestCase()
{
    QString error;
    QVERIFY2(m_session.start(&error), qPrintable(error));
}

void TestSender::init()
{
    m_session.reset();
    m_session.useSimulator();
    QVERIFY(link::readErrorListFile(QStringLiteral(QZ_FIXTURES_DIR "/link/errors_ok.lst"), gErrorList,
                                    gErrorListCount));
    gTimeOutMs = 1000;
}

void TestSender::outcomes_data()
{
    QTest::addColumn<int>("sender");
    QTest::addColumn<QList<Fault>>("faults");
    QTest::addColumn<bool>("portOccupy");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<bool>("stopInRecovery");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("tusinErr");
    QTest::addColumn<bool>("offline");
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<QStringList>("messages"); // each prompt begins with its entry
    QTest::addColumn<QStringList>("received");

    const QString k104 = LoadResText(104);
    const QString k105 = ResLines({105, 106});
    const QStringList none;
    const QStringList once{"0RD0"};
    const QStringList sixTimes{"0RD0", "0RD0", "0RD0", "0RD0", "0RD0", "0RD0"};
    const QStringList recovered{"0RD0", "0CM0"};
    const Fault silent = Fault::always(FaultKind::Silence, "0RD");
    const Fault wrongEcho = Fault::nth(FaultKind::WrongEcho, "0RD", 1);
    const Fault wrongLength = Fault::nth(FaultKind::WrongLength, "0RD", 1);
    const QByteArray stateLine = sim::ControllerSim::unsolicitedLine('0', '3');
    const QByteArray alarmLine = sim::ControllerSim::unsolicitedLine('5', '3');
    const QByteArray unknownAlarm = sim::ControllerSim::unsolicitedLine('5', '9');
    Fault cutBetweenCrLf = Fault::nth(FaultKind::Split, "0RD", 1);
    cutBetweenCrLf.offset = 37;
    cutBetweenCrLf.delayMs = 30;
    Fault unsolicitedFirst = Fault::nth(FaultKind::UnsolicitedBefore, "0RD", 1);
    unsolicitedFirst.unsolicited = stateLine;
    const QString stateMsg = alarmMessage("3", "Servo ready", true);
    const QString alarmMsg = alarmMessage("3", "Overload", true);

    //                                   sender faults  occupy  t/o  stop   res err    offline open   messages  received
    QTest::newRow("answered at once") << 1 << QList<Fault>{} << false << 1000 << false
                                      << 0 << false << false << true << none << once;
    QTest::newRow("answered at once, silent sender") << 3 << QList<Fault>{} << false << 1000 << false
                                                     << 0 << false << false << true << none << once;
    QTest::newRow("reply cut between CR and LF") << 1 << QList<Fault>{cutBetweenCrLf} << false << 1000 << false
                                                 << 0 << false << false << true << none << once;
    QTest::newRow("third send answered") << 1 << QList<Fault>{Fault::answerOnly("0RD", 3)} << false << 300 << false
                                         << 0 << false << false << true << none << QStringList{"0RD0", "0RD0", "0RD0"};
    QTest::newRow("third send answered, no resend") << 2 << QList<Fault>{Fault::answerOnly("0RD", 3)} << true << 300
                                                    << false << 1 << true << true << false << QStringList{timeoutMessage()}
                                                    << once;
    QTest::newRow("time-out after the sixth send") << 1 << QList<Fault>{silent} << true << 150 << false
                                                   << 1 << true << true << false << QStringList{timeoutMessage()}
                                                   << sixTimes;
    QTest::newRow("time-out, no resend") << 2 << QList<Fault>{silent} << false << 150 << false
                                         << 1 << true << true << false << QStringList{timeoutMessage()} << once;
    QTest::newRow("time-out, silent sender") << 3 << QList<Fault>{silent} << true << 150 << false
                                             << 1 << true << true << false << none << once;
    QTest::newRow("wrong echo, plain answer to 0CM0") << 1 << QList<Fault>{wrongEcho} << false << 1000 << false
                                                      << 1 << true << true << false << QStringList{k104} << recovered;
    QTest::newRow("wrong echo, port kept") << 2 << QList<Fault>{wrongEcho} << true << 1000 << false
                                           << 1 << true << true << true << QStringList{k104} << recovered;
    QTest::newRow("wrong echo, silent sender") << 3 << QList<Fault>{wrongEcho} << false << 1000 << false
                                               << 1 << true << true << false << none << recovered;
    QTest::newRow("wrong length") << 1 << QList<Fault>{wrongLength} << false << 1000 << false
                                  << 1 << true << true << false << QStringList{k105} << recovered;
    QTest::newRow("wrong echo, 0CM0 unanswered") << 1 << QList<Fault>{wrongEcho, Fault::always(FaultKind::Silence, "0CM0")}
                                                 << false << 200 << false << 1 << true << true << false
                                                 << QStringList{k104} << recovered;
    QTest::newRow("wrong echo, alarm in answer to 0CM0")
        << 1 << QList<Fault>{wrongEcho, unsolicitedInstead("0CM0", alarmLine)} << true << 1000 << false
        << 1 << false << true << false << QStringList{alarmMsg} << recovered;
    QTest::newRow("wrong echo, state line in answer to 0CM0")
        << 2 << QList<Fault>{wrongEcho, unsolicitedInstead("0CM0", stateLine)} << false << 1000 << false
        << 1 << false << false << true << QStringList{stateMsg} << recovered;
    QTest::newRow("wrong length, state line to 0CM0, silent sender")
        << 3 << QList<Fault>{wrongLength, unsolicitedInstead("0CM0", stateLine)} << false << 1000 << false
        << 1 << true << true << false << none << recovered;
    QTest::newRow("unsolicited line without alarm") << 1 << QList<Fault>{unsolicitedInstead("0RD", stateLine, 1)}
                                                    << false << 1000 << false << 1 << false << false << true
                                                    << QStringList{stateMsg} << once;
    QTest::newRow("unsolicited line with alarm") << 1 << QList<Fault>{unsolicitedInstead("0RD", alarmLine, 1)}
                                                 << true << 1000 << false << 1 << false << true << false
                                                 << QStringList{alarmMsg} << once;
    QTest::newRow("alarm not in the list") << 2 << QList<Fault>{unsolicitedInstead("0RD", unknownAlarm, 1)}
                                           << false << 1000 << false << 1 << false << true << false
                                           << QStringList{alarmMessage("9", LoadResText(32), false)} << once;
    QTest::newRow("unsolicited line, silent sender") << 3 << QList<Fault>{unsolicitedInstead("0RD", alarmLine, 1)}
                                                     << false << 1000 << false << 1 << false << false << false
                                                     << none << once;
    QTest::newRow("unsolicited line joined before the reply") << 1 << QList<Fault>{unsolicitedFirst} << false << 1000
                                                              << false << 1 << false << false << true
                                                              << QStringList{stateMsg} << once;
    QTest::newRow("stop request during the recovery")
        << 1 << QList<Fault>{wrongEcho, Fault::always(FaultKind::Silence, "0CM0")} << false << 10000 << true
        << 1 << false << true << true << none << recovered;
    // The exchange failed for good: whoever waits for the link (a test-move run) ends on it.
    QTest::newRow("port vanishing mid-exchange") << 1 << QList<Fault>{Fault::nth(FaultKind::Vanish, "0RD", 1)}
                                                 << true << 1000 << false << 1 << true << true << false
                                                 << QStringList{kLostPort} << once;
}

void TestSender::outcomes()
{
    QFETCH(int, sender);
    QFETCH(QList<Fault>, faults);
    QFETCH(bool, portOccupy);
    QFETCH(int, timeoutMs);
    QFETCH(bool, stopInRecovery);
    QFETCH(int, result);
    QFETCH(bool, tusinErr);
    QFETCH(bool, offline);
    QFETCH(bool, portOpen);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, received);

    // A vanished port cannot serve the rows after it: this row gets a controller of its own.
    std::unique_ptr<sim::SimSession> own;
    sim::ControllerSim *controller = &m_session.controller();
    if (QByteArray(QTest::currentDataTag()).contains("vanish")) {
        own = std::make_unique<sim::SimSession>();
        QVERIFY(own->start());
        controller = &own->controller();
        QVERIFY(link::readErrorListFile(QStringLiteral(QZ_FIXTURES_DIR "/link/errors_ok.lst"), gErrorList,
                                        gErrorListCount));
    }
    for (const Fault &f : faults)
        controller->addFault(f);
    gPortOccupy = portOccupy;
    gTimeOutMs = timeoutMs;

    // The stop button is pressed once the controller has the recovery command.
    QTimer stopper;
    if (stopInRecovery) {
        connect(&stopper, &QTimer::timeout, this, [&] {
            if (controller->receivedLines().contains(QStringLiteral("0CM0")))
                gGrpMoveStop = true;
        });
        stopper.start(5);
    }

    platform::DialogScript script;
    for (int i = 0; i < messages.size(); ++i)
        script.answer(platform::IdOk);
    gTusinNow = true;
    const int r = sendWith(sender, QStringLiteral("0RD"), 38, QStringLiteral("0"));
    gTusinNow = false;

    QCOMPARE(r, result);
    QCOMPARE(gTusinErr, tusinErr);
    QCOMPARE(gOfflineMode, offline);
    QCOMPARE(CommPortIsOpen(), portOpen);
    QCOMPARE(boxesShown(script.prompts()), messages);
    QVERIFY(controller->waitForReceived(int(received.size())));
    QCOMPARE(controller->receivedLines(), received);
    if (result == 0)
        QCOMPARE(gRecvData.size(), 38);
}

void TestSender::portNotOpened_data()
{
    QTest::addColumn<int>("sender");
    QTest::addColumn<int>("boxes");
    QTest::newRow("reporting sender") << 1 << 1;
    QTest::newRow("silent sender") << 3 << 0;
}

void TestSender::portNotOpened()
{
    QFETCH(int, sender);
    QFETCH(int, boxes);
    m_session.useMissingDevice();
    platform::DialogScript script;
    script.answer(platform::IdOk);
    QCOMPARE(sendWith(sender, QStringLiteral("0CM"), 6, QStringLiteral("1")), 1);
    QVERIFY(gOfflineMode);
    QVERIFY(!CommPortIsOpen());
    QCOMPARE(gRetryCount, 6);
    // The system's reason follows the two messages on a line of its own.
    const QString told = LoadResText(109) + kCrLf + kCrLf + LoadResText(110) + kCrLf + sim::SimSession::missingDevicePath() + QStringLiteral(": No such file or directory");
    QCOMPARE(script.prompts(), boxes ? QStringList{told} : QStringList{});
    QVERIFY(m_session.controller().receivedLines().isEmpty());
}

void TestSender::replyLeftForTheCaller()
{
    m_session.controller().setBlock(0, QByteArray::fromHex("00112233445566778899AABBCCDDEEFF"));
    gEventMsgFlag = true;
    QCOMPARE(SendCmdToCt(QStringLiteral("0RD"), 38, QStringLiteral("0")), 0);
    QCOMPARE(gRecvData, QStringLiteral("0RD000112233445566778899AABBCCDDEEFF\r\n"));
    QVERIFY(gRecvEnd);
    QVERIFY(!gEventMsgFlag);
    QCOMPARE(gRetryCount, 0);
    // The port stays open for the next exchange of the operation until it closes it.
    QVERIFY(CommPortIsOpen());
    gPortOccupy = true;
    CommPortClose();
    QVERIFY(CommPortIsOpen());
    gPortOccupy = false;
    CommPortClose();
    QVERIFY(!CommPortIsOpen());
}

void TestSender::unsolicitedAfterReplyIsShownAfterIt()
{
    Fault f = Fault::nth(FaultKind::UnsolicitedAfter, "0RD", 1);
    f.unsolicited = sim::ControllerSim::unsolicitedLine('0', '3');
    m_session.controller().addFault(f);
    QCOMPARE(SendCmdToCt(QStringLiteral("0RD"), 38, QStringLiteral("0")), 0);
    QCOMPARE(gRecvData.left(4), QStringLiteral("0RD0"));
    // The good reply cleared the panel; the line after it is decoded once the sender is done.
    QTRY_VERIFY(gEventMsgFlag);
    QCOMPARE(gEventMsg, QStringLiteral("0%%003\r\n"));
    QVERIFY(link::alarmPanel().lampShown);
    QCOMPARE(link::alarmPanel().comment, QStringLiteral("Servo ready"));
    QCOMPARE(gRecvData.left(4), QStringLiteral("0RD0"));
}

void TestSender::lateReplyIsNotTakenForTheNextCommand()
{
    QCOMPARE(SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")), 0);
    // Offline, what arrives stays in the port: a stale reply, an alarm line, half a line.
    SetOfflineMode();
    const QByteArray stale = "0CM9\r\n0%%003\r\n0RD";
    m_session.controller().sendRaw(stale);
    QTRY_COMPARE(link::SerialLink::instance().pendingInput(), qint64(stale.size()));
    SetOnlineMode();
    QCOMPARE(SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")), 0);
    QCOMPARE(gRecvData, QStringLiteral("0CM1\r\n"));
    QCOMPARE(gEventMsg, QStringLiteral("0%%003\r\n"));
    QCOMPARE(link::alarmPanel().comment, QStringLiteral("No Error"));
}

void TestSender::copiesOfALateReply_data()
{
    QTest::addColumn<Fault>("fault");       // on the first command, "0RD" "0"
    QTest::addColumn<int>("nextSender");
    QTest::addColumn<QString>("nextBlock"); // of the second command
    QTest::addColumn<QStringList>("received");

    const QStringList twoBlocks{"0RD0", "0RD0", "0RD1"};
    const QStringList sameBlock{"0RD0", "0RD0", "0RD0"};
    QTest::newRow("copy meets the next command") << Fault::late("0RD0", 1, true) << 1 << "1" << twoBlocks;
    QTest::newRow("copy right after the late reply") << Fault::late("0RD0", 1, false) << 1 << "1" << twoBlocks;
    QTest::newRow("copy meets the same command") << Fault::late("0RD0", 1, true) << 2 << "0" << sameBlock;
    // Only the resend was answered: the next reply looks like a copy, and is the reply.
    QTest::newRow("no copy, the same reply next") << Fault::answerOnly("0RD0", 2) << 2 << "0" << sameBlock;
    // Slow twice: the copy of the first reply is taken for the second at its time-out, and
    // the second's own reply, still to come, is no answer to the command after them. Each
    // reply comes half a time-out after its own line's time-out, the first half a time-out
    // before the resend's.
    QTest::newRow("slow run, the same command again") << Fault::slow("0RD0", 1, 3, 1500) << 2 << "0" << sameBlock;
}

void TestSender::copiesOfALateReply()
{
    QFETCH(Fault, fault);
    QFETCH(int, nextSender);
    QFETCH(QString, nextBlock);
    QFETCH(QStringList, received);

    sim::ControllerSim &controller = m_session.controller();
    controller.setBlock(0, QByteArray(16, '\x10'));
    controller.setBlock(1, QByteArray(16, '\x11'));
    controller.addFault(fault);
    platform::DialogScript script;
    QCOMPARE(SendCmdToCt(QStringLiteral("0RD"), 38, QStringLiteral("0")), 0);
    // Block b holds the byte 1b sixteen times.
    const auto blockReply = [](const QString &b) {
        return QStringLiteral("0RD") + b + QString(QStringLiteral("1") + b).repeated(16) + kCrLf;
    };
    QCOMPARE(gRecvData, blockReply(QStringLiteral("0")));
    QCOMPARE(sendWith(nextSender, QStringLiteral("0RD"), 38, nextBlock), 0);
    QCOMPARE(gRecvData, blockReply(nextBlock));
    QCOMPARE(controller.receivedLines(), received);
    QCOMPARE(link::SerialLink::instance().repeatsExpected(), 0);
    // Nothing is left over for the command after them.
    QCOMPARE(SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")), 0);
    QCOMPARE(gRecvData, QStringLiteral("0CM1\r\n"));
    QCOMPARE(script.prompts(), QStringList{});
}

void TestSender::replyAtTheTimeOut_data()
{
    QTest::addColumn<bool>("readInTheSameTurn");
    QTest::newRow("reply read in the turn the time-out fired") << true;
    QTest::newRow("reply waiting in the port") << false;
}

void TestSender::replyAtTheTimeOut()
{
    QFETCH(bool, readInTheSameTurn);

    // The reply is put on the line by the test once the sender waits; then the time-out
    // fires, with the reception in the same turn of the event loop or not yet.
    sim::ControllerSim &controller = m_session.controller();
    controller.addFault(Fault::nth(FaultKind::Silence, "0CM1", 1));
    gTimeOutMs = 60000; // only the test's own time-out fires
    link::SerialLink &link = link::SerialLink::instance();
    bool fired = false;
    QTimer::singleShot(0, this, [&] {
        if (!controller.waitForReceived(1))
            return;
        controller.sendRaw("0CM1\r\n");
        if (!controller.waitForUnread(6))
            return;
        fired = true;
        link.timerTimeout_Timer();
        // The reception's turn comes right after the time-out's, before the wait has ended.
        QElapsedTimer bound;
        bound.start();
        while (readInTheSameTurn && !gRecvEnd && bound.elapsed() < 5000)
            QCoreApplication::processEvents();
    });
    platform::DialogScript script;
    QCOMPARE(SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")), 0);
    QVERIFY(fired);
    QCOMPARE(gRecvData, QStringLiteral("0CM1\r\n"));
    QVERIFY(!gTimeOut);
    QCOMPARE(gRetryCount, 0);
    QCOMPARE(controller.receivedLines(), QStringList{"0CM1"});
    QCOMPARE(script.prompts(), QStringList{});
}

void TestSender::partialLineAtAResend_data()
{
    QTest::addColumn<QByteArray>("head"); // on the line after the first send, unanswered
    QTest::addColumn<int>("ageInLines");  // its age at the resend, in line times (link clock)
    QTest::addColumn<bool>("restAfterResend"); // the rest of the reply follows the resend,
                                               // which the controller leaves unanswered

    const QByteArray reply = "0RD0" + QByteArray(32, '0') + "\r\n";
    QTest::newRow("head still arriving") << reply.left(20) << 0 << true;
    QTest::newRow("head that stopped growing") << reply.left(20) << 2 << false;
    QTest::newRow("head that stopped growing, then resumes") << reply.left(20) << 2 << true;
    QTest::newRow("reply whose LF was lost") << reply.chopped(1) << 0 << false;
    QTest::newRow("reply whose CR LF was lost") << reply.chopped(2) << 2 << false;
    QTest::newRow("as long as the reply, no line end") << reply.left(36) + "00" << 0 << false;
    QTest::newRow("another command's echo") << QByteArray("0WD0000") << 0 << false;
}

// A partial line is kept at a resend only while it can still be the head of the reply:
// otherwise the resend's reply would be glued to it. The link's own clock ages it.
void TestSender::partialLineAtAResend()
{
    QFETCH(QByteArray, head);
    QFETCH(int, ageInLines);
    QFETCH(bool, restAfterResend);

    const QByteArray reply = "0RD0" + QByteArray(32, '0') + "\r\n";
    sim::ControllerSim &controller = m_session.controller();
    controller.setBlock(0, QByteArray(16, '\0'));
    controller.addFault(Fault::answerOnly("0RD0", restAfterResend ? 3 : 2));
    link::SerialLink &link = link::SerialLink::instance();
    qint64 clock = 1000000;
    link.setClock([&clock] { return clock; });
    gTimeOutMs = 300;

    int stage = 0;
    QTimer script;
    script.setInterval(1);
    connect(&script, &QTimer::timeout, this, [&] {
        if (stage == 0 && controller.received().size() >= 1) {
            controller.sendRaw(head);
            stage = 1;
        } else if (stage == 1 && gRecvBuf.toLatin1() == head) {
            clock += qint64(ageInLines) * link.lineTimeMs() + (ageInLines ? 1 : 0);
            stage = 2;
        } else if (stage == 2 && controller.received().size() >= 2) {
            if (restAfterResend)
                controller.sendRaw(reply.mid(head.size()));
            stage = 3;
        }
    });
    script.start();
    platform::DialogScript dialogs;
    QCOMPARE(SendCmdToCt(QStringLiteral("0RD"), 38, QStringLiteral("0")), 0);
    script.stop();
    link.setClock({});
    QVERIFY(stage == 3 || (stage == 2 && !restAfterResend)); // the head was aged
    QCOMPARE(gRecvData, QString::fromLatin1(reply));
    QCOMPARE(controller.receivedLines(), QStringList({"0RD0", "0RD0"}));
    QCOMPARE(dialogs.prompts(), QStringList{});
    // Nothing is left over for the command after it.
    QCOMPARE(SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")), 0);
    QCOMPARE(gRecvData, QStringLiteral("0CM1\r\n"));
}

// A controller that answers twice, and the same command goes next: the copy is no answer
// once the reply follows it; the reply is not held for long.
void TestSender::replySentTwiceMeetsTheSameCommand()
{
    sim::ControllerSim &controller = m_session.controller();
    controller.setPaced(true); // the reply follows the copy on the line, as a controller's does
    controller.addFault(Fault::twice("0RD0", 1, true));
    platform::DialogScript dialogs;
    QCOMPARE(SendCmdToCt(QStringLiteral("0RD"), 38, QStringLiteral("0")), 0);
    const QString reply = gRecvData;
    QCOMPARE(SendCmdToCt2(QStringLiteral("0RD"), 38, QStringLiteral("0")), 0);
    QCOMPARE(gRecvData, reply);
    // The copy went: the next different command is answered by its own reply.
    QCOMPARE(SendCmdToCt2(QStringLiteral("0RD"), 38, QStringLiteral("1")), 0);
    QCOMPARE(gRecvData.left(4), QStringLiteral("0RD1"));
    QCOMPARE(controller.receivedLines(), QStringList({"0RD0", "0RD0", "0RD1"}));
    QCOMPARE(dialogs.prompts(), QStringList{});
}

// A controller that answers two commands with the same state line says it twice: the second
// is shown as the first was, never dropped as a copy (which would end in a time-out).
void TestSender::sameStateLineInPlaceOfTwoReplies()
{
    const QByteArray stateLine = sim::ControllerSim::unsolicitedLine('0', '3');
    m_session.controller().addFault(unsolicitedInstead("0RD", stateLine));
    platform::DialogScript dialogs;
    dialogs.answer(platform::IdOk);
    dialogs.answer(platform::IdOk);
    QCOMPARE(SendCmdToCt2(QStringLiteral("0RD"), 38, QStringLiteral("0")), 1);
    QCOMPARE(SendCmdToCt2(QStringLiteral("0RD"), 38, QStringLiteral("1")), 1);
    const QString stateMsg = alarmMessage("3", "Servo ready", true);
    QCOMPARE(dialogs.prompts(), QStringList({stateMsg, stateMsg}));
    QCOMPARE(m_session.controller().receivedLines(), QStringList({"0RD0", "0RD1"}));
}

// Characters without a line end between exchanges are dropped as they come; the partial
// line never grows beyond the longest reply, and the next exchange is answered.
void TestSender::noiseWithoutLineEnds()
{
    QCOMPARE(SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")), 0);
    link::SerialLink &link = link::SerialLink::instance();
    const qint64 before = link.droppedCharacters();
    int longestPartial = 0;
    for (int i = 0; i < 50; ++i) {
        m_session.controller().sendRaw(QByteArray(2000, char('a' + i % 26)));
        QTRY_VERIFY(link.droppedCharacters() - before + gRecvBuf.size() >= 2000 * (i + 1));
        longestPartial = qMax(longestPartial, int(gRecvBuf.size()));
    }
    QVERIFY(longestPartial <= link::LineAssembler::kLongestLine);
    QCOMPARE(SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")), 0);
    QCOMPARE(gRecvData, QStringLiteral("0CM1\r\n"));
}

void TestSender::sendDuringAWaitIsRefused()
{
    m_session.controller().addFault(Fault::nth(FaultKind::Silence, "0RD", 1));
    gTimeOutMs = 300;
    int inner = -1;
    QTimer::singleShot(0, this, [&] { inner = SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")); });
    platform::DialogScript script;
    script.answer(platform::IdOk);
    QCOMPARE(SendCmdToCt2(QStringLiteral("0RD"), 38, QStringLiteral("0")), 1);
    QCOMPARE(inner, 1);
    QVERIFY(m_session.controller().waitForReceived(1));
    QCOMPARE(m_session.controller().receivedLines(), QStringList{"0RD0"});
    QCOMPARE(script.prompts(), QStringList{timeoutMessage()});
}

void TestSender::vanishedPortIsReportedOnceOutsideAnExchange()
{
    sim::SimSession own;
    QVERIFY(own.start());
    QCOMPARE(SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")), 0);
    platform::DialogScript script;
    script.answer(platform::IdOk);
    own.controller().vanish();
    QTRY_VERIFY(!CommPortIsOpen());
    QTest::qWait(50);
    QVERIFY(gOfflineMode);
    QCOMPARE(boxesShown(script.prompts()), QStringList{kLostPort});
}

void TestSender::alarmPanelFollowsTheReplies()
{
    QList<link::AlarmPanel> shown;
    link::setAlarmPanelHook([&](const link::AlarmPanel &p) { shown << p; });
    m_session.controller().addFault(unsolicitedInstead("0RD", sim::ControllerSim::unsolicitedLine('0', '3'), 1));
    platform::DialogScript script;
    script.answer(platform::IdOk);
    QCOMPARE(SendCmdToCt(QStringLiteral("0RD"), 38, QStringLiteral("0")), 1);
    QCOMPARE(SendCmdToCt(QStringLiteral("0RD"), 38, QStringLiteral("0")), 0);
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown.at(0).lampShown);
    QCOMPARE(shown.at(0).alarmNo, QStringLiteral("3"));
    QCOMPARE(shown.at(0).comment, QStringLiteral("Servo ready"));
    QVERIFY(!shown.at(1).lampShown);
    QCOMPARE(shown.at(1).alarmNo, QString());
    QCOMPARE(shown.at(1).comment, QStringLiteral("No Error"));
}

QTEST_MAIN(TestSender)
#include "tst_sender.moc"
