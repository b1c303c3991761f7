// The two roads that write actuators to the controller (Change and Write of the online actuator
// window, the parameter window's write) through the real windows against the simulated
// controller, with a fault at a chosen exchange: afterwards the controller, the current and the
// stored actuators and both windows agree, or one box says plainly that they may not.
#include "link/OnlineMode.h"
#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "actuators/DevSettingStore.h"
#include "actuators/frmDevice3.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "app/frmMain.h"
#include "tables/ParaSet.h"
#include "tables/StdParaList.h"
#include "editors/frmParameta2.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"
#include "platform/FixedGrid.h"
#include "platform/SettingsStore.h"
#include "tables/PosiTable.h"
#include "support/DataFolder.h"
#include "support/ModalDriver.h"
#include "support/SimFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace platform;

namespace {

QString timeOutBox()
{
    return ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n"));
}

// Every axis of the system " 28" L 100, new type, as stored by an earlier run.
void systemHasStroke100()
{
    for (int a = 0; a < kAxisCount; ++a) {
        gDevIsQz[a] = true;
        gDevFamily[a] = QStringLiteral("QZ");
        gDevSize[a] = QStringLiteral(" 28");
        gDevSpeed[a] = QStringLiteral("L");
        gDevStroke[a] = 100;
        gDevLead[a] = 2;
        gDevPPR[a] = 400;
        gDevMaxPulse[a] = 20000;
        gAxisNewType[a] = true;
    }
    SaveDevSetting();
    DispDeviceName();
    DispAxisData();
}

// The stored stroke of axis 1, as the next start would load it.
int storedStroke()
{
    return SettingsStore::text(QStringLiteral("DevStroke1"), QString()).toInt();
}

QString heading(int axis)
{
    return frmMain::instance()->flgdData()->text(0, 4 * axis + 1);
}

} // namespace

