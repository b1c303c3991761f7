// Port numbers, devices, opening and closing, and the deferred parameter window.
#include "link/OnlineMode.h"
#include "core/AppSettings.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "platform/SettingsStore.h"
#include "core/Messages.h"
#include "link/Exchange.h"
#include "link/Sender.h"
#include "platform/DialogScript.h"
#include "sim/SimSession.h"

#include <QProcess>
#include <QtTest>

using link::SerialLink;

class TestSerialPort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init() { m_session.reset(); }
    void deviceForPort_data();
    void deviceForPort();
    void portNumberOutOfRangeIsReadAgain_data();
    void portNumberOutOfRangeIsReadAgain();
    void closeAndForcedClose();
    void offlineLeavesInputUnread();
    void timer2OpensTheParameterWindowOnce();
    void portHeldByAnotherProgram_data();
    void portHeldByAnotherProgram();

private:
    sim::SimSession m_session;
};

void TestSerialPort::initTestCase()
{
    QString error;
    QVERIFY2(m_session.start(&error), qPrintable(error));
}

void TestSerialPort::deviceForPort_data()
{
    QTest::addColumn<QByteArray>("forced");
    QTest::addColumn<QString>("stored"); // "PortDevice3"
    QTest::addColumn<QString>("device");
    QTest::newRow("COM3 is ttyS2") << QByteArray() << QString() << "/dev/ttyS2";
    QTest::newRow("stored device") << QByteArray() << "/dev/ttyUSB0" << "/dev/ttyUSB0";
    QTest::newRow("environment wins") << QByteArray("/dev/pts/9") << "/dev/ttyUSB0" << "/dev/pts/9";
}

void TestSerialPort::deviceForPort()
{
    QFETCH(QByteArray, forced);
    QFETCH(QString, stored);
    QFETCH(QString, device);
    const QByteArray saved = qgetenv("QZW4_PORT_DEVICE");
    qunsetenv("QZW4_PORT_DEVICE");
    if (!forced.isEmpty())
        qputenv("QZW4_PORT_DEVICE", forced);
    if (!stored.isEmpty())
        platform::SettingsStore::setText(QStringLiteral("PortDevice3"), stored);
    QCOMPARE(SerialLink::deviceForPort(3), device);
    qputenv("QZW4_PORT_DEVICE", saved);
}

void TestSerialPort::portNumberOutOfRangeIsReadAgain_data()
{
    QTest::addColumn<int>("portNo");
    QTest::addColumn<int>("after");
    QTest::newRow("0") << 0 << 4;
    QTest::newRow("10") << 10 << 4;
    QTest::newRow("in range") << 2 << 2;
}

void TestSerialPort::portNumberOutOfRangeIsReadAgain()
{
    QFETCH(int, portNo);
    QFETCH(int, after);
    platform::SettingsStore::setNumber(QStringLiteral("PortNo"), 4);
    gPortNo = portNo;
    QCOMPARE(CommPortOpen(), 0);
    QCOMPARE(gPortNo, after);
    QCOMPARE(CommPortOpen2(), 0); // already open
}

void TestSerialPort::closeAndForcedClose()
{
    gPortOccupy = true;
    QCOMPARE(CommPortOpen(), 0);
    CommPortClose();
    QVERIFY(CommPortIsOpen());
    CommPortCloseForce();
    QVERIFY(!CommPortIsOpen());
    CommPortCloseForce(); // closing a closed port is harmless
    gPortOccupy = false;
    QCOMPARE(CommPortOpen(), 0);
    CommPortClose();
    QVERIFY(!CommPortIsOpen());
}

void TestSerialPort::offlineLeavesInputUnread()
{
    QCOMPARE(CommPortOpen(), 0);
    SetOfflineMode();
    m_session.controller().sendUnsolicited(sim::ControllerSim::unsolicitedLine('5', '3'));
    QTRY_COMPARE(SerialLink::instance().pendingInput(), qint64(8));
    QVERIFY(!gEventMsgFlag);
    QVERIFY(!gRecvEnd);
    // Online, an unsolicited line outside an exchange is decoded at once.
    SetOnlineMode();
    m_session.controller().sendUnsolicited(sim::ControllerSim::unsolicitedLine('0', '3'));
    QTRY_VERIFY(gEventMsgFlag);
    QVERIFY(link::alarmPanel().lampShown);
}

void TestSerialPort::timer2OpensTheParameterWindowOnce()
{
    bool requested = false;
    int opened = 0;
    link::setParameterWindowHooks(
        [&] {
            const bool r = requested;
            requested = false;
            return r;
        },
        [&] { ++opened; });
    EnableTimer2();
    Timer2_Timer();
    QCOMPARE(opened, 0);
    QVERIFY(SerialLink::instance().timer2().isActive());
    requested = true;
    Timer2_Timer();
    QCOMPARE(opened, 1);
    QVERIFY(!SerialLink::instance().timer2().isActive());
}

void TestSerialPort::portHeldByAnotherProgram_data()
{
    QTest::addColumn<int>("langOffset");
    QTest::addColumn<QStringList>("holderOptions");
    QTest::newRow("Japanese") << 0 << QStringList{};
    QTest::newRow("English") << 10000 << QStringList{};
    QTest::newRow("held with flock only") << 10000 << QStringList{"--flock"};
}

// Qt reports a port another program holds as a permission error; the operator is told that
// it is in use, in the program's language, and not sent to change the device's group.
void TestSerialPort::portHeldByAnotherProgram()
{
    QFETCH(int, langOffset);
    QFETCH(QStringList, holderOptions);
    gLangOffset = langOffset;
    const QString device = m_session.controller().devicePath();
    m_session.controller().clearReceived();
    QProcess holder;
    holder.start(QCoreApplication::applicationDirPath() + QStringLiteral("/qzw4-portholder"),
                 holderOptions + QStringList{device});
    QVERIFY(holder.waitForStarted());
    QVERIFY2(holder.waitForReadyRead(30000), holder.readAllStandardError().constData());
    QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

    QCOMPARE(CommPortOpen(), 1);
    const QString reason = device + QStringLiteral(": ") + LoadResText(3030);
    QCOMPARE(SerialLink::instance().lastOpenError(), reason);
    QVERIFY(link::portOpenFailureText().endsWith(QStringLiteral("\r\n") + reason));
    QVERIFY(!link::portOpenFailureText().contains(QStringLiteral("group")));
    // Nothing of this program goes into the other program's line; the box says why.
    {
        platform::DialogScript script;
        script.answer(platform::IdOk);
        QCOMPARE(SendCmdToCt(QStringLiteral("0CM"), 6, QStringLiteral("1")), 1);
        QCOMPARE(script.prompts(), QStringList{link::portOpenFailureText()});
        QVERIFY(script.prompts().constFirst().endsWith(reason));
    }
    QCOMPARE(m_session.controller().receivedLines(), QStringList{});

    // Once the other program lets go, the port opens.
    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(30000));
    QCOMPARE(CommPortOpen(), 0);
    gLangOffset = 10000;
}

QTEST_MAIN(TestSerialPort)
#include "tst_serialport.moc"
