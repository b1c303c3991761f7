#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "app/MainCommands.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "app/frmOptions2.h"
#include "platform/Beep.h"
#include "platform/FixedGrid.h"
#include "tables/PosiDataCheck.h"
#include "positions/PosiEditor.h"
#include "positions/PosiGridText.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"
#include "positions/PosiLines.h"
#include "tables/SyogoKekka.h"
#include "support/FieldTexts.h"
#include "support/ModalDriver.h"
#include "support/TestEnv.h"
#include "support/X11Keys.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

using platform::FixedGrid;

// The editor the grid has open (one at a time).
class TestPosiEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void typingAcceptsAndMovesOn();
    void refusedValueKeepsEditorOpen();
    void droppedKeysBeep_data();
    void droppedKeysBeep();
    void typingFillsTheSelectedRows_data();
    void typingFillsTheSelectedRows();
    void numberColumnStaysInView();
    void inputMethodOnlyInComments();
    void enterGivesTheCellItsColourBack();
    void checkShowsTheGridAgain_data();
    void checkShowsTheGridAgain();
    void enterInLastCommentAppends();
    void commentEntryLeavesOutWhatFilesCannotHold_data();
    void commentEntryLeavesOutWhatFilesCannotHold();
    void commandTable_data();
    void commandTable();
    void copyAndPasteLines();
    void fieldTextsThroughPasteAndCheck_data();
    void fieldTextsThroughPasteAndCheck();
    void windowsOpen_data();
    void windowsOpen();

private:
    TestEnv *m_env = nullptr;
    frmMain *m_w = nullptr;
    FixedGrid &grid() { return *m_w->flgdData(); }
};

void TestPosiEditor::init()
{
    m_env = new TestEnv;
    tables::resetPosiImage();
    gDispMmUnit = false;
    for (bool &unused : gAxisUnused)
        unused = false;
    frmMain::setScreenWidthForLoad(1280);
    m_w = new frmMain;
    positions::attachPosiEditing(*m_w);
    wireMainCommands(*m_w);
    InitPosiData();
    gPosiNoDefFrom = gPosiNoFrom = 1;
    gPosiNoDefTo = gPosiNoTo = 4;
    QzDataHyoji_3();
    AllCMD_Yuko();
    SetEditCmdState();
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w));
}

void TestPosiEditor::cleanup()
{
    delete m_w;
    m_w = nullptr;
    core::mainform::clearCommands();
    delete m_env;
    m_env = nullptr;
}

