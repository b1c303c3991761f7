// The sequence-macro window against the simulated controller and macro files.
#include "core/MainForm.h"
#include "core/PrintLayout.h"
#include "core/Messages.h"
#include "core/WinFlags.h"
#include "editors/DataWindowCommands.h"
#include "editors/GrpSmPrint.h"
#include "platform/PrintDialogs.h"
#include "platform/PrinterDevice.h"
#include "platform/RegularFile.h"
#include "editors/SmCommands.h"
#include "tables/SmTable.h"
#include "editors/frmSqMcr.h"
#include "link/LinkState.h"
#include "support/DataFolder.h"
#include "support/DiesWhenWriting.h"
#include "support/FakeMainForm.h"
#include "support/FileFault.h"
#include "support/SimFixture.h"
#include "support/X11Keys.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QClipboard>
#include <QtTest>
#include <cstring>

using sim::Fault;
using sim::FaultKind;

namespace {

QString fixture(const QString &name)
{
    return fixturePath(QStringLiteral("editors/") + name);
}

QLineEdit *dataBox(QWidget *w, int s)
{
    return w->findChild<QLineEdit *>(QStringLiteral("txtSmData_%1").arg(s));
}

QComboBox *combo(QWidget *w, int s)
{
    return w->findChild<QComboBox *>(QStringLiteral("comboMerei_%1").arg(s));
}

void click(QWidget *w, const char *name)
{
    auto *b = w->findChild<QPushButton *>(QLatin1String(name));
    QVERIFY2(b, name);
    QVERIFY2(b->isEnabled(), name);
    b->click();
}

// Step s of macro m (both from 1).
void setStep(int m, int s, int command, int data)
{
    gSmData[s - 1][2 * (m - 1)] = command;
    gSmData[s - 1][2 * (m - 1) + 1] = data;
}

// The data of step s of macro m (both from 1) in good.smd.
int fileStep(int m, int s)
{
    const QList<QByteArray> lines = fileBytes(fixture(QStringLiteral("good.smd"))).split('\n');
    return lines.at(2 + (m - 1) * (kSmSteps + 1) + s).trimmed().split(',').at(1).toInt();
}

QString longInvalid(const QString &list)
{
    return LoadResText(921) + QStringLiteral("\r\n\r\n") + LoadResText(922) + QStringLiteral("\r\n\r\n")
           + LoadResText(938) + QStringLiteral("\r\n\r\n") + list;
}

} // namespace

