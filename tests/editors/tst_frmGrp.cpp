// The group window against the simulated controller and group files.
#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "core/WinFlags.h"
#include "editors/DataWindowCommands.h"
#include "tables/GrpTable.h"
#include "tables/ParaFile.h"
#include "editors/frmGrp.h"
#include "link/LinkState.h"
#include "platform/PrintDialogs.h"
#include "platform/RegularFile.h"
#include "platform/PrinterDevice.h"
#include "support/DataFolder.h"
#include "support/DiesWhenWriting.h"
#include "support/FakeMainForm.h"
#include "support/FileFault.h"
#include "support/SimFixture.h"
#include "support/X11Keys.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QClipboard>
#include <QtTest>

using sim::Fault;
using sim::FaultKind;

namespace {

QString fixture(const QString &name)
{
    return fixturePath(QStringLiteral("editors/") + name);
}

QLineEdit *box(QWidget *w, const char *kind, int row)
{
    return w->findChild<QLineEdit *>(QStringLiteral("%1_%2").arg(QLatin1String(kind)).arg(row));
}

void leave(QLineEdit *edit)
{
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(edit, &out);
}

void click(QWidget *w, const char *name)
{
    auto *b = w->findChild<QPushButton *>(QLatin1String(name));
    QVERIFY2(b, name);
    QVERIFY2(b->isEnabled(), name);
    b->click();
}

// Answers the next message box, which has only OK.
void ok(SimFixture &sim)
{
    sim.dialogs().answer(platform::IdOk);
}

void fillValid()
{
    for (int g = 1; g <= kGrpCount; ++g) {
        gGrpData[g][0] = g;
        gGrpData[g][1] = g + 100;
    }
}

} // namespace