void TestPosiEditor::typingAcceptsAndMovesOn()
{
    FixedGrid &g = grid();
    g.setCursor(3, 1);
    g.body()->setFocus();
    QTest::keyClick(g.body(), Qt::Key_4);
    auto *editor = g.body()->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("x5"));
    QCOMPARE(editor->text(), QStringLiteral("45"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits through a queued call
    QCOMPARE(g.text(3, 1), QStringLiteral("45"));
    QCOMPARE(g.col(), 2);
    QVERIFY(gDataChanged);
}

void TestPosiEditor::refusedValueKeepsEditorOpen()
{
    FixedGrid &g = grid();
    g.setCursor(2, 1);
    g.editCurrentCell();
    auto *editor = g.body()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->setText(QStringLiteral("75"));
    QTest::keyClick(editor, Qt::Key_Return);
    QVERIFY(editor->isVisible()); // still open
    QCOMPARE(g.text(2, 1), QStringLiteral("30"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(editor->text(), QStringLiteral("30"));
    // Esc also ends the edit, unchecked: the grid leaves its editing state.
    QVERIFY(!editor->isVisible());
    QCOMPARE(g.text(2, 1), QStringLiteral("30"));
    QCOMPARE(g.background(2, 1), positions::posigrid::axisColumnColour(1)); // no highlight left behind
    QVERIFY(!gDataChanged);
}

// A key the column drops never goes silently: "-3" does not pass as 3, nor "1,5" as 15,
// without the beep a refused value sounds.
void TestPosiEditor::droppedKeysBeep_data()
{
    QTest::addColumn<bool>("mm");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("cell");
    QTest::newRow("mm 1,5") << true << "1,5" << 1 << " 15.000";
    QTest::newRow("mm -3.0071") << true << "-3.0071" << 1 << "  3.005";
    QTest::newRow("pulses -3") << false << "-3" << 1 << "3";
    QTest::newRow("pulses 1.5") << false << "1.5" << 1 << "15";
    QTest::newRow("mm 2.5 typed whole") << true << "2.5" << 0 << "  2.500";
}

void TestPosiEditor::droppedKeysBeep()
{
    QFETCH(bool, mm);
    QFETCH(QString, typed);
    QFETCH(int, beeps);
    QFETCH(QString, cell);
    gDevLead[0] = 2;
    gDevPPR[0] = 400;
    gDevMaxPulse[0] = 20000;
    gStrokeMm[0] = 100;
    gDevStroke[0] = 100;
    gDispMmUnit = mm;
    QzDataHyoji_3();
    FixedGrid &g = grid();
    g.setCursor(2, 4);
    g.editCurrentCell();
    auto *editor = g.body()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->clear();
    const int before = platform::beepCount();
    for (const QChar c : typed)
        sendX11Key(editor, Qt::Key(c.unicode()));
    QCOMPARE(platform::beepCount() - before, beeps);
    sendX11Key(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(g.text(2, 4), cell);
    QCOMPARE(platform::beepCount() - before, beeps);
}

// A selection made the way an operator makes it (click, then shift-click or drag): the typed
// value goes into every selected cell of the column, wherever the cursor ended.
void TestPosiEditor::typingFillsTheSelectedRows_data()
{
    QTest::addColumn<int>("pressRow"); // grid rows
    QTest::addColumn<int>("extendRow");
    QTest::addColumn<bool>("drag");
    QTest::newRow("shift-click down") << 2 << 4 << false;
    QTest::newRow("shift-click up") << 4 << 2 << false;
    QTest::newRow("drag down") << 2 << 4 << true;
}

void TestPosiEditor::typingFillsTheSelectedRows()
{
    QFETCH(int, pressRow);
    QFETCH(int, extendRow);
    QFETCH(bool, drag);
    FixedGrid &g = grid();
    QTableWidget *body = g.body();
    const int col = 2; // ACC1
    auto centre = [&](int row) {
        return body->visualRect(body->model()->index(row - 2, col)).center();
    };
    g.body()->setFocus();
    QTest::mouseClick(body->viewport(), Qt::LeftButton, {}, centre(pressRow));
    if (drag) {
        QTest::mousePress(body->viewport(), Qt::LeftButton, {}, centre(pressRow));
        QMouseEvent move(QEvent::MouseMove, centre(extendRow), body->viewport()->mapToGlobal(centre(extendRow)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(body->viewport(), &move);
        QTest::mouseRelease(body->viewport(), Qt::LeftButton, {}, centre(extendRow));
    } else {
        QTest::mouseClick(body->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(extendRow));
    }
    QCOMPARE(body->selectedRanges().size(), 1);
    QCOMPARE(body->selectedRanges().first().rowCount(), 3);

    QTest::keyClick(body, Qt::Key_2);
    auto *editor = body->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    for (int r = 2; r <= 4; ++r)
        QCOMPARE(g.text(r, col), QStringLiteral("2"));
    QCOMPARE(g.text(5, col), QStringLiteral("3"));
}

// The number column does not scroll sideways; a click on a number there selects its line.
void TestPosiEditor::numberColumnStaysInView()
{
    FixedGrid &g = grid();
    m_w->resize(700, m_w->height());
    QCoreApplication::processEvents();
    g.setCursor(3, 20);
    QVERIFY(g.body()->horizontalScrollBar()->value() > 0);
    QTableView *numbers = nullptr;
    for (QTableView *v : g.body()->findChildren<QTableView *>())
        if (v->parent() == g.body())
            numbers = v;
    QVERIFY(numbers && numbers->isVisible());
    QCOMPARE(numbers->geometry().right() + 1, g.body()->viewport()->geometry().left());
    QCOMPARE(numbers->columnWidth(0), g.columnWidth(0));
    const QRect cell = numbers->visualRect(numbers->model()->index(1, 0));
    QVERIFY(numbers->viewport()->rect().contains(cell.center()));

    QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {}, cell.center());
    const positions::GridSelection sel = positions::selectionOf(g);
    QCOMPARE(sel.row, 3);
    QCOMPARE(sel.endRow, 3);
    QCOMPARE(sel.col, 1);
    QCOMPARE(sel.endCol, 20);
    QVERIFY(g.body()->hasFocus());
}

// The input method serves the comment column alone.
void TestPosiEditor::inputMethodOnlyInComments()
{
    QTableWidget *body = grid().body();
    QVERIFY(!body->testAttribute(Qt::WA_InputMethodEnabled));
    body->setCurrentCell(1, 20);
    QVERIFY(body->testAttribute(Qt::WA_InputMethodEnabled));
    body->setCurrentCell(1, 19);
    QVERIFY(!body->testAttribute(Qt::WA_InputMethodEnabled));
}

// Enter moves the cursor on; the cell it leaves loses the editor's highlight at once, also
// when the next cell is edited by typing straight away.
void TestPosiEditor::enterGivesTheCellItsColourBack()
{
    FixedGrid &g = grid();
    g.setCursor(2, 5); // VEL2: a yellow column
    g.body()->setFocus();
    for (const char *typed : {"45", "2"}) {
        const QString text = QLatin1String(typed);
        QTest::keyClicks(g.body(), text.left(1)); // the first key opens the editor
        auto *editor = g.body()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the closed editor
    }
    QCOMPARE(g.text(2, 5), QStringLiteral("45"));
    QCOMPARE(g.text(2, 6), QStringLiteral("2"));
    QCOMPARE(g.col(), 7);
    QCOMPARE(g.background(2, 5), positions::posigrid::axisColumnColour(5));
    QCOMPARE(g.background(2, 6), positions::posigrid::axisColumnColour(6));
}

// The check hides the grid while it reads it; inside an operation that switched the grid off
// it comes back shown and painted (headings too) but still disabled, also before its result
// window.
void TestPosiEditor::checkShowsTheGridAgain_data()
{
    QTest::addColumn<bool>("bad");
    QTest::newRow("passes") << false;
    QTest::newRow("fails") << true;
}

void TestPosiEditor::checkShowsTheGridAgain()
{
    QFETCH(bool, bad);
    FixedGrid &g = grid();
    if (bad)
        g.setText(3, 1, QStringLiteral("0"));
    AllCMD_Muko();
    bool shownForResult = false;
    if (bad) {
        whenModalOpens([&](QWidget *modal) {
            shownForResult = g.isVisible() && g.redraw();
            modal->close();
        });
    }
    QCOMPARE(PosiDataCheck3(), bad ? 1 : 0);
    QCOMPARE(shownForResult, bad);
    QVERIFY(g.isVisible());
    QVERIFY(g.redraw());
    QVERIFY(g.heading()->updatesEnabled());
    QVERIFY(!g.isEnabled());
    AllCMD_Yuko();
}

void TestPosiEditor::enterInLastCommentAppends()
{
    FixedGrid &g = grid();
    m_w->resize(700, m_w->height()); // the comment lies beyond the right edge
    QCoreApplication::processEvents();
    g.setCursor(5, 20);
    QVERIFY(g.body()->horizontalScrollBar()->value() > 0);
    g.editCurrentCell();
    auto *editor = g.body()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->setText(QStringLiteral("  end  "));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(g.text(5, 20), QStringLiteral("end"));
    QCOMPARE(g.rows(), 7);
    QCOMPARE(g.text(6, 0), QStringLiteral("5"));
    QCOMPARE(g.row(), 6);
    QCOMPARE(g.col(), 1);
    QCOMPARE(g.body()->horizontalScrollBar()->value(), 0); // the new line's number in view
}

// A comment typed or pasted into the editor loses what the file cannot hold, in every selected
// row, and the operator hears once which positions.
// Typed into the editor or pasted over the cells: one box names the positions whose comment
// lost what the file cannot hold.
void TestPosiEditor::commentEntryLeavesOutWhatFilesCannotHold_data()
{
    QTest::addColumn<bool>("pasted");
    QTest::newRow("typed") << false;
    QTest::newRow("cell paste") << true;
}

void TestPosiEditor::commentEntryLeavesOutWhatFilesCannotHold()
{
    QFETCH(bool, pasted);
    FixedGrid &g = grid();
    const QString text = QString::fromUtf8("x\U0001F600y\u00e9");
    g.setCursor(2, 20);
    g.body()->setRangeSelected(QTableWidgetSelectionRange(0, 20, 1, 20), true);
    m_env->dialogs().answer(platform::IdOk);
    if (pasted) {
        QGuiApplication::clipboard()->setText(text);
        positions::setClipFlags(positions::CheckClipText(text));
        SetEditCmdState();
        m_w->action(QStringLiteral("tbCellPaste"))->trigger();
    } else {
        g.editCurrentCell();
    }
    auto *editor = g.body()->findChild<QLineEdit *>();
    QVERIFY(editor);
    if (pasted)
        QCOMPARE(editor->text(), QStringLiteral("xy")); // the editor shows what is kept
    else
        editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(!editor->isVisible());
    QCOMPARE(g.text(2, 20), QStringLiteral("xy"));
    QCOMPARE(g.text(3, 20), QStringLiteral("xy"));
    QCOMPARE(m_env->dialogs().prompts(),
             QStringList{LoadResText(3003) + QStringLiteral("\r\n") + g.text(2, 0) + QStringLiteral(", ") + g.text(3, 0)});
    QVERIFY(gDataChanged);
}

void TestPosiEditor::commandTable_data()
{
    QTest::addColumn<QString>("control"); // action or button of the main window
    QTest::addColumn<int>("rows");        // grid rows afterwards (6 before)

    QTest::newRow("button Insert Line") << "cmdInsertLine" << 7;
    QTest::newRow("menu Insert Line") << "mnuEditGyoInsert" << 7;
    QTest::newRow("button Delete Line") << "cmdDeleteLine" << 5;
    QTest::newRow("menu Delete Line") << "mnuEditGyoDelete" << 5;
}

void TestPosiEditor::commandTable()
{
    QFETCH(QString, control);
    QFETCH(int, rows);
    grid().setCursor(3, 1);
    if (QPushButton *b = m_w->button(control))
        b->click();
    else
        m_w->action(control)->trigger();
    QCOMPARE(grid().rows(), rows);
    QCOMPARE(grid().text(grid().rows() - 1, 0), QString::number(rows - 2));
    QVERIFY(gDataChanged);
}

void TestPosiEditor::copyAndPasteLines()
{
    FixedGrid &g = grid();
    g.setText(2, 1, QStringLiteral("11"));
    g.setText(2, 20, QStringLiteral("first"));
    g.setCursor(2, 1);
    g.body()->setRangeSelected(QTableWidgetSelectionRange(0, 1, 0, 20), true);
    m_w->action(QStringLiteral("tbLineCopy"))->trigger();
    QVERIFY(gClipLineOk);
    QVERIFY(gClipCellOk);
    QCOMPARE(QGuiApplication::clipboard()->text().count(QLatin1Char('\t')), 19);

    g.body()->clearSelection();
    g.setCursor(4, 1);
    m_w->action(QStringLiteral("tbLinePaste"))->trigger();
    QCOMPARE(g.text(4, 1), QStringLiteral("11"));
    QCOMPARE(g.text(4, 20), QStringLiteral("first"));
    QVERIFY(gDataChanged);

    // Text of another program that is not a line enables only the cell paste.
    QGuiApplication::clipboard()->setText(QStringLiteral("5\t6\n"));
    g.setCursor(3, 7);
    m_w->action(QStringLiteral("tbCellCopy"))->trigger();
    QVERIFY(!gClipLineOk);
    QVERIFY(gClipCellOk);
}

// Each text of the table meets the same rule on the line paste, the cell paste and in the
// check: taken, it is pasted as typing it would leave it (snapped to a whole pulse, in the
// column's form) and passes with the value shown; refused, the line paste changes no cell and
// names it in one box, the cell paste opens no editor, and the check marks the cell that holds
// it however it got there. An unused axis shows what is sent for it, whatever is pasted.
void TestPosiEditor::fieldTextsThroughPasteAndCheck_data()
{
    using namespace fieldtexts;
    addRows({Pulses, Mm, Vel, Acc, Way, Sm, UnusedPosi, Comment});
}

void TestPosiEditor::fieldTextsThroughPasteAndCheck()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(bool, taken);
    QFETCH(QString, shown);
    for (int a = 0; a < kAxisCount; ++a)
        gAxisUnused[a] = a != 0;
    gDevLead[0] = 2;
    gDevPPR[0] = 400;
    gDevMaxPulse[0] = 20000;
    gStrokeMm[0] = 100;
    gDevStroke[0] = 100;
    gDispMmUnit = kind == fieldtexts::Mm;
    QzDataHyoji_3();
    FixedGrid &g = grid();
    const int col = fieldtexts::gridColumn(fieldtexts::Kind(kind));
    const bool unused = kind == fieldtexts::UnusedPosi;

    // A line of position 1 with the text in its column, pasted over position 2.
    QStringList fields;
    for (int c = 1; c <= 20; ++c)
        fields << g.text(2, c);
    fields[col - 1] = text;
    const QString clip = fields.join(QLatin1Char('\t'));
    QGuiApplication::clipboard()->setText(clip);
    positions::setClipFlags(positions::CheckClipText(clip));
    SetEditCmdState();
    QStringList before;
    for (int c = 0; c <= 20; ++c)
        before << g.text(3, c);
    gDataChanged = false;
    if (!taken)
        m_env->dialogs().answer(platform::IdOk);
    g.body()->clearSelection();
    g.setCursor(3, 1);
    QAction *paste = m_w->action(QStringLiteral("tbLinePaste"));
    QVERIFY(paste->isEnabled());
    paste->trigger();
    if (taken) {
        QCOMPARE(g.text(3, col), shown);
        QVERIFY(gDataChanged);
        QCOMPARE(m_env->dialogs().prompts(), QStringList());
    } else {
        QStringList after;
        for (int c = 0; c <= 20; ++c)
            after << g.text(3, c);
        QCOMPARE(after, before);
        QVERIFY(!gDataChanged);
        QCOMPARE(m_env->dialogs().prompts(),
                 QStringList{LoadResText(3010) + QStringLiteral("\r\nNo.2  ") + positions::posigrid::headingRow1(col)
                             + QStringLiteral("  \"") + text + QLatin1Char('"')});
    }

    // The cell paste: the text alone on the clipboard, into position 3's cell.
    if (!text.isEmpty()) {
        const QString old = g.text(4, col);
        QGuiApplication::clipboard()->setText(text);
        positions::setClipFlags(positions::CheckClipText(text));
        SetEditCmdState();
        g.body()->clearSelection();
        g.setCursor(4, col);
        QAction *cellPaste = m_w->action(QStringLiteral("tbCellPaste"));
        QVERIFY(cellPaste->isEnabled());
        const int beeps = platform::beepCount();
        cellPaste->trigger();
        auto *editor = g.body()->findChild<QLineEdit *>();
        if (taken && !unused) {
            QVERIFY(editor && editor->isVisible());
            QCOMPARE(editor->text(), shown.trimmed());
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();
            QCOMPARE(g.text(4, col), shown);
            QCOMPARE(platform::beepCount(), beeps);
        } else {
            QVERIFY(!editor || !editor->isVisible());
            QCOMPARE(g.text(4, col), old);
            QCOMPARE(platform::beepCount(), beeps + (unused ? 0 : 1));
        }
    }

    // A comment is text to the check: the one the paste left is what the table gets.
    if (kind == fieldtexts::Comment) {
        if (taken) {
            QCOMPARE(PosiDataCheck3(), 0);
            QCOMPARE(gPosiFileTable[2][col - 1].toString(), shown);
        }
        return;
    }

    // The check, with the cell as the paste left it, or holding the refused text however it
    // got there: what the grid shows is the value the table, the write and the file get.
    g.setText(3, col, taken ? shown : text);
    bool flagged = false;
    if (!taken) {
        whenModalOpens([&](QWidget *modal) {
            flagged = gPosiCellFlag[2][col - 1] && gPosiNgCount == 1;
            modal->close();
        });
    }
    QCOMPARE(PosiDataCheck3(), taken ? 0 : 1);
    QCOMPARE(flagged, !taken);
    if (taken) {
        const double value = shown.trimmed().toDouble();
        if (col == 4) {
            QCOMPARE(gPosiTable[2][gDispMmUnit ? 4 : 0], value);
            QCOMPARE(positions::posigrid::cellText(2, 3), shown);
        } else {
            QCOMPARE(tables::numericValue(gPosiFileTable[2][col - 1]), value);
        }
    }
}

void TestPosiEditor::windowsOpen_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("Option") << "mnuViewOption";
    QTest::newRow("Version") << "mnuHelpAbout";
}

void TestPosiEditor::windowsOpen()
{
    QFETCH(QString, action);
    QString opened;
    whenModalOpens([&](QWidget *modal) {
        opened = QString::fromLatin1(modal->metaObject()->className());
        qobject_cast<QDialog *>(modal)->reject();
    });
    QAction *a = m_w->action(action);
    QVERIFY(a);
    a->trigger();
    QCOMPARE(opened, action == QLatin1String("mnuViewOption") ? QStringLiteral("frmOptions2")
                                                               : QStringLiteral("frmAbout"));
    QVERIFY(!m_w->action(QStringLiteral("mnuEditLineCopy"))->isEnabled()); // EditCMD_Muko first
}

QTEST_MAIN(TestPosiEditor)
#include "tst_posieditor.moc"
