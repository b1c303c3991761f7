// Change and Write of the online actuator window against the simulated controller.
#include "link/OnlineMode.h"
#include "tables/DevSetting.h"
#include "actuators/DevSettingStore.h"
#include "actuators/DevWinFlags.h"
#include "actuators/frmDevice3.h"
#include "core/AppSettings.h"
#include "core/BusyGuard.h"
#include "core/Messages.h"
#include "core/Module2Calc.h"
#include "tables/ParaSet.h"
#include "link/LinkState.h"
#include "link/WindowHooks.h"
#include "link/frmTrance.h"
#include "platform/Dialogs.h"
#include "tables/PosiTable.h"
#include "support/DataFolder.h"
#include "support/FakeMainForm.h"
#include "support/SimFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace platform;

namespace {

// Axis 1 alone, " 28" L with the given stroke text, new type.
void chooseAxisOne(frmDevice3 &w, const QString &stroke = QStringLiteral("50"))
{
    for (int a = 1; a < kAxisCount; ++a)
        w.panels().setAxisEnable(a, 0);
    w.panels().setAxisEnable(0, 1);
    auto &axis = w.panels().axis[0];
    axis.comboDeviceSize.text = QStringLiteral(" 28");
    axis.comboDeviceSpeed.text = QStringLiteral("L");
    axis.comboDeviceStroke.text = stroke;
    axis.chkNewOrOld.value = 0;
}

// The progress window as the operator would see it.
bool progressWindowShown()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmTrance *>(w) && w->isVisible())
            return true;
    }
    return false;
}

// Lines sent after the last one equal to `line`.
QStringList sentAfter(const QStringList &sent, const QString &line)
{
    return sent.mid(sent.lastIndexOf(line) + 1);
}

} // namespace