class TestFrmGrp : public QObject
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
        // As the program starts: the groups 1 to 1, once for the whole run.
        editors::initGrpSmTables();
        m_main = std::make_unique<FakeMainForm>();
        core::mainform::clearCommands();
        editors::registerDataWindowCommands();
        QCOMPARE(core::mainform::runCommand(QStringLiteral("ShowGrpWindow")), 0);
        m_w = frmGrp::instance();
        QVERIFY(m_w);
    }
    void cleanup()
    {
        if (m_w)
            m_w->close();
        QTRY_VERIFY(!frmGrp::instance());
        QVERIFY(m_sim.dialogs().unexpected().isEmpty());
        m_main.reset();
    }

    // Every opener shows the one window in front and leaves the groups as they are.
    void openersShowOneWindow()
    {
        QCOMPARE(gGrpData[50][1], 1);
        gGrpData[50][1] = 7;
        for (const char *name : {"cmdOpenGrpWindow_Click", "mnuShowGroup_Click", "ShowGrpWindow"}) {
            QCOMPARE(core::mainform::runCommand(QLatin1String(name)), 0);
            QCOMPARE(frmGrp::instance(), m_w.data());
        }
        QCOMPARE(gGrpData[50][1], 7);
        QVERIFY(!m_main->disabled.isEmpty());
        for (QPushButton *b : m_w->findChildren<QPushButton *>())
            QVERIFY2(!b->accessibleName().isEmpty(), qPrintable(b->objectName()));
    }

    // Closing the window loses no group, whether typed, opened from a file or read from the
    // controller: the window opens again on its first page showing the same values, and a
    // write sends them.
    void groupsKeptWhenReopened_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("closeBox"); // the window's close box, else its Close button
        QTest::addColumn<int>("start");     // group 40 afterwards
        QTest::addColumn<int>("end");
        QTest::newRow("typed, Close") << "typed" << false << 4 << 400;
        QTest::newRow("typed, close box with the focus in the box") << "typed" << true << 4 << 400;
        QTest::newRow("file, Close") << "file" << false << 40 << 50;
        QTest::newRow("controller, close box") << "controller" << true << 3 << 999;
    }
    void groupsKeptWhenReopened()
    {
        QFETCH(QString, source);
        QFETCH(bool, closeBox);
        QFETCH(int, start);
        QFETCH(int, end);
        m_w->findChild<QRadioButton *>(QStringLiteral("optGrpNo_1"))->click();
        if (source == QLatin1String("typed")) {
            // Group 40 is row 6 of the second page.
            m_w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_w));
            QLineEdit *startBox = box(m_w, "txtGrpStartNo", 6);
            QLineEdit *endBox = box(m_w, "txtGrpEndNo", 6);
            startBox->setFocus();
            startBox->selectAll();
            sendX11Key(startBox, Qt::Key_4);
            QTest::keyClick(startBox, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), endBox);
            endBox->selectAll();
            for (Qt::Key k : {Qt::Key_4, Qt::Key_0, Qt::Key_0})
                sendX11Key(endBox, k);
            if (!closeBox)
                QTest::keyClick(endBox, Qt::Key_Tab);
        } else if (source == QLatin1String("file")) {
            m_sim.dialogs().chooseFile(fixture(QStringLiteral("good.grp")));
            click(m_w, "cmdGrpFileOpen");
        } else {
            for (int g = 1; g <= kGrpCount; ++g)
                m_sim.model().setGroup(g, g == 40 ? 3 : 1, g == 40 ? 999 : 1);
            m_sim.dialogs().answer(platform::IdOk);
            click(m_w, "cmdReadGrp");
        }
        if (closeBox)
            m_w->close();
        else
            click(m_w, "cmdCloseGrpWindow");
        QTRY_VERIFY(!frmGrp::instance());

        QCOMPARE(core::mainform::runCommand(QStringLiteral("cmdOpenGrpWindow_Click")), 0);
        m_w = frmGrp::instance();
        QVERIFY(m_w);
        QCOMPARE(m_w->page(), 0);
        QCOMPARE(m_w->findChild<QLabel *>(QStringLiteral("lblGrpNo_0"))->text(), QStringLiteral("1."));
        m_w->findChild<QRadioButton *>(QStringLiteral("optGrpNo_1"))->click();
        QCOMPARE(box(m_w, "txtGrpStartNo", 6)->text(), QString::number(start));
        QCOMPARE(box(m_w, "txtGrpEndNo", 6)->text(), QString::number(end));

        m_sim.model().setGroup(40, 7, 7);
        const int asked = m_sim.prompts().size();
        m_sim.dialogs().answer(platform::IdYes);
        click(m_w, "cmdWriteGrp");
        QCOMPARE(m_sim.prompts().mid(asked), QStringList{LoadResText(839)});
        QCOMPARE(m_sim.model().group(40), std::make_pair(start, end));
    }

    // Row i of page p is group 33p + i + 1, for showing and for storing.
    void pagesMapRowsToGroups()
    {
        gGrpData[34][0] = 12;
        auto *opt = m_w->findChild<QRadioButton *>(QStringLiteral("optGrpNo_1"));
        opt->click();
        QCOMPARE(m_w->findChild<QLabel *>(QStringLiteral("lblGrpNo_0"))->text(), QStringLiteral("34."));
        QCOMPARE(m_w->findChild<QLabel *>(QStringLiteral("lblGrpNo_32"))->text(), QStringLiteral("66."));
        QCOMPARE(box(m_w, "txtGrpStartNo", 0)->text(), QStringLiteral("12"));
        box(m_w, "txtGrpStartNo", 0)->setText(QStringLiteral("5"));
        leave(box(m_w, "txtGrpStartNo", 0));
        QCOMPARE(gGrpData[34][0], 5);
        QCOMPARE(gGrpData[1][0], 1);
        box(m_w, "txtGrpEndNo", 32)->setText(QString());
        leave(box(m_w, "txtGrpEndNo", 32));
        QCOMPARE(gGrpData[66][1], 0);
        box(m_w, "txtGrpEndNo", 32)->setText(QStringLiteral("70000"));
        leave(box(m_w, "txtGrpEndNo", 32));
        QCOMPARE(gGrpData[66][1], 0);
    }

    // Keys as X11 delivers them (Delete carries "\x7f"); the cursor stands at the end unless a
    // row says where.
    void keyFilter_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("after");
        QTest::newRow("digit") << "1" << int(Qt::Key_0) << -1 << "10";
        QTest::newRow("letter dropped") << "1" << int(Qt::Key_A) << -1 << "1";
        QTest::newRow("minus dropped") << "1" << int(Qt::Key_Minus) << -1 << "1";
        QTest::newRow("fourth digit dropped") << "999" << int(Qt::Key_1) << -1 << "999";
        QTest::newRow("backspace on three") << "999" << int(Qt::Key_Backspace) << -1 << "99";
        QTest::newRow("delete on three") << "123" << int(Qt::Key_Delete) << 0 << "23";
        QTest::newRow("delete in the middle") << "12" << int(Qt::Key_Delete) << 1 << "1";
    }
    void keyFilter()
    {
        QFETCH(QString, before);
        QFETCH(int, key);
        QFETCH(int, cursor);
        QFETCH(QString, after);
        QLineEdit *e = box(m_w, "txtGrpStartNo", 3);
        e->setText(before);
        e->setCursorPosition(cursor < 0 ? before.size() : cursor);
        sendX11Key(e, Qt::Key(key));
        QCOMPARE(e->text(), after);
    }

    // Ctrl+V as X11 builds it: a pasted text is taken only when the keys could have typed it.
    void pasteMeetsTheKeyRule_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("after");
        QTest::newRow("digits") << "" << "123" << "123";
        QTest::newRow("added to a digit") << "1" << "2" << "12";
        QTest::newRow("12abc refused") << "" << "12abc" << "";
        QTest::newRow("1.5 refused") << "" << "1.5" << "";
        QTest::newRow("blank refused") << "" << " 12" << "";
        QTest::newRow("beyond three digits refused") << "12" << "34" << "12";
    }
    void pasteMeetsTheKeyRule()
    {
        QFETCH(QString, before);
        QFETCH(QString, clip);
        QFETCH(QString, after);
        QLineEdit *e = box(m_w, "txtGrpStartNo", 3);
        e->setText(before);
        e->setCursorPosition(before.size());
        QGuiApplication::clipboard()->setText(clip);
        sendX11Key(e, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e->text(), after);
    }

    void enterMovesOn()
    {
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w));
        box(m_w, "txtGrpStartNo", 5)->setFocus();
        QTest::keyClick(box(m_w, "txtGrpStartNo", 5), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(m_w, "txtGrpEndNo", 5));
        box(m_w, "txtGrpEndNo", 32)->setFocus();
        QTest::keyClick(box(m_w, "txtGrpEndNo", 32), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), box(m_w, "txtGrpStartNo", 0));
    }

    void readFromController()
    {
        m_sim.model().setGroup(40, 3, 0x3E7);
        m_sim.dialogs().answer(platform::IdCancel);
        click(m_w, "cmdReadGrp");
        QCOMPARE(m_sim.received(), QStringList{});

        m_sim.dialogs().answer(platform::IdOk);
        click(m_w, "cmdReadGrp");
        QCOMPARE(gGrpData[40][0], 3);
        QCOMPARE(gGrpData[40][1], 999);
        QCOMPARE(gGrpData[41][0], 0);
        m_w->findChild<QRadioButton *>(QStringLiteral("optGrpNo_1"))->click();
        QCOMPARE(box(m_w, "txtGrpEndNo", 6)->text(), QStringLiteral("999"));
        QVERIFY(!gCmdNow);
        for (QPushButton *b : m_w->findChildren<QPushButton *>())
            QVERIFY(b->isEnabled());
    }

    // A read that fails halfway changes nothing.
    void failedReadChangesNothing()
    {
        m_sim.model().setGroup(10, 4, 5);
        m_sim.controller().addFault(Fault::nth(FaultKind::WrongEcho, "0RG", 40));
        m_sim.dialogs().answer(platform::IdOk);
        ok(m_sim);
        click(m_w, "cmdReadGrp");
        QCOMPARE(gGrpData[10][0], 1);
        QCOMPARE(box(m_w, "txtGrpStartNo", 9)->text(), QStringLiteral("1"));
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(835), LoadResText(104)}));
    }

    void writeToController()
    {
        gGrpData[7][0] = 10;
        gGrpData[7][1] = 5;
        ok(m_sim);
        click(m_w, "cmdWriteGrp");
        QCOMPARE(m_sim.prompts(), QStringList{ResLines({820, 836, 837, 838})});
        QCOMPARE(m_sim.received(), QStringList{});

        fillValid();
        m_sim.dialogs().answer(platform::IdNo);
        click(m_w, "cmdWriteGrp");
        QCOMPARE(m_sim.received(), QStringList{});

        m_sim.dialogs().answer(platform::IdYes);
        click(m_w, "cmdWriteGrp");
        QCOMPARE(m_sim.model().group(99), std::make_pair(99, 199));
        QCOMPARE(m_sim.model().writeEnds('3'), 1);
        QCOMPARE(m_sim.prompts(), QStringList({ResLines({820, 836, 837, 838}), LoadResText(839), LoadResText(839)}));
        QVERIFY(m_sim.received().last().startsWith(QLatin1String("0CM")));
    }

    // A write refused halfway is told by the link, as a cut write, and still ends the
    // controller's write mode.
    void failedWriteEndsWriteMode()
    {
        fillValid();
        m_sim.controller().addFault(Fault::nth(FaultKind::WrongRecord, "0WG", 5));
        m_sim.dialogs().answer(platform::IdYes);
        ok(m_sim);
        click(m_w, "cmdWriteGrp");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(839), ResLines({384, 385, 3022})}));
        QVERIFY(m_sim.received().last().startsWith(QLatin1String("0CM")));
        QVERIFY(!gCmdNow);
    }

    // A controller that does not answer is told once, by the link: no second time-out for
    // leaving the write mode, no message of the window's own after it.
    void deadControllerIsToldOnce_data()
    {
        QTest::addColumn<bool>("deadFromTheStart");
        QTest::newRow("dies during the write") << false;
        QTest::newRow("dead from the start") << true;
    }
    void deadControllerIsToldOnce()
    {
        QFETCH(bool, deadFromTheStart);
        fillValid();
        DiesWhenWriting dies(m_sim.controller());
        if (deadFromTheStart)
            m_sim.controller().addFault(Fault::always(FaultKind::Silence));
        m_sim.dialogs().answer(platform::IdYes);
        ok(m_sim);
        click(m_w, "cmdWriteGrp");
        QCOMPARE(dies.died(), !deadFromTheStart);
        // Only a write that had begun may have left part of the new data.
        QString told = ResLines({100, 101, 102, 103}, QStringLiteral("\r\n\r\n"));
        if (!deadFromTheStart)
            told += QStringLiteral("\r\n") + LoadResText(3022);
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(839), told}));
        if (!deadFromTheStart)
            QCOMPARE(m_sim.received().last(), QStringLiteral("0CM00"));
        QCOMPARE(m_sim.model().writeEnds('3'), 0);
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
        fillValid();
        m_sim.controller().addFault(Fault::longAfterTheTimeOut(modeLine, 1));
        m_sim.dialogs().answer(platform::IdYes);
        ok(m_sim);
        click(m_w, "cmdWriteGrp");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(839), told}));
        const QStringList received = m_sim.received();
        QCOMPARE(received.last(), QStringLiteral("0CM00"));
        QCOMPARE(received.count(QStringLiteral("0CM00")), 1);
        QCOMPARE(m_sim.model().writeEnds('3'), writeEnds);
        QCOMPARE(m_sim.model().group(99), writeEnds ? std::make_pair(99, 199) : std::make_pair(0, 0));
        QVERIFY(!gCmdNow);
    }

    void verifyAgainstController()
    {
        fillValid();
        for (int g = 1; g <= kGrpCount; ++g)
            m_sim.model().setGroup(g, g, g + 100);
        ok(m_sim);
        click(m_w, "cmdGrpCtVerify");
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(826)});

        m_sim.model().setGroup(3, 1, 1);
        m_sim.model().setGroup(17, 1, 1);
        ok(m_sim);
        click(m_w, "cmdGrpCtVerify");
        QCOMPARE(m_sim.prompts(), QStringList({LoadResText(826), ResLines({823, 824, 825}) + QStringLiteral(" 3, 17,")}));
        QCOMPARE(gGrpData[3][0], 3);

        // An invalid table is refused before the controller is asked: one box.
        gGrpData[5][0] = 0;
        m_sim.dialogs().clear();
        m_sim.controller().clearReceived();
        ok(m_sim);
        click(m_w, "cmdGrpCtVerify");
        QCOMPARE(m_sim.prompts(), QStringList{ResLines({820, 821})});
        QCOMPARE(m_sim.received(), QStringList{});
    }

    void fileSaveOpenVerify()
    {
        DataFolder folder;
        const QString path = folder.path(QStringLiteral("a.grp"));
        fillValid();
        m_sim.dialogs().chooseFile(path);
        click(m_w, "cmdGrpFileSave");
        QVERIFY(QFile::exists(path));
        QCOMPARE(m_sim.dialogs().fileRequests().last().defaultName, LoadResText(833));
        QCOMPARE(gParaFileName, QStringLiteral("a.grp"));

        gGrpData[8][1] = 500;
        m_sim.dialogs().chooseFile(path);
        ok(m_sim);
        click(m_w, "cmdGrpFileVerify");
        const QStringList verified{ResLines({823, 824, 825}) + QStringLiteral(" 8,")};
        QCOMPARE(m_sim.prompts(), verified);

        m_sim.dialogs().chooseFile(path);
        click(m_w, "cmdGrpFileOpen");
        QCOMPARE(gGrpData[8][1], 108);
        QCOMPARE(box(m_w, "txtGrpEndNo", 7)->text(), QStringLiteral("108"));

        // Cancelled dialogs: nothing shown, nothing changed.
        for (const char *name : {"cmdGrpFileOpen", "cmdGrpFileSave", "cmdGrpFileVerify"}) {
            m_sim.dialogs().chooseFile(QString());
            click(m_w, name);
        }
        QCOMPARE(m_sim.prompts(), verified);
        QVERIFY(!gFileCmdNow);
    }

    void damagedFileChangesNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("contents"); // the file's bytes, when it is no fixture
        QTest::addColumn<QString>("message");
        // "<path>" stands for the file's path, which the box names.
        const auto refused = [](const FileCopy &copy) {
            return LoadResText(484) + QStringLiteral("\r\n") + damageText(copy, QStringLiteral("<path>"));
        };
        QTest::newRow("line cut short") << "cut.grp" << QByteArray()
                                        << refused({QString(), {}, FileVerdict::Damaged, 4});
        QTest::newRow("missing") << "absent.grp" << QByteArray() << LoadResText(484);
        QTest::newRow("larger than any group file")
            << "<big>" << QByteArray() << LoadResText(484) + QStringLiteral("\r\n") + LoadResText(3032).arg(16);
        QTest::newRow("named pipe") << "<pipe>" << QByteArray()
                                    << LoadResText(484) + QStringLiteral("\r\n") + LoadResText(3042);
        // Group 99 = 5..150 cut by 3 bytes would read 5..15.
        QFile good(fixture(QStringLiteral("good.grp")));
        QVERIFY(good.open(QIODevice::ReadOnly));
        const QByteArray bytes = good.readAll().replace("\"99\",99,109", "\"99\",5,150");
        QList<FileCopy> copies = cutAndShortCopies(bytes, 50);
        copies << editorEndingCopies(bytes, FileKind::Written);
        for (const FileCopy &copy : copies)
            if (copy.verdict != FileVerdict::ReadsWhole)
                QTest::newRow(qPrintable(copy.name)) << "<contents>" << copy.bytes << refused(copy);
    }
    void damagedFileChangesNothing()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        gGrpData[2][0] = gGrpData[2][1] = 44;
        gGrpData[99][0] = gGrpData[99][1] = 7;
        DataFolder folder;
        QString path = fixture(file);
        if (file == QLatin1String("<big>")) {
            // A good file made sparse beyond the limit.
            path = folder.path(QStringLiteral("big.grp"));
            QVERIFY(QFile::copy(fixture(QStringLiteral("good.grp")), path));
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(17 * 1024 * 1024));
        }
        if (file == QLatin1String("<pipe>")) {
            path = folder.path(QStringLiteral("pipe.grp"));
            QVERIFY(makeNamedPipe(path));
        }
        if (file == QLatin1String("<contents>")) {
            path = folder.path(QStringLiteral("damaged.grp"));
            folder.write(QStringLiteral("damaged.grp"), contents);
        }
        message.replace(QStringLiteral("<path>"), path);
        // Every road that reads a group file refuses it alike and changes nothing.
        QStringList shown;
        for (const char *name : {"cmdGrpFileOpen", "cmdGrpFileVerify", "cmdGrpFilePrint"}) {
            if (qstrcmp(name, "cmdGrpFilePrint") == 0)
                ok(m_sim); // 829
            m_sim.dialogs().chooseFile(path);
            ok(m_sim);
            click(m_w, name);
            shown << (qstrcmp(name, "cmdGrpFilePrint") == 0 ? QStringList{LoadResText(829), message}
                                                            : QStringList{message});
            QCOMPARE(m_sim.prompts(), shown);
            QCOMPARE(gGrpData[2][0], 44);
            QCOMPARE(gGrpData[99][0], 7);
            QCOMPARE(gGrpData[99][1], 7);
        }
        QVERIFY(m_sim.dialogs().printDialogs().isEmpty());
    }

    // The endings other editors leave on a group file the program wrote: each reads whole, or
    // is refused as cut short (damagedFileChangesNothing).
    void otherEditorsEndings_data()
    {
        QTest::addColumn<QByteArray>("contents");
        for (const FileCopy &copy : editorEndingCopies(fileBytes(fixture(QStringLiteral("good.grp"))), FileKind::Written))
            if (copy.verdict == FileVerdict::ReadsWhole)
                QTest::newRow(qPrintable(copy.name)) << copy.bytes;
    }
    void otherEditorsEndings()
    {
        QFETCH(QByteArray, contents);
        DataFolder folder;
        folder.write(QStringLiteral("edited.grp"), contents);
        m_sim.dialogs().chooseFile(folder.path(QStringLiteral("edited.grp")));
        click(m_w, "cmdGrpFileOpen");
        QCOMPARE(m_sim.prompts(), QStringList());
        QCOMPARE(gGrpData[1][1], 11);
        QCOMPARE(gGrpData[99][0], 99);
        QCOMPARE(gGrpData[99][1], 109);
    }

    // A file cut just after each line end: refused where the cut leaves the head unfinished,
    // else read with one box that says which groups came from the file and that it may be cut
    // short; the other groups keep what the window held, so what is written next is what the
    // operator was told. One window for the whole table: a window a row would cost more than
    // the reads.
    void fileCutAtEachLineEnd()
    {
        DataFolder folder;
        for (const FileCopy &copy : cutsAtLineEnds(fileBytes(fixture(QStringLiteral("good.grp"))), 1)) {
            openCutFile(folder, copy);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(copy.name));
        }
    }

    // A hand-made file that names and holds some groups only: read, and the box says which; the
    // verification (which counts the others as different) says the same.
    void handMadePartialFileIsTold()
    {
        DataFolder folder;
        const QString path = folder.path(QStringLiteral("part.grp"));
        folder.write(QStringLiteral("part.grp"), "\"QZ-K4\",\"GRP\"\r\n3,3\r\n\"7\",1,2\r\n\"2\",3,4\r\n\"8\",5,6\r\n");
        gGrpData[2][1] = 44;
        gGrpData[3][1] = 45;
        ok(m_sim);
        m_sim.dialogs().chooseFile(path);
        click(m_w, "cmdGrpFileOpen");
        QCOMPARE(m_sim.prompts(), QStringList{ResLines({3053, 3058}).arg(QStringLiteral("2, 7-8"))});
        QCOMPARE(gGrpData[2][1], 4);
        QCOMPARE(gGrpData[3][1], 45);
        QCOMPARE(gGrpData[8][1], 6);
        ok(m_sim);
        m_sim.dialogs().chooseFile(path);
        ok(m_sim);
        click(m_w, "cmdGrpFileVerify");
        QCOMPARE(m_sim.prompts().size(), 3);
        QCOMPARE(m_sim.prompts().at(1), LoadResText(3053).arg(QStringLiteral("2, 7-8")));
    }

    void saveFailureIsTold()
    {
        fillValid();
        m_sim.dialogs().chooseFile(QStringLiteral("/nonexistent-folder/x.grp"));
        ok(m_sim);
        click(m_w, "cmdGrpFileSave");
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(18) + QStringLiteral("\r\nNo such file or directory")});

        // A named pipe is refused at once, not tried again, and stays a pipe.
        DataFolder folder;
        const QString pipe = folder.path(QStringLiteral("pipe.grp"));
        QVERIFY(makeNamedPipe(pipe));
        m_sim.dialogs().clear();
        m_sim.dialogs().chooseFile(pipe);
        ok(m_sim);
        click(m_w, "cmdGrpFileSave");
        QCOMPARE(m_sim.prompts(), QStringList{LoadResText(18) + QStringLiteral("\r\n") + LoadResText(3043)});
        QCOMPARE(gRetryCount, 1); // one attempt
        QCOMPARE(platform::nonRegularKind(pipe), QStringLiteral("a named pipe"));
    }

    void prints()
    {
        DataFolder folder;
        // An invalid table: the display print says so.
        gGrpData[4][0] = 10;
        gGrpData[4][1] = 5;
        ok(m_sim);
        click(m_w, "cmdGrpDataPrint");
        QCOMPARE(m_sim.prompts(), QStringList{ResLines({820, 821})});

        fillValid();
        const QString pdf = folder.path(QStringLiteral("shown.pdf"));
        m_sim.dialogs().choosePrinter(pdf);
        click(m_w, "cmdGrpDataPrint");
        QVERIFY(QFileInfo(pdf).size() > 0);

        const QString pdf2 = folder.path(QStringLiteral("file.pdf"));
        m_sim.dialogs().answer(platform::IdOk);
        m_sim.dialogs().chooseFile(fixture(QStringLiteral("good.grp")));
        m_sim.dialogs().choosePrinter(pdf2);
        click(m_w, "cmdGrpFilePrint");
        QVERIFY(QFileInfo(pdf2).size() > 0);
        QCOMPARE(gGrpPrintTitle, QStringLiteral("good.grp"));
        QCOMPARE(gGrpData[1][1], 101);
        QCOMPARE(m_sim.dialogs().pendingAnswers(), 0);
    }

    // The file print prints the file whatever the table on screen holds; groups the file lacks
    // print without numbers, never with the edited table's.
    void filePrintIgnoresTheScreen()
    {
        DataFolder folder;
        fillValid();
        gGrpData[4][0] = 10;
        gGrpData[4][1] = 5; // start after end: the table on screen is invalid
        const QString pdf = folder.path(QStringLiteral("file.pdf"));
        m_sim.dialogs().answer(platform::IdOk); // 829
        m_sim.dialogs().chooseFile(fixture(QStringLiteral("headonly.grp")));
        m_sim.dialogs().answer(platform::IdOk); // the file holds no group
        m_sim.dialogs().choosePrinter(pdf);
        click(m_w, "cmdGrpFilePrint");
        QCOMPARE(m_sim.prompts(),
                 (QStringList{LoadResText(829),
                              LoadResText(3055).arg(fixture(QStringLiteral("headonly.grp")), QStringLiteral("99"),
                                                    QStringLiteral("0"), QStringLiteral("2"))
                                  + QStringLiteral("\r\n") + LoadResText(3053).arg(LoadResText(3057))}));
        QVERIFY(QFileInfo(pdf).size() > 0);
        QStringList line7;
        double y7 = -1;
        for (const auto &d : platform::sharedPrinter().drawn()) {
            if (d.text == QLatin1String("No.7:"))
                y7 = d.rect.top();
        }
        for (const auto &d : platform::sharedPrinter().drawn())
            if (!d.rule && d.rect.top() == y7 && d.rect.left() < 80)
                line7 << d.text;
        QCOMPARE(line7, (QStringList{"No.7:", "---"}));
        QVERIFY(platform::sharedPrinter().drawn().size() > 0);
        QCOMPARE(gGrpData[7][0], 7);
        QCOMPARE(m_sim.dialogs().pendingAnswers(), 0);
    }

    // The window stays while a command runs.
    void closeRefusedWhileRunning()
    {
        {
            BusyGuard busy;
            m_w->close();
            QVERIFY(frmGrp::instance());
            // Commands wait for the running operation: nothing asked, nothing sent.
            click(m_w, "cmdReadGrp");
            click(m_w, "cmdCloseGrpWindow");
            QVERIFY(m_sim.prompts().isEmpty());
            QVERIFY(frmGrp::instance());
        }
        gFileCmdNow = true;
        m_w->close();
        QVERIFY(frmGrp::instance());
        gFileCmdNow = false;
        click(m_w, "cmdCloseGrpWindow");
        QTRY_VERIFY(!frmGrp::instance());
    }