class TestFrmSqMcr : public QObject
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
        gSmData[3][5] = 4;
        // As the program starts: every step END, once for the whole run.
        editors::initGrpSmTables();
        m_main = std::make_unique<FakeMainForm>();
        core::mainform::clearCommands();
        editors::registerDataWindowCommands();
        QCOMPARE(core::mainform::runCommand(QStringLiteral("ShowSqMcrWindow")), 0);
        m_w = frmSqMcr::instance();
        QVERIFY(m_w);
    }
    void cleanup()
    {
        if (m_w)
            m_w->close();
        QTRY_VERIFY(!frmSqMcr::instance());
        QVERIFY(m_sim.dialogs().unexpected().isEmpty());
        QCOMPARE(m_sim.dialogs().pendingAnswers(), 0);
        m_main.reset();
    }

    void openersShowOneWindow()
    {
        QCOMPARE(gSmData[3][5], 0); // cleared as the program starts
        setStep(1, 1, 3, 2);
        for (const char *name : {"cmdSqMcrWinOpen_Click", "mnuShowSqMcr_Click", "ShowSqMcrWindow"}) {
            QCOMPARE(core::mainform::runCommand(QLatin1String(name)), 0);
            QCOMPARE(frmSqMcr::instance(), m_w.data());
        }
        QCOMPARE(gSmData[0][0], 3);
        QCOMPARE(m_w->findChild<QLabel *>(QStringLiteral("lblSqMacroNo"))->text(), QStringLiteral("1"));
        // The macro number is shown once: by the spin box, not by the label beside it too.
        QVERIFY(m_w->isVisible());
        QVERIFY(!m_w->findChild<QLabel *>(QStringLiteral("lblSqMacroNo"))->isVisible());
        QVERIFY(m_w->findChild<QSpinBox *>(QStringLiteral("UpDownSmNo"))->isVisible());
        QCOMPARE(m_w->findChild<QSpinBox *>(QStringLiteral("UpDownSmNo"))->text(), QStringLiteral("1"));
        for (QWidget *c : m_w->findChildren<QWidget *>())
            if (qobject_cast<QPushButton *>(c) || qobject_cast<QComboBox *>(c) || qobject_cast<QLineEdit *>(c))
                QVERIFY2(!c->accessibleName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_")),
                         qPrintable(c->objectName()));
    }

    // Closing the window loses no macro, whether typed, opened from a file or read from the
    // controller: the window opens again on macro 1 showing the same steps, and a write sends
    // them.
    void macrosKeptWhenReopened_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("closeBox"); // the window's close box, else its Close button
        QTest::addColumn<int>("macro");     // the macro that holds the steps, from 1
        QTest::addColumn<QString>("step1"); // its first step afterwards
        QTest::addColumn<QString>("data1");
        QTest::addColumn<QByteArray>("written"); // its first two steps as the controller holds them
        QTest::newRow("typed, Close") << "typed" << false << 1 << "5. TIMER" << "5" << QByteArray("5500");
        QTest::newRow("typed, close box") << "typed" << true << 1 << "5. TIMER" << "5" << QByteArray("5500");
        QTest::newRow("file, close box") << "file" << true << 1 << "1. IN-ON" << "1" << QByteArray("1122");
        QTest::newRow("controller, Close") << "controller" << false << 2 << "3. OUT-ON" << "2" << QByteArray("3253");
    }
    void macrosKeptWhenReopened()
    {
        QFETCH(QString, source);
        QFETCH(bool, closeBox);
        QFETCH(int, macro);
        QFETCH(QString, step1);
        QFETCH(QString, data1);
        QFETCH(QByteArray, written);
        auto *number = m_w->findChild<QSpinBox *>(QStringLiteral("UpDownSmNo"));
        if (source == QLatin1String("typed")) {
            // Step 1 of macro 1: "5. TIMER" chosen with the keys, then its data typed.
            for (int i = 0; i < 5; ++i)
                QTest::keyClick(combo(m_w, 0), Qt::Key_Down);
            QCOMPARE(combo(m_w, 0)->currentText(), QStringLiteral("5. TIMER"));
            sendX11Key(dataBox(m_w, 0), Qt::Key_5);
        } else if (source == QLatin1String("file")) {
            m_sim.dialogs().chooseFile(fixture(QStringLiteral("good.smd")));
            click(m_w, "cmdSmFileOpen");
        } else {
            m_sim.model().setMacro(2, "3253" + QByteArray(28, '0'));
            m_sim.dialogs().answer(platform::IdOk);
            click(m_w, "cmdReadSMfromCt");
        }
        number->setValue(3); // closed while another macro is shown
        if (closeBox)
            m_w->close();
        else
            click(m_w, "cmdSqMcrWinClose");
        QTRY_VERIFY(!frmSqMcr::instance());

        QCOMPARE(core::mainform::runCommand(QStringLiteral("cmdSqMcrWinOpen_Click")), 0);
        m_w = frmSqMcr::instance();
        QVERIFY(m_w);
        number = m_w->findChild<QSpinBox *>(QStringLiteral("UpDownSmNo"));
        QCOMPARE(m_w->findChild<QLabel *>(QStringLiteral("lblSqMacroNo"))->text(), QStringLiteral("1"));
        QCOMPARE(number->value(), 1);
        number->setValue(macro);
        QCOMPARE(combo(m_w, 0)->currentText(), step1);
        QCOMPARE(dataBox(m_w, 0)->text(), data1);

        m_sim.model().setMacro(macro, QByteArray(32, '9'));
        const int asked = m_sim.prompts().size();
        m_sim.dialogs().answer(platform::IdYes);
        click(m_w, "cmdWriteSMtoCt");
        QCOMPARE(m_sim.prompts().mid(asked), QStringList{LoadResText(937)});
        QCOMPARE(m_sim.model().macro(macro).left(4), written);
    }

    void steppingShowsAnotherMacroUnchanged()
    {
        setStep(2, 1, 3, 2);
        setStep(2, 2, 6, 9);
        int before[kSmSteps + 1][2 * kSmMacros + 1];
        std::memcpy(before, gSmData, sizeof before);
        m_w->findChild<QSpinBox *>(QStringLiteral("UpDownSmNo"))->setValue(2);
        QCOMPARE(m_w->findChild<QLabel *>(QStringLiteral("lblSqMacroNo"))->text(), QStringLiteral("2"));
        QCOMPARE(combo(m_w, 0)->currentText(), QStringLiteral("3. OUT-ON"));
        QCOMPARE(dataBox(m_w, 0)->text(), QStringLiteral("2"));
        QCOMPARE(combo(m_w, 1)->currentText(), QStringLiteral("6. TIMER10"));
        QCOMPARE(dataBox(m_w, 2)->text(), QString());
        QVERIFY(std::memcmp(before, gSmData, sizeof before) == 0);
    }

    // Keys as X11 delivers them (Delete carries "\x7f"); the cursor stands at the end unless a
    // row says where.
    // Stepping the macro number back and forth shows each macro without changing a value, also
    // an END step holding data 1 (as a focused data box leaves it).
    void steppingBackAndForthChangesNothing()
    {
        setStep(1, 1, 0, 1);
        setStep(2, 1, 3, 2);
        setStep(1, 3, 15, 4);
        setStep(2, 3, 5, 7);
        int before[kSmSteps + 1][2 * kSmMacros + 1];
        std::memcpy(before, gSmData, sizeof before);
        auto *number = m_w->findChild<QSpinBox *>(QStringLiteral("UpDownSmNo"));
        for (int target : {2, 1, 2, 1}) {
            if (target == 2)
                number->stepUp();
            else
                number->stepDown();
            QCOMPARE(m_w->findChild<QLabel *>(QStringLiteral("lblSqMacroNo"))->text(), QString::number(target));
            QCOMPARE(dataBox(m_w, 0)->text(), target == 2 ? QStringLiteral("2") : QString());
        }
        QVERIFY(std::memcmp(before, gSmData, sizeof before) == 0);
    }

    void keyFilter_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("after");
        QTest::newRow("IN-ON takes 4") << 1 << "" << int(Qt::Key_4) << -1 << "4";
        QTest::newRow("IN-ON refuses 5") << 1 << "" << int(Qt::Key_5) << -1 << "";
        QTest::newRow("IN-ON refuses 0") << 1 << "" << int(Qt::Key_0) << -1 << "";
        QTest::newRow("TIMER takes 9") << 5 << "" << int(Qt::Key_9) << -1 << "9";
        QTest::newRow("END takes nothing") << 0 << "" << int(Qt::Key_1) << -1 << "";
        QTest::newRow("one digit is all") << 6 << "3" << int(Qt::Key_4) << -1 << "3";
        QTest::newRow("backspace passes") << 6 << "3" << int(Qt::Key_Backspace) << -1 << "";
        QTest::newRow("delete passes") << 6 << "3" << int(Qt::Key_Delete) << 0 << "";
        QTest::newRow("letter refused") << 5 << "" << int(Qt::Key_A) << -1 << "";
    }
    void keyFilter()
    {
        QFETCH(int, command);
        QFETCH(QString, before);
        QFETCH(int, key);
        QFETCH(int, cursor);
        QFETCH(QString, after);
        combo(m_w, 4)->setCurrentIndex(command);
        dataBox(m_w, 4)->setText(before);
        dataBox(m_w, 4)->setCursorPosition(cursor < 0 ? before.size() : cursor);
        sendX11Key(dataBox(m_w, 4), Qt::Key(key));
        QCOMPARE(dataBox(m_w, 4)->text(), after);
        QCOMPARE(gSmData[4][1], editors::smBoxValue(after));
    }

    // Ctrl+V as X11 builds it: the command's digits, one character, as for the keys.
    void pasteMeetsTheKeyRule_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("after");
        QTest::newRow("IN-ON takes 4") << 1 << "4" << "4";
        QTest::newRow("IN-ON refuses 5") << 1 << "5" << "";
        QTest::newRow("TIMER takes 9") << 5 << "9" << "9";
        QTest::newRow("TIMER refuses 12") << 5 << "12" << "";
        QTest::newRow("TIMER refuses 1a") << 5 << "1a" << "";
        QTest::newRow("END takes nothing") << 0 << "1" << "";
    }
    void pasteMeetsTheKeyRule()
    {
        QFETCH(int, command);
        QFETCH(QString, clip);
        QFETCH(QString, after);
        combo(m_w, 4)->setCurrentIndex(command);
        dataBox(m_w, 4)->clear();
        QGuiApplication::clipboard()->setText(clip);
        sendX11Key(dataBox(m_w, 4), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dataBox(m_w, 4)->text(), after);
        QCOMPARE(gSmData[4][1], editors::smBoxValue(after));
    }

    void choosingAndFocusing()
    {
        // Choosing END empties the data and stores 0.
        setStep(1, 2, 1, 3);
        m_w->findChild<QSpinBox *>(QStringLiteral("UpDownSmNo"))->setValue(2);
        m_w->findChild<QSpinBox *>(QStringLiteral("UpDownSmNo"))->setValue(1);
        QCOMPARE(dataBox(m_w, 1)->text(), QStringLiteral("3"));
        combo(m_w, 1)->setCurrentIndex(0);
        Q_EMIT combo(m_w, 1)->activated(0);
        QCOMPARE(gSmData[1][0], 0);
        QCOMPARE(gSmData[1][1], 0);
        QCOMPARE(dataBox(m_w, 1)->text(), QString());

        // Entering a box puts a value that does not fit back to 1, also under END.
        setStep(1, 3, 3, 7);
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(dataBox(m_w, 2), &in);
        QCOMPARE(gSmData[2][1], 1);
        QCOMPARE(dataBox(m_w, 2)->text(), QStringLiteral("1"));
        QApplication::sendEvent(dataBox(m_w, 1), &in);
        QCOMPARE(gSmData[1][1], 1);
        QCOMPARE(dataBox(m_w, 1)->text(), QString());
        combo(m_w, 1)->setCurrentIndex(1);
        Q_EMIT combo(m_w, 1)->activated(1);
        QCOMPARE(SmData_Check(), 0);
    }

    void enterMovesToTheNextCommand()
    {
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w));
        dataBox(m_w, 15)->setFocus();
        QTest::keyClick(dataBox(m_w, 15), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), combo(m_w, 0));
    }

    // The check lists bad macros and turns code 15 into END with data 0, even when it refuses.
    void checkRefusesAndNormalises()
    {
        setStep(3, 5, 1, 7);
        setStep(12, 16, 9, 1);
        setStep(4, 1, 15, 6);
        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdSmFileSave");
        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdWriteSMtoCt");
        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdSmCTShogo");
        QCOMPARE(m_sim.prompts(), QStringList(3, longInvalid(QStringLiteral("<3>,<12>,"))));
        QCOMPARE(m_sim.received(), QStringList{});
        QCOMPARE(gSmData[0][6], 0);
        QCOMPARE(gSmData[0][7], 0);
    }

    void controllerReadWriteVerify()
    {
        m_sim.model().setMacro(2, "3253" + QByteArray(28, '0'));
        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdReadSMfromCt");
        QCOMPARE(gSmData[0][2], 3);
        QCOMPARE(gSmData[0][3], 2);
        QCOMPARE(gSmData[1][2], 5);

        setStep(20, 1, 6, 9);
        m_sim.dialogs().answer(platform::IdYes);
        click(m_w, "cmdWriteSMtoCt");
        QCOMPARE(m_sim.model().macro(20), QByteArray("69") + QByteArray(30, '0'));
        QCOMPARE(m_sim.model().writeEnds('1'), 1);

        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdSmCTShogo");
        QStringList shown{LoadResText(920), LoadResText(937), LoadResText(926)};
        QCOMPARE(m_sim.prompts(), shown);
        m_sim.model().setMacro(11, "11" + QByteArray(30, '0'));
        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdSmCTShogo");
        shown << ResLines({923, 924, 925}) + QStringLiteral(" 11,");
        QCOMPARE(m_sim.prompts(), shown);
        QCOMPARE(gSmData[0][20], 0);
        QVERIFY(!gCmdNow);
        for (QWidget *c : m_w->findChildren<QPushButton *>())
            QVERIFY(c->isEnabled());
        QVERIFY(m_w->findChild<QSpinBox *>(QStringLiteral("UpDownSmNo"))->isEnabled());
    }

    // A controller that dies during the write is told once, by the link, as a cut write:
    // leaving the write mode adds neither a second time-out nor 377.
    void deadControllerIsToldOnce()
    {
        DiesWhenWriting dies(m_sim.controller());
        m_sim.dialogs().answer(platform::IdYes);
        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdWriteSMtoCt");
        QVERIFY(dies.died());
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(937), ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n"))
                                                                          + QStringLiteral("\r\n") + LoadResText(3022)}));
        QCOMPARE(m_sim.received().last(), QStringLiteral("0CM00"));
        QVERIFY(!gCmdNow);
    }

    // The write mode answered late. On entry: the time-out is told, nothing is written and
    // the plain mode is sent once, silently. On leaving after a complete write: told as
    // written with the mode unconfirmed, not as a failed write.
    void writeModeAnsweredLate_data()
    {
        QTest::addColumn<QByteArray>("modeLine");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("writeEnds");
        QTest::newRow("entry") << QByteArray("0CM01") << ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n")) << 0;
        QTest::newRow("end after a complete write") << QByteArray("0CM00") << ResLines({3020, 3021}) << 1;
    }
    void writeModeAnsweredLate()
    {
        QFETCH(QByteArray, modeLine);
        QFETCH(QString, told);
        QFETCH(int, writeEnds);
        setStep(20, 1, 6, 9);
        m_sim.controller().addFault(Fault::longAfterTheTimeOut(modeLine, 1));
        m_sim.dialogs().answer(platform::IdYes);
        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdWriteSMtoCt");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(937), told}));
        const QStringList received = m_sim.received();
        QCOMPARE(received.last(), QStringLiteral("0CM00"));
        QCOMPARE(received.count(QStringLiteral("0CM00")), 1);
        QCOMPARE(m_sim.model().writeEnds('1'), writeEnds);
        QCOMPARE(m_sim.model().macro(20).left(2), writeEnds ? QByteArray("69") : QByteArray("00"));
        QVERIFY(!gCmdNow);
    }

    void failedReadChangesNothing()
    {
        setStep(1, 1, 2, 2);
        m_sim.controller().addFault(Fault::nth(FaultKind::WrongRecord, "0RS", 3));
        m_sim.dialogs().answer(platform::IdOk);
        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdReadSMfromCt");
        QCOMPARE(gSmData[0][0], 2);
        QCOMPARE(combo(m_w, 0)->currentIndex(), 2);
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(920), LoadResText(104)}));
    }

    void filesAndPrints()
    {
        DataFolder folder;
        const QString path = folder.path(QStringLiteral("m.smd"));
        setStep(5, 2, 5, 5);
        m_sim.dialogs().chooseFile(path);
        click(m_w, "cmdSmFileSave");
        QCOMPARE(m_sim.dialogs().fileRequests().last().defaultName, LoadResText(934));

        setStep(5, 2, 5, 6);
        m_sim.dialogs().chooseFile(path);
        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdSmFileShogo");
        QStringList shown{ResLines({923, 924, 925}) + QStringLiteral(" 5,")};
        QCOMPARE(m_sim.prompts(), shown);

        m_sim.dialogs().chooseFile(path);
        click(m_w, "cmdSmFileOpen");
        QCOMPARE(gSmData[1][9], 5);

        // A damaged file: told, nothing changed, nothing verified or printed.
        for (const char *name : {"cmdSmFileOpen", "cmdSmFileShogo", "cmdSMFilePrint"}) {
            m_sim.dialogs().chooseFile(fixture(QStringLiteral("cut.smd")));
            m_sim.dialogs().answer(platform::IdOk);
            click(m_w, name);
            shown << LoadResText(931) + QStringLiteral("\r\n")
                         + damageText({QString(), {}, FileVerdict::Damaged, 18}, fixture(QStringLiteral("cut.smd")));
            QCOMPARE(m_sim.prompts(), shown);
        }
        // A named pipe: refused at once on every road, and never replaced by a file.
        const QString pipe = folder.path(QStringLiteral("pipe.smd"));
        QVERIFY(makeNamedPipe(pipe));
        for (const char *name : {"cmdSmFileOpen", "cmdSmFileShogo", "cmdSMFilePrint"}) {
            m_sim.dialogs().chooseFile(pipe);
            m_sim.dialogs().answer(platform::IdOk);
            click(m_w, name);
            shown << LoadResText(931) + QStringLiteral("\r\n") + LoadResText(3042);
            QCOMPARE(m_sim.prompts(), shown);
        }
        m_sim.dialogs().chooseFile(pipe);
        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdSmFileSave");
        shown << LoadResText(935) + QStringLiteral("\r\n") + LoadResText(3043);
        QCOMPARE(m_sim.prompts(), shown);
        QCOMPARE(platform::nonRegularKind(pipe), QStringLiteral("a named pipe"));
        QCOMPARE(gSmData[1][9], 5);
        QVERIFY(m_sim.dialogs().printDialogs().isEmpty());

        const QString pdf = folder.path(QStringLiteral("file.pdf"));
        m_sim.dialogs().chooseFile(path);
        m_sim.dialogs().choosePrinter(pdf);
        click(m_w, "cmdSMFilePrint");
        QVERIFY(QFileInfo(pdf).size() > 0);
        QVERIFY(gSmPrintFromFile);
        QCOMPARE(gSmPrintTitle, QStringLiteral("m.smd"));

        // Macros a file lacks print without steps, never the edited table's; the box before
        // says that the file holds none.
        const QString pdf3 = folder.path(QStringLiteral("lacking.pdf"));
        m_sim.dialogs().chooseFile(fixture(QStringLiteral("headonly.smd")));
        m_sim.dialogs().answer(platform::IdOk);
        m_sim.dialogs().choosePrinter(pdf3);
        click(m_w, "cmdSMFilePrint");
        QCOMPARE(m_sim.prompts().last(),
                 LoadResText(3056).arg(fixture(QStringLiteral("headonly.smd")), QStringLiteral("20"),
                                       QStringLiteral("0"), QStringLiteral("2"))
                     + QStringLiteral("\r\n") + LoadResText(3054).arg(LoadResText(3057)));
        QVERIFY(QFileInfo(pdf3).size() > 0);
        QStringList printed;
        for (const auto &d : platform::sharedPrinter().drawn())
            printed << d.text;
        QVERIFY(printed.contains(QStringLiteral("<SM No.5>")));
        QCOMPARE(printed.count(QStringLiteral("5. TIMER")) + printed.count(QStringLiteral("0. END")), 0);
        QCOMPARE(gSmData[1][9], 5);

        const QString pdf2 = folder.path(QStringLiteral("shown.pdf"));
        m_sim.dialogs().answer(platform::IdOk);
        m_sim.dialogs().choosePrinter(pdf2);
        click(m_w, "cmdSMDispPrint");
        QVERIFY(QFileInfo(pdf2).size() > 0);
        QVERIFY(!gSmPrintFromFile);
        QCOMPARE(gPrnPageNo, 3);
        QVERIFY(!gFileCmdNow);
    }

    // A file cut short or a line short of a field: every road that reads a macro file refuses
    // it with the line named, and the macros stay as they were.
    void damagedFileChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("damage"); // "<path>" for the file's path
        const QByteArray good = fileBytes(fixture(QStringLiteral("good.smd")));
        for (const FileCopy &copy : cutAndShortCopies(good, 40) + editorEndingCopies(good, FileKind::Written))
            if (copy.verdict != FileVerdict::ReadsWhole)
                QTest::newRow(qPrintable(copy.name)) << copy.bytes << damageText(copy, QStringLiteral("<path>"));
    }
    void damagedFileChangesNothing()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, damage);
        DataFolder folder;
        folder.write(QStringLiteral("damaged.smd"), contents);
        damage.replace(QStringLiteral("<path>"), folder.path(QStringLiteral("damaged.smd")));
        setStep(20, 16, 5, 9);
        setStep(3, 1, 1, 2);
        QStringList shown;
        for (const char *name : {"cmdSmFileOpen", "cmdSmFileShogo", "cmdSMFilePrint"}) {
            m_sim.dialogs().chooseFile(folder.path(QStringLiteral("damaged.smd")));
            m_sim.dialogs().answer(platform::IdOk);
            click(m_w, name);
            shown << LoadResText(931) + QStringLiteral("\r\n") + damage;
            QCOMPARE(m_sim.prompts(), shown);
            QCOMPARE(gSmData[15][39], 9);
            QCOMPARE(gSmData[0][4], 1);
            QCOMPARE(gSmData[0][5], 2);
        }
        QVERIFY(m_sim.dialogs().printDialogs().isEmpty());
    }

    // The endings other editors leave on a macro file the program wrote: each reads whole, or
    // is refused as cut short (damagedFileChangesNothing).
    void otherEditorsEndings_data()
    {
        QTest::addColumn<QByteArray>("contents");
        for (const FileCopy &copy : editorEndingCopies(fileBytes(fixture(QStringLiteral("good.smd"))), FileKind::Written))
            if (copy.verdict == FileVerdict::ReadsWhole)
                QTest::newRow(qPrintable(copy.name)) << copy.bytes;
    }
    void otherEditorsEndings()
    {
        QFETCH(QByteArray, contents);
        DataFolder folder;
        folder.write(QStringLiteral("edited.smd"), contents);
        m_sim.dialogs().chooseFile(folder.path(QStringLiteral("edited.smd")));
        click(m_w, "cmdSmFileOpen");
        QCOMPARE(m_sim.prompts(), QStringList());
        QCOMPARE(gSmData[1][0], 2); // macro 1, step 2: 2,2
        QCOMPARE(gSmData[15][39], fileStep(20, 16));
    }

    // A file cut just after each line end: refused where the cut leaves the head or a macro's
    // block unfinished, else read with one box that says which macros came from the file and
    // that it may be cut short; the other macros keep what the window held. One window for the
    // whole table: a window a row would cost more than the reads.
    void fileCutAtEachLineEnd()
    {
        DataFolder folder;
        for (const FileCopy &copy : cutsAtLineEnds(fileBytes(fixture(QStringLiteral("good.smd"))), 1)) {
            openCutFile(folder, copy);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(copy.name));
        }
    }

    void closeRefusedWhileRunning()
    {
        gCmdNow = true;
        m_w->close();
        QVERIFY(frmSqMcr::instance());
        gCmdNow = false;
        click(m_w, "cmdSqMcrWinClose");
        QTRY_VERIFY(!frmSqMcr::instance());
    }

