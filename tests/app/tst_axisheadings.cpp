#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "core/Messages.h"
#include "app/AxesAtStart.h"
#include "app/frmMain.h"
#include "platform/FixedGrid.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "support/StoredActuators.h"
#include "support/TestEnv.h"

#include <QLabel>
#include <QtTest>

// The main window's designations, axis headings and conversion panel follow the current
// actuators.
class TestAxisHeadings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultActuators();
};

namespace {
struct Window
{
    Window()
    {
        tables::resetPosiImage();
        app::startup::resetAxesForStart();
        frmMain::setScreenWidthForLoad(1280);
        w = new frmMain;
    }
    ~Window() { delete w; }
    frmMain *w = nullptr;
};
} // namespace

void TestAxisHeadings::defaultActuators()
{
    TestEnv env;
    Window win;
    QCOMPARE(useStoredActuatorsOffline(), 0);
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

QTEST_MAIN(TestAxisHeadings)
#include "tst_axisheadings.moc"
