#include "core/MsecTimerWait.h"
#include "link/OnlineMode.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"
#include "support/TestEnv.h"

#include <QTimer>
#include <QtTest>

class TestOnlineMode : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lampFollowsMode();
    void confirmOffline_data();
    void confirmOffline();
    void nestedWaitsBothEnd();
    void waitKeepsEventsFlowing();
};

void TestOnlineMode::lampFollowsMode()
{
    TestEnv env;
    QList<bool> lamp;
    setOnlineLampHook([&](bool shown) { lamp << shown; });

    SetOfflineMode();
    SetOfflineMode(); // hides the lamp again
    QCOMPARE(gOfflineMode, true);
    SetOnlineMode();
    SetOnlineMode();
    QCOMPARE(gOfflineMode, false);
    QCOMPARE(lamp, (QList<bool>{false, false, true, true}));

    // A command about to talk to the controller leaves offline mode; the lamp waits for the
    // reply.
    SetOfflineMode();
    leaveOfflineForExchange();
    QCOMPARE(gOfflineMode, false);
    QCOMPARE(lamp, (QList<bool>{false, false, true, true, false}));
}

void TestOnlineMode::confirmOffline_data()
{
    QTest::addColumn<bool>("offline");
    QTest::addColumn<int>("answer"); // 0: no box expected
    QTest::addColumn<int>("expected");

    QTest::newRow("already offline, no question") << true << 0 << 0;
    QTest::newRow("OK goes offline") << false << int(platform::IdOk) << 0;
    QTest::newRow("Cancel stays") << false << int(platform::IdCancel) << 1;
}

void TestOnlineMode::confirmOffline()
{
    QFETCH(bool, offline);
    QFETCH(int, answer);
    QFETCH(int, expected);

    TestEnv env;
    if (offline)
        SetOfflineMode();
    else
        SetOnlineMode();
    if (answer)
        env.dialogs().answer(answer);
    QCOMPARE(ConfirmOffline(), expected);
    QCOMPARE(env.dialogs().boxes().size(), answer ? 1 : 0);
    QVERIFY(env.dialogs().unexpected().isEmpty());
    if (answer) {
        const auto &box = env.dialogs().boxes().constFirst();
        QCOMPARE(box.prompt, QStringLiteral("Do you change the software to Offline from Online?"));
        QCOMPARE(box.style, platform::MbOkCancel | platform::MbQuestion);
    }
}

void TestOnlineMode::nestedWaitsBothEnd()
{
    // A handler run inside the first wait starts a second one; both must return.
    QStringList order;
    QTimer::singleShot(0, [&] {
        order << QStringLiteral("inner start");
        MsecTimerWait(30);
        order << QStringLiteral("inner end");
    });
    MsecTimerWait(5);
    order << QStringLiteral("outer end");
    QCOMPARE(order, (QStringList{"inner start", "inner end", "outer end"}));
}

void TestOnlineMode::waitKeepsEventsFlowing()
{
    int ticks = 0;
    QTimer t;
    QObject::connect(&t, &QTimer::timeout, [&] { ++ticks; });
    t.start(1);
    MsecTimerWait(40);
    t.stop();
    QVERIFY(ticks > 0);
}

QTEST_GUILESS_MAIN(TestOnlineMode)
#include "tst_onlinemode.moc"