class TestActuatorWriteFaults : public QObject
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
        for (const char *name : {"erroreng.lst", "errorjpn.lst"}) // the main window's alarm texts
            QVERIFY(m_folder->install(fixturePath(QStringLiteral("link/errors_ok.lst")), QLatin1String(name)));
        tables::resetPosiTable();
        frmMain::setScreenWidthForLoad(1280);
        m_main = std::make_unique<frmMain>();
        core::mainform::clearCommands();
        editors::registerParameterWindowCommands();
        m_sim.useAxes(15);
        gAxisMask = 15;
        systemHasStroke100();
        SetOnlineMode();
    }
    void cleanup()
    {
        if (frmParameta2 *w = frmParameta2::instance())
            w->close();
        QTRY_VERIFY(!frmParameta2::instance());
        QVERIFY2(m_sim.dialogs().unexpected().isEmpty(), qPrintable(m_sim.dialogs().unexpected().join(u'|')));
        QCOMPARE(m_sim.dialogs().pendingAnswers(), 0);
        m_main.reset();
        m_folder.reset();
    }

    // The controller took the whole set but could not be read back (or not at all once it
    // had gone silent): the chosen actuator is current and stored, the main window shows it,
    // and the operator is told once, in one box, the link's failure, that the write succeeded
    // and that the read-back failed.
    void changeAndWriteTakesWhatTheControllerAccepted_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("linkBox");
        QTest::newRow("read-back refused") << "reread" << ResLines({105, 106});
        QTest::newRow("mode command refused") << "mode" << LoadResText(104);
    }
    void changeAndWriteTakesWhatTheControllerAccepted()
    {
        QFETCH(QString, fault);
        QFETCH(QString, linkBox);
        if (fault == QLatin1String("reread"))
            m_sim.controller().addFault(sim::Fault::nth(sim::FaultKind::WrongLength, "0RD1", 2));
        else
            m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::WrongEcho, "0CM00"));
        frmDevice3 w(m_main.get());
        chooseAxisOneStroke50(w);
        w.show();
        m_sim.dialogs().answer(IdOk); // the link's failure + 1527 + 2921
        w.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), QStringList{linkBox + QStringLiteral("\r\n") + ResLines({1527, 2921})});
        QCOMPARE(m_sim.model().writeEnds('2'), 1);
        QCOMPARE(m_sim.model().blockByte(0, 6), 1);
        // A controller that refused the mode command is not asked for its parameters.
        QCOMPARE(sentAfterWriteEnd().contains(QStringLiteral("0RD0")), fault == QLatin1String("reread"));
        QCOMPARE(gDevStroke[0], 50);
        QCOMPARE(gDevLead[0], gPrmAxisLead[0]);
        QCOMPARE(gDevPPR[0], gPrmAxisPulse[0]);
        QCOMPARE(storedStroke(), 50);
        QVERIFY(gAxisUnused[1] && gAxisUnused[3]);
        QCOMPARE(m_main->deviceLabel(0), DevDesignationText(0));
        QVERIFY(m_main->deviceLabel(0).contains(QStringLiteral("28L- 50")));
        QVERIFY(m_main->deviceLabel(1).isEmpty());
        QVERIFY(heading(1).endsWith(QStringLiteral(":************")));
        QVERIFY(w.isHidden());
    }

    // A controller that falls silent while the parameters are read, after the axis use was
    // rewritten: waited for once, no read-back on the dead port, one box that says so; the
    // system keeps its axis use and actuators, goes offline, and both windows show that.
    void changeAndWriteSilentControllerWaitedForOnce()
    {
        m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::Silence, "0RD1"));
        frmDevice3 w(m_main.get());
        chooseAxisOneStroke50(w);
        w.show();
        m_sim.dialogs().answer(IdOk);
        w.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), QStringList{timeOutBox() + QStringLiteral("\r\n") + ResLines({2941, 2944})});
        const QStringList sent = m_sim.received();
        QCOMPARE(sent.count(QStringLiteral("0RD1")), 6); // one wait with its resends
        QVERIFY(!sent.mid(sent.lastIndexOf(QStringLiteral("0RD1"))).contains(QStringLiteral("0RD0")));
        QCOMPARE(m_sim.model().writeEnds('2'), 0);
        QVERIFY(gOfflineMode);
        QCOMPARE(gAxisMask, 15);
        for (int a = 0; a < kAxisCount; ++a) {
            QVERIFY(!gAxisUnused[a]);
            QVERIFY(w.controls().axis[a].chkAxisEnable->isChecked());
            QVERIFY(!heading(a).endsWith(QStringLiteral(":************")));
        }
        QCOMPARE(gDevStroke[0], 100);
        QCOMPARE(storedStroke(), 100);
    }

    // Stopped while the parameter blocks go, the link alive: the system and both windows follow
    // the controller's axis use, the main window's designations and headings included; its
    // parameters are unknown, so the system goes offline and the box says to read them.
    void changeAndWriteStopFollowsControllerOnMainWindow()
    {
        m_sim.controller().addFault(sim::Fault::nth(sim::FaultKind::WrongRecord, "0WD", 2));
        frmDevice3 w(m_main.get());
        chooseAxisOneStroke50(w);
        w.show();
        m_sim.dialogs().answer(IdOk);
        w.cmdPrmCtWrite()->click();
        QCOMPARE(m_sim.prompts(), QStringList{ResLines({384, 385, 3022, 2941, 2942, 2944})});
        QCOMPARE(gAxisMask, 1);
        QVERIFY(gOfflineMode);
        QVERIFY(!m_main->deviceLabel(0).isEmpty());
        for (int a = 1; a < kAxisCount; ++a) {
            QVERIFY(m_main->deviceLabel(a).isEmpty());
            QVERIFY(heading(a).endsWith(QStringLiteral(":************")));
        }
    }

    // The parameter write, "reflected" Yes: whether or not the read-back works, the written
    // actuator is current, stored for the next start and shown on the main window.
    void paraWriteReflectedStoresActuators_data()
    {
        QTest::addColumn<bool>("rereadFails");
        QTest::newRow("read back") << false;
        QTest::newRow("read-back refused") << true;
    }
    void paraWriteReflectedStoresActuators()
    {
        QFETCH(bool, rereadFails);
        useAxisOneInBoth();
        if (rereadFails)
            m_sim.controller().addFault(sim::Fault::nth(sim::FaultKind::WrongLength, "0RD1", 1));
        frmParameta2 *w = openParameterWindowWithStroke50();
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdYes); // 685
        m_sim.dialogs().answer(IdOk); // 1527 (the link's failure before it, 2921 after it)
        click(w, "cmdParaWrite");
        QCOMPARE(m_sim.prompts(), rereadFails ? QStringList({LoadResText(470), LoadResText(685),
                                                             ResLines({105, 106, 1527, 2921})})
                                              : QStringList({LoadResText(470), LoadResText(685), LoadResText(1527)}));
        QCOMPARE(m_sim.model().writeEnds('2'), 1);
        QCOMPARE(gDevStroke[0], 50);
        QCOMPARE(storedStroke(), 50);
        QVERIFY(m_main->deviceLabel(0).contains(QStringLiteral("28L- 50")));
    }

    // Axis use differing, "Controller": both windows show the controller's axes before the
    // blank check, which then points at the fields of an axis shown as used; nothing written.
    void paraWriteControllerAxisUseShownBeforeBlankCheck()
    {
        useAxisOneInBoth();
        m_sim.model().setAxisMask(3);
        frmParameta2 *w = openParameterWindowWithStroke50();
        QVERIFY(field(w, "txtHomeVel_1")->property("greyed").toBool());
        ModalDriver driver;
        driver.then([](QWidget *choice) {
            choice->findChild<QWidget *>(QStringLiteral("optSelectKomoku1"))->setProperty("checked", true);
            clickChild(choice, QStringLiteral("cmdSelectOk"));
        });
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdOk);  // 7 + 8
        click(w, "cmdParaWrite");
        QCOMPARE(driver.shown().size(), 1);
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), ResLines({7, 8})}));
        QVERIFY(!gAxisUnused[1]);
        QVERIFY(!field(w, "txtHomeVel_1")->property("greyed").toBool());
        QVERIFY(field(w, "txtHomeVel_1")->text().isEmpty());
        QVERIFY(!heading(1).endsWith(QStringLiteral(":************")));
        QCOMPARE(m_sim.model().writeEnds('2'), 0);
        QVERIFY(!m_sim.received().join(u' ').contains(QStringLiteral("0WD")));
    }

    // Axis use differing, "PC-Soft", a field refused: the refusal comes before anything is
    // written, so the controller keeps its axis use; the choice is not even asked.
    void paraWritePcSoftChecksBeforeRewrite_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("first");
        QTest::newRow("blank") << "" << 7;
        QTest::newRow("out of range") << "0" << 1524;
    }
    void paraWritePcSoftChecksBeforeRewrite()
    {
        QFETCH(QString, value);
        QFETCH(int, first);
        useAxisOneInBoth();
        m_sim.model().setAxisMask(3);
        frmParameta2 *w = openParameterWindowWithStroke50();
        field(w, value.isEmpty() ? "txtHomeVel_0" : "txtAxisLead_0")->setText(value);
        m_sim.dialogs().answer(IdYes); // 470
        m_sim.dialogs().answer(IdOk);  // the refusal
        click(w, "cmdParaWrite");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(470), ResLines({first, first + 1})}));
        QCOMPARE(m_sim.model().blockByte(0, 6), 3);
        QVERIFY(m_sim.received().isEmpty());
    }

