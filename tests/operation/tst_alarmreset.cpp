// The alarm reset against the simulated controller.
#include "link/OnlineMode.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/SerialLink.h"
#include "operation/AlarmReset.h"
#include "support/SimFixture.h"

#include <QtTest>

class TestAlarmReset : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void reset_data();
    void reset();

private:
    SimFixture m_sim;
};

void TestAlarmReset::initTestCase()
{
    m_sim.startOrFail();
}

void TestAlarmReset::init()
{
    m_sim.reset();
    link::resetLinkHooks();
    gPortOccupy = false;
}

void TestAlarmReset::reset_data()
{
    QTest::addColumn<QString>("controller"); // "ok", "lasting alarm", "silent"
    QTest::addColumn<bool>("alarmShown");
    QTest::addColumn<bool>("panelCleared");
    QTest::addColumn<QStringList>("boxes"); // one failure, one box
    QTest::addColumn<QStringList>("firstLines");

    const QString crlf = QStringLiteral("\r\n");
    // The controller's alarm and that it cannot be reset from here, in the one box.
    const QString stays = LoadResText(104) + crlf + QLatin1Char('[') + LoadResText(32) + QLatin1Char(']') + crlf + crlf
                          + ResLines({324, 325});
    QTest::newRow("alarm reset") << "ok" << true << true << QStringList{} << QStringList{"0AR", "0CM1"};
    QTest::newRow("no alarm shown, panel set anyway") << "ok" << false << true << QStringList{} << QStringList{"0AR", "0CM1"};
    QTest::newRow("alarm that stays") << "lasting alarm" << true << false << QStringList{stays} << QStringList{"0AR"};
    const QString noAnswer = ResLines({100, 101, 102, 103}, crlf + crlf);
    QTest::newRow("no answer, link messages only") << "silent" << false << false << QStringList{noAnswer} << QStringList{"0AR"};
    QTest::newRow("no answer while an alarm is reported")
        << "silent" << true << false << QStringList{noAnswer + crlf + crlf + ResLines({324, 325})} << QStringList{"0AR"};
}

void TestAlarmReset::reset()
{
    QFETCH(QString, controller);
    QFETCH(bool, alarmShown);
    QFETCH(bool, panelCleared);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, firstLines);

    if (alarmShown) {
        link::AlarmPanel shown;
        shown.lampShown = true;
        shown.alarmNo = QStringLiteral("15");
        shown.comment = QStringLiteral("Overload");
        link::setAlarmPanel(shown);
    }
    // The link's state as the alarm that filled the panel left it.
    gAlarmNow = alarmShown;
    if (controller == QLatin1String("lasting alarm"))
        m_sim.model().setAlarm('1', '5', false);
    if (controller == QLatin1String("silent"))
        m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::Silence, "0AR"));
    SetOfflineMode();
    for (int i = 0; i < 8; ++i)
        m_sim.dialogs().answer(1);

    cmdReset_Click();

    const QStringList lines = m_sim.received();
    QVERIFY2(lines.size() >= firstLines.size(), qPrintable(lines.join(' ')));
    QCOMPARE(lines.mid(0, firstLines.size()), firstLines);
    const link::AlarmPanel &panel = link::alarmPanel();
    if (panelCleared) {
        QCOMPARE(panel.lampShown, false);
        QCOMPARE(panel.alarmNo, QString());
        QCOMPARE(panel.comment, QStringLiteral("No Error"));
        QCOMPARE(gOfflineMode, false);
    } else if (alarmShown) {
        QCOMPARE(panel.lampShown, true);
    }
    // A reset the controller took leaves no alarm reported; a failed one leaves it as it was.
    QCOMPARE(gAlarmNow, alarmShown && !panelCleared);
    QCOMPARE(m_sim.prompts(), boxes);
    QVERIFY(!CommPortIsOpen());
}

QTEST_MAIN(TestAlarmReset)
#include "tst_alarmreset.moc"
