// The simulated controller's faults as the link sees them: the sender checks only the echo
// and the length, so these replies pass it and reach the command parsers as they are.
#include "link/LinkState.h"
#include "link/Sender.h"
#include "sim/SimSession.h"

#include <QtTest>

using sim::Fault;
using sim::FaultKind;

Q_DECLARE_METATYPE(sim::Fault)

class TestSimulator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_session.start()); }
    void init() { m_session.reset(); }
    void replies_data();
    void replies();
    void writtenBlockIsReadBack();

private:
    sim::SimSession m_session;
};

void TestSimulator::replies_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("paced");
    QTest::addColumn<QString>("reply");

    const QString good = QStringLiteral("0RD00000000000000F000000000000000000\r\n");
    Fault split = Fault::nth(FaultKind::Split, "0RD", 1);
    split.offset = 5;
    split.delayMs = 40;
    Fault delay = Fault::nth(FaultKind::Delay, "0RD", 1);
    delay.delayMs = 40;
    Fault otherCommand = Fault::always(FaultKind::Silence, "0CM");
    QTest::newRow("no fault") << Fault::nth(FaultKind::Silence, "0XX", 1) << false << good;
    QTest::newRow("fault on another command") << otherCommand << false << good;
    QTest::newRow("split with a pause") << split << false << good;
    QTest::newRow("delay") << delay << false << good;
    QTest::newRow("paced") << Fault::nth(FaultKind::Silence, "0XX", 1) << true << good;
    QTest::newRow("paced and split") << split << true << good;
    QTest::newRow("wrong record") << Fault::nth(FaultKind::WrongRecord, "0RD", 1) << false
                                  << QStringLiteral("0RD10000000000000F000000000000000000\r\n");
    QTest::newRow("not hexadecimal") << Fault::nth(FaultKind::NotHex, "0RD", 1) << false
                                     << QStringLiteral("0RD0G000000000000F000000000000000000\r\n");
}

void TestSimulator::replies()
{
    QFETCH(Fault, fault);
    QFETCH(bool, paced);
    QFETCH(QString, reply);
    m_session.controller().addFault(fault);
    m_session.controller().setPaced(paced);
    QCOMPARE(SendCmdToCt(QStringLiteral("0RD"), 38, QStringLiteral("0")), 0);
    QCOMPARE(gRecvData, reply);
    const QList<sim::ReceivedLine> log = m_session.controller().received();
    QCOMPARE(log.size(), 1);
    QCOMPARE(log.first().line, QByteArray("0RD0"));
    QVERIFY(log.first().msecsSinceEpoch > 0);
}

void TestSimulator::writtenBlockIsReadBack()
{
    const QString data = QStringLiteral("0102030405060708090A0B0C0D0E0F10");
    QCOMPARE(SendCmdToCt(QStringLiteral("0WD"), 6, QStringLiteral("5") + data), 0);
    QCOMPARE(gRecvData, QStringLiteral("0WD5\r\n"));
    QCOMPARE(SendCmdToCt(QStringLiteral("0WE"), 6, QStringLiteral("2")), 0);
    QCOMPARE(SendCmdToCt(QStringLiteral("0RD"), 38, QStringLiteral("5")), 0);
    QCOMPARE(gRecvData, QStringLiteral("0RD5") + data + QStringLiteral("\r\n"));
}

QTEST_MAIN(TestSimulator)
#include "tst_simulator.moc"