private:
    // Axis 1 alone, " 28" L 50, new type.
    static void chooseAxisOneStroke50(frmDevice3 &w)
    {
        for (int a = 1; a < kAxisCount; ++a)
            w.panels().setAxisEnable(a, 0);
        w.panels().setAxisEnable(0, 1);
        auto &axis = w.panels().axis[0];
        axis.comboDeviceSize.text = QStringLiteral(" 28");
        axis.comboDeviceSpeed.text = QStringLiteral("L");
        axis.comboDeviceStroke.text = QStringLiteral("50");
        axis.chkNewOrOld.value = 0;
    }
    QStringList sentAfterWriteEnd() const
    {
        const QStringList sent = m_sim.received();
        return sent.mid(sent.lastIndexOf(QStringLiteral("0WE2")) + 1);
    }
    void useAxisOneInBoth()
    {
        m_sim.useAxes(1);
        gAxisMask = 1;
        DispDeviceName();
        DispAxisData();
    }
    // The parameter window over the factory set of " 28" L 50 on axis 1.
    frmParameta2 *openParameterWindowWithStroke50()
    {
        for (int a = 0; a < kAxisCount; ++a) {
            gDevSetteiSize[a] = QStringLiteral(" 28");
            gDevSetteiSpeed[a] = QStringLiteral("L");
            gDevSetteiStroke[a] = 50;
            gDevSetteiNewType[a] = true;
            gDevSetteiUnused[a] = gAxisUnused[a];
        }
        if (SetStdParameta() != 0)
            qFatal("no factory parameters");
        frmParameta2 *w = frmParameta2::showWindow();
        w->ParametaHyoji();
        return w;
    }
    static QLineEdit *field(frmParameta2 *w, const char *name)
    {
        auto *e = w->findChild<QLineEdit *>(QLatin1String(name));
        if (!e)
            qFatal("no field %s", name);
        return e;
    }
    static void click(frmParameta2 *w, const char *name)
    {
        auto *b = w->findChild<QPushButton *>(QLatin1String(name));
        QVERIFY2(b && b->isEnabled(), name);
        b->click();
    }

    SimFixture m_sim;
    std::unique_ptr<DataFolder> m_folder;
    std::unique_ptr<frmMain> m_main;
};

QTEST_MAIN(TestActuatorWriteFaults)
#include "tst_actuatorwritefaults.moc"