class TestFrmDevice3Write : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_sim.startOrFail();
    }
    void init()
    {
        m_sim.reset();
        m_folder = std::make_unique<DataFolder>();
        QVERIFY(m_folder->installCatalogue());
        QVERIFY(m_folder->installFactoryLists());
        m_main = std::make_unique<FakeMainForm>();
        tables::resetPosiTable();
        m_sim.useAxes(15);
        SetOnlineMode();
    }
    void cleanup()
    {
        QVERIFY2(m_sim.dialogs().unexpected().isEmpty(), qPrintable(m_sim.dialogs().unexpected().join(u'|')));
        QCOMPARE(m_sim.dialogs().pendingAnswers(), 0);
        m_main.reset();
        m_folder.reset();
    }

    // Axis 1 alone, " 28" L 50 new type: mask, factory parameters, write, read-back, 1527;
    // the new actuators are stored for the next start.
    void writesChosenAxesAndActuators()
    {
        frmDevice3 w;
        chooseAxisOne(w);
        w.panels().axis[0].chkDevPgUse.value = 1;
        w.show();
        QVERIFY(w.cmdPrmCtWrite()->isEnabled());
        m_sim.dialogs().answer(IdOk); // 1527
        w.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(1527)});
        QCOMPARE(m_sim.model().blockByte(0, 6), 1);
        QCOMPARE(m_sim.model().writeEnds('2'), 1);
        QVERIFY(!gAxisUnused[0] && gAxisUnused[1] && gAxisUnused[3]);
        QCOMPARE(gAxisMask, 1);
        QCOMPARE(gPrmActuator[0], QStringLiteral(" 28L050"));
        QCOMPARE(gPrmHomeOffset[0], 100);
        QVERIFY(gDevSetteiNewType[0] && gDevSetteiVertical[0] && gDevSetteiWithPG[0]);
        QCOMPARE(gDevSetteiFamily[2], QStringLiteral("QZ"));
        QVERIFY(gDevWinOnline);
        QVERIFY(!gDevSyosaiReq);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(w.isHidden());
        QVERIFY(w.cmdDeviceCancel()->isEnabled());
        const QStringList sent = m_sim.received();
        QCOMPARE(sent.first(), QStringLiteral("0RA"));
        QVERIFY(sent.contains(QStringLiteral("0CM01")));
        QVERIFY(sent.contains(QStringLiteral("0CM00")));

        gDevSize[0].clear();
        gDevStroke[0] = 0;
        gAxisNewType[0] = false;
        LoadDevSetting(false);
        QCOMPARE(gDevSize[0], QStringLiteral(" 28"));
        QCOMPARE(gDevStroke[0], 50);
        QVERIFY(gAxisNewType[0]);
    }

    // Positions typed outside the range the last operation worked on are checked and
    // converted with the new actuator, not dropped at the redraw.
    void positionsFollowTheNewActuator()
    {
        const int row5 = typePosiOutsideLastRange(*m_main, QStringLiteral("1.5"));
        frmDevice3 w;
        chooseAxisOne(w);
        w.show();
        m_sim.dialogs().answer(IdOk); // 1527
        w.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(1527)});
        QCOMPARE(gDevLead[0], 2);
        QCOMPARE(gDevPPR[0], 400);
        const double pulses = *MmToPulse(2, 400, 1.5);
        QCOMPARE(gPosiTable[5][0], pulses);
        QCOMPARE(gPosiTable[5][4], *PulseToMm(2, 400, pulses));
        QCOMPARE(m_main->grid.text(row5, 4).toDouble(), gPosiTable[5][4]);
    }

    // While another operation holds the system, Change and Write sends nothing and the window
    // stays open.
    void refusedWhileBusy()
    {
        frmDevice3 w;
        chooseAxisOne(w);
        w.show();
        {
            BusyGuard busy;
            w.cmdPrmCtWrite()->click();
        }
        QCOMPARE(m_sim.received(), QStringList());
        QVERIFY(m_sim.prompts().isEmpty());
        QVERIFY(w.isVisible());
    }

    // The write mode entered late: the link's box alone, the plain mode asked for once,
    // silently, and nothing written.
    void writeModeEnteredLate()
    {
        m_sim.controller().addFault(sim::Fault::longAfterTheTimeOut("0CM01", 1));
        frmDevice3 w;
        chooseAxisOne(w);
        w.show();
        m_sim.dialogs().answer(IdOk); // the time-out
        w.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), QStringList{ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n"))});
        const QStringList sent = m_sim.received();
        QCOMPARE(sent.last(), QStringLiteral("0CM00"));
        QCOMPARE(sent.count(QStringLiteral("0CM00")), 1);
        QCOMPARE(m_sim.model().writeEnds('2'), 0);
    }

    // A moving controller: only "0RA" is sent, message 424, and the window closes.
    void movingControllerStops()
    {
        m_sim.model().answer("0MP0010"); // start a motion
        frmDevice3 w;
        chooseAxisOne(w);
        w.show();
        m_sim.dialogs().answer(IdOk);
        w.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(424)});
        QCOMPARE(m_sim.received(), QStringList{QStringLiteral("0RA")});
        QVERIFY(w.isHidden());
        QVERIFY(w.cmdPrmCtWrite()->isEnabled());
    }

    // A chosen actuator that cannot be written is told before anything is sent: the controller,
    // the axis use and the pending set stay as they were.
    void checkedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<QString>("stroke");
        QTest::addColumn<QString>("factoryRow"); // replaces the factory row of " 28L-050"
        QTest::addColumn<QString>("message");
        const QString good = QStringLiteral("\" 28L-050\",100,100,20,");
        QTest::newRow("factory value out of range") << "50" << "\" 28L-050\",100,100,61," << ResLines({1524, 1525});
        QTest::newRow("no factory row") << "100" << good << ResLines({36});
        QTest::newRow("not in the catalogue") << "75" << good << ResLines({4, 5});
        QTest::newRow("no stroke") << "" << good << ResLines({4, 5});
    }
    void checkedBeforeAnythingIsSent()
    {
        QFETCH(QString, stroke);
        QFETCH(QString, factoryRow);
        QFETCH(QString, message);
        QByteArray list = m_folder->read(QStringLiteral("w4nqzstpr.lst"));
        QVERIFY(list.contains("\" 28L-050\",100,100,20,"));
        list.replace("\" 28L-050\",100,100,20,", factoryRow.toLatin1());
        QVERIFY(m_folder->write(QStringLiteral("w4nqzstpr.lst"), list));
        gAxisMask = 15;
        gDevSetteiSize[0] = QStringLiteral("before");
        gPrmHomeVel[0] = 7;
        frmDevice3 w;
        chooseAxisOne(w, stroke);
        w.show();
        m_sim.dialogs().answer(IdOk);
        w.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), QStringList{message});
        QCOMPARE(m_sim.received(), QStringList{});
        for (int a = 0; a < kAxisCount; ++a)
            QVERIFY(!gAxisUnused[a]);
        QCOMPARE(gAxisMask, 15);
        QCOMPARE(gDevSetteiSize[0], QStringLiteral("before"));
        QCOMPARE(gPrmHomeVel[0], 7);
        QVERIFY(w.isHidden());
        QVERIFY(w.cmdPrmCtWrite()->isEnabled());
    }

    // Stopped once the axis-use mask may have reached the controller: the controller left in
    // mode "00", no progress window on screen, then, on a port the link has not declared dead,
    // the axis use read back so that the system and its windows follow the controller; a dead
    // one is not tried again: the system keeps its own axis use. Offline when the controller's
    // axis use or parameters are unknown. One box says the stop's reason and what it leaves.
    void stopAfterAxisRewriteFollowsController_data()
    {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("controllerMask");
        QTest::addColumn<bool>("readBack");
        QTest::addColumn<bool>("offline");
        QTest::newRow("axis-use rewrite refused")
            << "rewrite" << QStringList{ResLines({104, 2941, 2944})} << 15 << false << true;
        QTest::newRow("parameter write echo refused")
            << "write" << QStringList{ResLines({384, 385, 3022, 2941, 2942, 2944})} << 1 << true << true;
    }
    void stopAfterAxisRewriteFollowsController()
    {
        QFETCH(QString, stop);
        QFETCH(QStringList, messages);
        QFETCH(int, controllerMask);
        QFETCH(bool, readBack);
        QFETCH(bool, offline);
        // The real progress window, as the operator sees it.
        link::setTransferProgress(nullptr);
        if (stop == QLatin1String("rewrite"))
            m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::WrongEcho, "0RD"));
        else
            m_sim.controller().addFault(sim::Fault::nth(sim::FaultKind::WrongRecord, "0WD", 2));
        gAxisMask = 15;
        frmDevice3 w;
        chooseAxisOne(w);
        w.show();
        for (int i = 0; i < messages.size(); ++i)
            m_sim.dialogs().answer(IdOk);
        w.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), messages);
        QCOMPARE(m_sim.model().writeEnds('2'), 0);
        QVERIFY(!progressWindowShown());
        const QStringList sent = m_sim.received();
        QVERIFY(sentAfter(sent, QStringLiteral("0CM01")).contains(QStringLiteral("0CM00")));
        QCOMPARE(gAxisMask, controllerMask);
        QCOMPARE(gOfflineMode, offline);
        // The read-back follows the controller's leaving its transfer mode.
        QCOMPARE(sentAfter(sent, QStringLiteral("0CM00")).contains(QStringLiteral("0RD0")), readBack);
        for (int a = 0; a < kAxisCount; ++a) {
            const bool used = (controllerMask & (1 << a)) != 0;
            QCOMPARE(gAxisUnused[a], !used);
            QCOMPARE(w.controls().axis[a].chkAxisEnable->isChecked(), used);
        }
        QVERIFY(w.isHidden());
        QVERIFY(w.cmdPrmCtWrite()->isEnabled());
    }

private:
    SimFixture m_sim;
    std::unique_ptr<DataFolder> m_folder;
    std::unique_ptr<FakeMainForm> m_main;
};

QTEST_MAIN(TestFrmDevice3Write)
#include "tst_frmDevice3Write.moc"