private:
    // Opens the cut copy (`line` lines kept) over a window whose macros all end on TIMER 9.
    void openCutFile(const DataFolder &folder, const FileCopy &copy)
    {
        const QString path = folder.path(QStringLiteral("cut.smd"));
        for (int m = 1; m <= kSmMacros; ++m)
            setStep(m, 16, 5, 9);
        folder.write(QStringLiteral("cut.smd"), copy.bytes);
        m_sim.dialogs().clear();
        m_sim.dialogs().answer(platform::IdOk);
        m_sim.dialogs().chooseFile(path);
        click(m_w, "cmdSmFileOpen");
        const int kept = copy.line;
        const int blockLines = kSmSteps + 1;
        if (kept < 2 || (kept - 2) % blockLines != 0) {
            // The head alone, or a block cut between its lines.
            QCOMPARE(m_sim.prompts(), QStringList{LoadResText(931) + QStringLiteral("\r\n")
                                                  + damageText({QString(), {}, FileVerdict::Damaged, kept}, path)});
            for (int m = 1; m <= kSmMacros; ++m)
                QCOMPARE(gSmData[15][2 * (m - 1) + 1], 9);
            return;
        }
        const int macros = (kept - 2) / blockLines;
        const QString taken = macros == 0 ? LoadResText(3057)
                                          : macros == 1 ? QStringLiteral("1") : QStringLiteral("1-%1").arg(macros);
        QCOMPARE(m_sim.prompts(),
                 QStringList{LoadResText(3056).arg(path, QStringLiteral("20"), QString::number(macros),
                                                   QString::number(kept))
                             + QStringLiteral("\r\n") + LoadResText(3054).arg(taken) + QStringLiteral("\r\n")
                             + LoadResText(3059)});
        for (int m = 1; m <= kSmMacros; ++m)
            QCOMPARE(gSmData[15][2 * (m - 1) + 1], m <= macros ? fileStep(m, 16) : 9);
    }

    SimFixture m_sim;
    std::unique_ptr<FakeMainForm> m_main;
    QPointer<frmSqMcr> m_w;
};

QTEST_MAIN(TestFrmSqMcr)
#include "tst_frmSqMcr.moc"
