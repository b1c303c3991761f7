// Every road that opens the port tries it the same number of times, the same pause apart.
#include "link/CommandSet.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/Sender.h"
#include "link/SerialLink.h"
#include "support/SimFixture.h"

#include <QtTest>

class TestPortOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void everyRoadTriesAlike_data();
    void everyRoadTriesAlike();

private:
    SimFixture m_sim;
};

namespace {

// 0 when the road got through to the controller.
int run(const QString &road)
{
    if (road == QLatin1String("sender"))
        return SendCmdToCt3(QStringLiteral("0CM"), 6, QStringLiteral("1"));
    if (road == QLatin1String("preparePort"))
        return link::preparePort();
    if (road == QLatin1String("preparePort, second name"))
        return link::preparePort(true);
    if (road == QLatin1String("axis check of the Function menu"))
        return ReadAxisUseWithProgress();
    return -1;
}

} // namespace

void TestPortOpen::initTestCase()
{
    m_sim.startOrFail();
}

void TestPortOpen::init()
{
    m_sim.reset();
}

void TestPortOpen::everyRoadTriesAlike_data()
{
    QTest::addColumn<QString>("road");
    QTest::addColumn<bool>("missing");
    for (const char *road : {"sender", "preparePort", "preparePort, second name", "axis check of the Function menu"}) {
        QTest::addRow("%s, port opens", road) << QString::fromLatin1(road) << false;
        QTest::addRow("%s, port missing", road) << QString::fromLatin1(road) << true;
    }
}

void TestPortOpen::everyRoadTriesAlike()
{
    QFETCH(QString, road);
    QFETCH(bool, missing);
    m_sim.useAxes(15);
    if (missing)
        m_sim.useMissingDevice();
    gRetryCount = -1;

    const int result = run(road);
    CommPortCloseForce();

    if (missing) {
        QVERIFY(result != 0);
        // Every try failed: the count of failed tries is the number of tries.
        QCOMPARE(gRetryCount, link::kPortOpenTries);
        QCOMPARE(m_sim.received(), QStringList());
    } else {
        QCOMPARE(result, 0);
        QVERIFY(!m_sim.received().isEmpty());
    }
    QVERIFY(m_sim.dialogs().unexpected().isEmpty());
}

QTEST_MAIN(TestPortOpen)
#include "tst_portopen.moc"
