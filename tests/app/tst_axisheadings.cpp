#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "app/StartOffline.h"
#include "app/frmMain.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"
#include "platform/FixedGrid.h"
#include "platform/ProgramFolder.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "support/TestEnv.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

// The interim start: the offline road's actuator steps that need no window.
class TestStartOffline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultActuators();
    void invalidStoredActuators();
    void noCatalogue();
};

namespace {
struct Window
{
    Window()
    {
        positions::resetPosiImage();
        startup::resetAxesForStart();
        frmMain::setScreenWidthForLoad(1280);
        w = new frmMain;
    }
    ~Window() { delete w; }
    frmMain *w = nullptr;
};
} // namespace

void TestStartOffline::defaultActuators()
{
    TestEnv env;
    Window win;
    gOfflineMode = false;
    QCOMPARE(startup::startOfflineActuators(), 0);
    QVERIFY(gOfflineMode);
    QVERIFY(win.w->lamp(QStringLiteral("imgGreenLedOnline"))->isHidden());
    for (int a = 0; a < kAxisCount; ++a) {
        QVERIFY(!gAxisUnused[a]);
        QVERIFY(!gDevTypeLabel[a].isEmpty());
        QCOMPARE(win.w->deviceLabel(a), gDevTypeLabel[a]);
        QCOMPARE(win.w->flgdData()->text(0, 4 * a + 1), DevGridHeading(a));
        QCOMPARE(win.w->flgdData()->text(0, 4 * a + 4), DevGridHeading(a));
    }
    QCOMPARE(win.w->statusPanel(2)->text(), QStringLiteral("<1>1mm = 200Pulse"));
    QVERIFY(!win.w->flgdData()->isHidden());

    // An axis taken out of use shows asterisks over its columns and no designation.
    gAxisUnused[1] = true;
    DispDeviceName();
    QCOMPARE(win.w->deviceLabel(1), QString());
    QCOMPARE(win.w->flgdData()->text(0, 6), LoadResText(221) + QStringLiteral(":************"));
    QVERIFY(!win.w->flgdData()->isHidden());
}

void TestStartOffline::invalidStoredActuators()
{
    TestEnv env;
    env.storeSettings({{QStringLiteral("DevStroke2"), QStringLiteral("5")}});
    Window win;
    env.dialogs().answer(platform::IdOk);
    QCOMPARE(startup::startOfflineActuators(), 1);
    QCOMPARE(env.dialogs().prompts(), QStringList{ResLines({4, 5})});
    QVERIFY(gOfflineMode);
}

void TestStartOffline::noCatalogue()
{
    TestEnv env;
    QTemporaryDir empty;
    platform::setProgramFolder(empty.path());
    env.dialogs().answer(platform::IdOk); // the load tells that the error list is missing
    Window win;
    // The stored actuators' look-ups may report the missing catalogue on their own first.
    for (int i = 0; i < 8; ++i)
        env.dialogs().answer(platform::IdOk);
    QCOMPARE(startup::startOfflineActuators(), 1);
    QCOMPARE(env.dialogs().prompts().last(), ResLines({15, 16}));
    QCOMPARE(win.w->deviceLabel(0), QString());
}

QTEST_MAIN(TestStartOffline)
#include "tst_startoffline.moc"