private:
    // Opens the cut copy (`line` lines kept) over a window whose groups are all 500 to 500.
    void openCutFile(const DataFolder &folder, const FileCopy &copy)
    {
        const QString path = folder.path(QStringLiteral("cut.grp"));
        for (int g = 1; g <= kGrpCount; ++g)
            gGrpData[g][0] = gGrpData[g][1] = 500;
        folder.write(QStringLiteral("cut.grp"), copy.bytes);
        m_sim.dialogs().clear();
        ok(m_sim);
        m_sim.dialogs().chooseFile(path);
        click(m_w, "cmdGrpFileOpen");
        const int groups = copy.line - 2; // the group lines the cut left whole
        if (groups < 0) {
            QCOMPARE(m_sim.prompts(), QStringList{LoadResText(484) + QStringLiteral("\r\n")
                                                  + damageText({QString(), {}, FileVerdict::Damaged, copy.line}, path)});
            QCOMPARE(gGrpData[1][0], 500);
            return;
        }
        const QString taken = groups == 0 ? LoadResText(3057)
                                          : groups == 1 ? QStringLiteral("1") : QStringLiteral("1-%1").arg(groups);
        QCOMPARE(m_sim.prompts(),
                 QStringList{LoadResText(3055).arg(path, QStringLiteral("99"), QString::number(groups),
                                                   QString::number(copy.line))
                             + QStringLiteral("\r\n") + LoadResText(3053).arg(taken) + QStringLiteral("\r\n")
                             + LoadResText(3058)});
        for (int g = 1; g <= kGrpCount; ++g) {
            QCOMPARE(gGrpData[g][0], g <= groups ? g : 500);
            QCOMPARE(gGrpData[g][1], g <= groups ? g + 10 : 500);
        }
    }

    SimFixture m_sim;
    std::unique_ptr<FakeMainForm> m_main;
    QPointer<frmGrp> m_w;
};

QTEST_MAIN(TestFrmGrp)
#include "tst_frmGrp.moc"
