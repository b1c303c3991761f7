// Change and Write of the online actuator window against the simulated controller.
#include "actuators/DevSetting.h"
#include "actuators/DevWinFlags.h"
#include "actuators/frmDevice3.h"
#include "core/Messages.h"
#include "editors/ParaSet.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"
#include "support/DataFolder.h"
#include "support/FakeMainForm.h"
#include "support/SimFixture.h"

#include <QPushButton>
#include <QtTest>

using namespace platform;

class TestFrmDevice3Write : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QString error;
        QVERIFY2(m_sim.start(&error), qPrintable(error));
    }
    void init()
    {
        m_sim.reset();
        m_folder = std::make_unique<DataFolder>();
        QVERIFY(m_folder->install(fixturePath(QStringLiteral("actuators/good.lst")), QStringLiteral("nqzdevice.lst")));
        for (const char *name : {"w4nqzstpr.lst", "w4qzstpr.lst", "w4cmstpr.lst"})
            QVERIFY(m_folder->install(fixturePath(QStringLiteral("editors/std/") + QLatin1String(name)), QLatin1String(name)));
        m_main = std::make_unique<FakeMainForm>();
        m_sim.useAxes(15);
        gOfflineMode = false;
    }
    void cleanup()
    {
        QVERIFY2(m_sim.dialogs().unexpected().isEmpty(), qPrintable(m_sim.dialogs().unexpected().join(u'|')));
        QCOMPARE(m_sim.dialogs().pendingAnswers(), 0);
        m_main.reset();
        m_folder.reset();
    }

    // Axis 1 alone, " 28" L 50 new type: mask, factory parameters, write, read-back, 1527.
    void writesChosenAxesAndActuators()
    {
        frmDevice3 w;
        for (int a = 1; a < kAxisCount; ++a)
            w.panels().setAxisEnable(a, 0);
        w.panels().setAxisEnable(0, 1);
        auto &axis = w.panels().axis[0];
        axis.comboDeviceSize.text = QStringLiteral(" 28");
        axis.comboDeviceSpeed.text = QStringLiteral("L");
        axis.comboDeviceStroke.text = QStringLiteral("50");
        axis.chkNewOrOld.value = 0;
        axis.chkDevPgUse.value = 1;
        QVERIFY(w.cmdPrmCtWrite()->isEnabled());
        m_sim.dialogs().answer(IdOk); // 1527
        w.cmdPrmCtWrite_Click();
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
        QVERIFY(w.cmdDeviceCancel()->isEnabled());
        const QStringList sent = m_sim.received();
        QCOMPARE(sent.first(), QStringLiteral("0RA"));
        QVERIFY(sent.contains(QStringLiteral("0CM01")));
        QVERIFY(sent.contains(QStringLiteral("0CM00")));
    }

    // A moving controller: only "0RA" is sent, message 424, and the window closes.
    void movingControllerStops()
    {
        m_sim.model().answer("0MP0010"); // start a motion
        frmDevice3 w;
        m_sim.dialogs().answer(IdOk);
        w.cmdPrmCtWrite_Click();
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(424)});
        QCOMPARE(m_sim.received(), QStringList{QStringLiteral("0RA")});
        QVERIFY(w.isHidden());
        QVERIFY(w.cmdPrmCtWrite()->isEnabled());
    }

    // Stopped after the controller entered transfer mode: the stop's own message, nothing
    // written, and the controller left in mode "00" all the same.
    void stopsAfterTransferMode_data()
    {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<int>("message");
        QTest::addColumn<int>("boxes"); // the link reports its failure before the stop's message
        QTest::newRow("axis-use rewrite fails") << "link" << 377 << 2;
        QTest::newRow("factory value out of range") << "range" << 1524 << 1;
    }
    void stopsAfterTransferMode()
    {
        QFETCH(QString, stop);
        QFETCH(int, message);
        QFETCH(int, boxes);
        if (stop == QLatin1String("link")) {
            m_sim.controller().addFault(sim::Fault::always(sim::FaultKind::WrongEcho, "0RD"));
        } else {
            QByteArray list = m_folder->read(QStringLiteral("w4nqzstpr.lst"));
            QVERIFY(list.contains("\" 28L-050\",100,100,20,"));
            list.replace("\" 28L-050\",100,100,20,", "\" 28L-050\",100,100,61,");
            QVERIFY(m_folder->write(QStringLiteral("w4nqzstpr.lst"), list));
        }
        frmDevice3 w;
        for (int a = 1; a < kAxisCount; ++a)
            w.panels().setAxisEnable(a, 0);
        w.panels().setAxisEnable(0, 1);
        auto &axis = w.panels().axis[0];
        axis.comboDeviceSize.text = QStringLiteral(" 28");
        axis.comboDeviceSpeed.text = QStringLiteral("L");
        axis.comboDeviceStroke.text = QStringLiteral("50");
        axis.chkNewOrOld.value = 0;
        for (int i = 0; i < boxes; ++i)
            m_sim.dialogs().answer(IdOk);
        w.cmdPrmCtWrite_Click();
        QCOMPARE(m_sim.prompts().size(), boxes);
        QCOMPARE(m_sim.prompts().last(), message == 377 ? LoadResText(377) : ResLines({1524, 1525}));
        QVERIFY(!m_sim.prompts().contains(LoadResText(1527)));
        QCOMPARE(m_sim.model().writeEnds('2'), 0);
        const QStringList sent = m_sim.received();
        QVERIFY(sent.contains(QStringLiteral("0CM01")));
        QCOMPARE(sent.last(), QStringLiteral("0CM00"));
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
