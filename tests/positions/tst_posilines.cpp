#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/Messages.h"
#include "support/MemoryGrid.h"
#include "positions/PosiLines.h"
#include "tables/PosiTable.h"
#include "support/TestEnv.h"

#include <QtTest>

using namespace positions;

class TestPosiLines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void deleteLines_data();
    void deleteLines();
    void deleteRefusedOffPositionRows();
    void insertLines_data();
    void insertLines();
    void enterInLastComment_data();
    void enterInLastComment();
    void clipKinds_data();
    void clipKinds();
    void copyTextRoundTrip();
    void commandRefusals_data();
    void commandRefusals();
    void linePaste_data();
    void linePaste();
    void linePasteTellsCleanedPositions();
    void linePasteAllOrNothing();

private:
    TestEnv *m_env = nullptr;
};

namespace {
// Positions from..to, VEL of each row = its position number, a comment "c<n>".
MemoryGrid gridOf(int from, int to)
{
    MemoryGrid g(2 + to - from + 1);
    gPosiNoDefFrom = from;
    gPosiNoDefTo = to;
    gPosiNoFrom = from;
    gPosiNoTo = to;
    for (int n = from; n <= to; ++n) {
        const int r = n - from + 2;
        g.setText(r, 0, QString::number(n));
        g.setText(r, 1, QString::number(n));
        g.setText(r, 20, QStringLiteral("c%1").arg(n));
    }
    return g;
}

// The 20 fields of a line every column takes, as a new line has them.
QStringList goodLine()
{
    return positions::newLineTexts().mid(1);
}

QStringList column(const MemoryGrid &g, int col)
{
    QStringList out;
    for (int r = 2; r < g.rows(); ++r)
        out << g.text(r, col);
    return out;
}
} // namespace

void TestPosiLines::init()
{
    m_env = new TestEnv;
    gDispMmUnit = false;
    // Every axis in use with an actuator, so that a pasted position is one typing would take.
    for (int a = 0; a < kAxisCount; ++a) {
        gAxisUnused[a] = false;
        gDevLead[a] = 2;
        gDevPPR[a] = 400;
        gDevMaxPulse[a] = 20000;
        gStrokeMm[a] = 100;
    }
}

void TestPosiLines::cleanup()
{
    delete m_env;
    m_env = nullptr;
}

void TestPosiLines::deleteLines_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("endRow");
    QTest::addColumn<QString>("numbers"); // column 0 afterwards
    QTest::addColumn<QString>("vel");     // former positions, by their VEL
    QTest::addColumn<int>("cursorRow");
    QTest::addColumn<bool>("changed");

    QTest::newRow("rows 3 to 5 of 1..10") << 1 << 10 << 3 << 5 << "1 2 3 4 5 6 7" << "1 5 6 7 8 9 10" << 2 << true;
    QTest::newRow("selection made upwards") << 1 << 10 << 5 << 3 << "1 2 3 4 5 6 7" << "1 5 6 7 8 9 10" << 2 << true;
    QTest::newRow("from the first line") << 1 << 3 << 2 << 2 << "1 2" << "2 3" << 1 << true;
    QTest::newRow("the last line") << 5 << 7 << 4 << 4 << "5 6" << "5 6" << 3 << true;
    QTest::newRow("the only line") << 4 << 4 << 2 << 2 << "" << "" << 1 << false;
}

void TestPosiLines::deleteLines()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, row);
    QFETCH(int, endRow);
    QFETCH(QString, numbers);
    QFETCH(QString, vel);
    QFETCH(int, cursorRow);
    QFETCH(bool, changed);

    MemoryGrid g = gridOf(from, to);
    const LineResult res = cmdDeleteLine(g, {row, 1, endRow, 1});
    QVERIFY(res.done);
    QCOMPARE(column(g, 0).join(QLatin1Char(' ')), numbers);
    QCOMPARE(column(g, 1).join(QLatin1Char(' ')), vel);
    QCOMPARE(res.row, cursorRow);
    QCOMPARE(res.col, 1);
    QCOMPARE(gDataChanged, changed);
    if (g.rows() == 2) {
        QCOMPARE(gPosiNoDefFrom, 0);
        QCOMPARE(gPosiNoDefTo, 0);
    } else {
        QCOMPARE(gPosiNoDefTo, gPosiNoDefFrom + g.rows() - 3);
        QVERIFY(gPosiNoTo <= gPosiNoDefTo);
    }
}

void TestPosiLines::deleteRefusedOffPositionRows()
{
    MemoryGrid g = gridOf(1, 3);
    m_env->dialogs().answer(platform::IdOk);
    QVERIFY(!cmdDeleteLine(g, {1, 1, 1, 1}).done);
    QCOMPARE(m_env->dialogs().prompts(),
             QStringList{QStringLiteral("A line has not been selected.\r\nPlease the deleting line  and execute.")});
    QCOMPARE(g.rows(), 5);

    MemoryGrid empty = gridOf(0, -1);
    empty.setRows(2);
    QVERIFY(!cmdDeleteLine(empty, {2, 1, 2, 1}).done); // nothing, no message
}

void TestPosiLines::insertLines_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("endRow");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<int>("rows");      // grid rows afterwards
    QTest::addColumn<int>("defTo");
    QTest::addColumn<int>("newRow");    // a blank line's grid row
    QTest::addColumn<QString>("lastVel");

    QTest::newRow("two at position 3 of 1..10") << 1 << 10 << 4 << 5 << false << 14 << 12 << 5 << "10";
    QTest::newRow("at the first line, in mm") << 1 << 4 << 2 << 2 << true << 7 << 5 << 2 << "4";
    QTest::newRow("full table drops the former 999") << 1 << 999 << 2 << 2 << false << 1001 << 999 << 2 << "998";
    QTest::newRow("table ending at 999") << 990 << 999 << 3 << 4 << false << 12 << 999 << 4 << "997";
}

void TestPosiLines::insertLines()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, row);
    QFETCH(int, endRow);
    QFETCH(bool, mm);
    QFETCH(int, rows);
    QFETCH(int, defTo);
    QFETCH(int, newRow);
    QFETCH(QString, lastVel);

    gDispMmUnit = mm;
    MemoryGrid g = gridOf(from, to);
    const LineResult res = cmdInsertLine(g, {row, 3, endRow, 3});
    QVERIFY(res.done);
    QCOMPARE(res.row, qMin(row, endRow));
    QCOMPARE(g.rows(), rows);
    QCOMPARE(gPosiNoDefTo, defTo);
    QCOMPARE(g.text(g.rows() - 1, 0), QString::number(defTo));
    QCOMPARE(g.text(g.rows() - 1, 1), lastVel);
    const QStringList blank = g.row(newRow);
    QCOMPARE(blank.mid(1, 4), (QStringList{"30", "3", "0", mm ? "  0.000" : "0"}));
    QCOMPARE(blank.mid(17), (QStringList{"0", "0", "0", ""}));
    QCOMPARE(gDataChanged, true);
}

void TestPosiLines::enterInLastComment_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("next");
    QTest::addColumn<int>("rows");

    QTest::newRow("not the last row") << 1 << 5 << 3 << 4 << 7;
    QTest::newRow("last row appends") << 1 << 5 << 6 << 7 << 8;
    QTest::newRow("last position 999 wraps") << 995 << 999 << 6 << 2 << 7;
    QTest::newRow("row index above 999 but position below appends") << 1 << 998 << 999 << 1000 << 1001;
}

void TestPosiLines::enterInLastComment()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, row);
    QFETCH(int, next);
    QFETCH(int, rows);
    MemoryGrid g = gridOf(from, to);
    QCOMPARE(rowAfterCommentEnter(g, row), next);
    QCOMPARE(g.rows(), rows);
}

void TestPosiLines::clipKinds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("lineOk");
    QTest::addColumn<bool>("cellOk");

    const QString line19 = QStringList(QVector<QString>(20, QStringLiteral("1")).toList()).join('\t');
    QTest::newRow("empty") << "" << 0 << false << false;
    QTest::newRow("19 tabs") << line19 << 1 << true << true;
    QTest::newRow("19 tabs then more lines") << line19 + "\r5\t6" << 1 << true << true;
    QTest::newRow("18 tabs") << line19.section('\t', 1) << 2 << false << true;
    QTest::newRow("20 tabs") << line19 + "\t1" << 2 << false << true;
    QTest::newRow("one cell") << "5" << 2 << false << true;
    QTest::newRow("another program's line end") << line19 + "\r\n" << 1 << true << true;
}

void TestPosiLines::clipKinds()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(bool, lineOk);
    QFETCH(bool, cellOk);
    QCOMPARE(CheckClipText(text), kind);
    setClipFlags(kind);
    QCOMPARE(gClipLineOk, lineOk);
    QCOMPARE(gClipCellOk, cellOk);
}

void TestPosiLines::copyTextRoundTrip()
{
    MemoryGrid g = gridOf(1, 4);
    const QString lines = selectionText(g, {3, 1, 4, 20});
    QCOMPARE(lines.count(QLatin1Char('\r')), 1);
    QCOMPARE(lines.section(QLatin1Char('\r'), 0, 0).count(QLatin1Char('\t')), 19);
    QVERIFY(lines.startsWith(QStringLiteral("2\t")));
    QVERIFY(lines.endsWith(QStringLiteral("\tc3")));
    QCOMPARE(CheckClipText(lines), 1);
    QCOMPARE(selectionText(g, {5, 20, 5, 20}), QStringLiteral("c4"));
    QCOMPARE(firstClipField(QStringLiteral("5\t6\r7")), QStringLiteral("5"));
    QCOMPARE(firstClipField(QStringLiteral("12\n")), QStringLiteral("12"));
}

void TestPosiLines::commandRefusals_data()
{
    QTest::addColumn<int>("command"); // 0 cell copy, 1 line copy, 2 cell paste, 3 line paste
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("endRow");
    QTest::addColumn<int>("endCol");
    QTest::addColumn<QString>("message");

    QTest::newRow("cell copy of one cell") << 0 << 4 << 3 << 4 << "";
    QTest::newRow("cell copy of two cells") << 0 << 4 << 3 << 5 << "Please perform copy after chosing one cell.";
    QTest::newRow("line copy of 20 columns") << 1 << 1 << 6 << 20 << "";
    QTest::newRow("line copy of 19 columns") << 1 << 1 << 3 << 19 << "Click at Posi number in order to select the row, and execute.";
    QTest::newRow("cell paste down one column") << 2 << 7 << 6 << 7 << "";
    QTest::newRow("cell paste over two columns") << 2 << 7 << 3 << 8 << "It is impossible to paste data into cells of two or more colums.";
    QTest::newRow("line paste at column 1") << 3 << 1 << 3 << 1 << "";
    QTest::newRow("line paste at column 2") << 3 << 2 << 3 << 2
        << "Click at Position number the data pasted to or the first column cell the data pasted, and execute.";
}

void TestPosiLines::commandRefusals()
{
    QFETCH(int, command);
    QFETCH(int, col);
    QFETCH(int, endRow);
    QFETCH(int, endCol);
    QFETCH(QString, message);
    if (!message.isEmpty())
        m_env->dialogs().answer(platform::IdOk);
    const GridSelection sel{3, col, endRow, endCol};
    bool allowed = false;
    switch (command) {
    case 0: allowed = cellCopyAllowed(sel); break;
    case 1: allowed = lineCopyAllowed(sel); break;
    case 2: allowed = cellPasteAllowed(sel); break;
    default: allowed = linePasteAllowed(sel); break;
    }
    QCOMPARE(allowed, message.isEmpty());
    QCOMPARE(m_env->dialogs().prompts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(m_env->dialogs().boxes().first().style, int(platform::MbCritical));
}

void TestPosiLines::linePaste_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("vel");      // column 1 of every row afterwards
    QTest::addColumn<QString>("comments"); // column 20 of every row afterwards
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QStringList>("boxes");

    auto line = [](const QString &vel, const QString &comment) {
        QStringList f = goodLine();
        f[0] = vel;
        f[19] = comment;
        return f.join(QLatin1Char('\t'));
    };
    const QStringList none;
    QTest::newRow("three lines at the second-to-last row")
        << line("41", "a") + "\r" + line("42", "b") + "\r" + line("43", "c") << 4
        << "1 2 41 42" << "c1 c2 a b" << true << none;
    QTest::newRow("another program's CR LF and trailing line end")
        << line("41", "a") + "\r\n" + line("42", "b") + "\r\n" << 2
        << "41 42 3 4" << "a b c3 c4" << true << none;
    QTest::newRow("too many fields are dropped after COMMENT")
        << line("41", "a") + "\textra\tmore" << 2 << "41 2 3 4" << "a c2 c3 c4" << true << none;
    // Typing refuses a double quote (it would end the comment in the file): so does the paste,
    // never dropping it unheard.
    QTest::newRow("a double quote in a comment refuses the paste")
        << line("41", "say \"hi\"") << 3 << "1 2 3 4" << "c1 c2 c3 c4" << false
        << QStringList{LoadResText(3010) + "\r\nNo.2  " + LoadResText(234) + "  \"say \"hi\"\""};
    QTest::newRow("empty clipboard") << "" << 2 << "1 2 3 4" << "c1 c2 c3 c4" << false << none;
}

void TestPosiLines::linePaste()
{
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(QString, vel);
    QFETCH(QString, comments);
    QFETCH(bool, changed);
    QFETCH(QStringList, boxes);
    MemoryGrid g = gridOf(1, 4);
    for (qsizetype i = 0; i < boxes.size(); ++i)
        m_env->dialogs().answer(platform::IdOk);
    LinePasteFromClip(g, text, row, 1);
    QCOMPARE(m_env->dialogs().prompts(), boxes);
    QCOMPARE(g.rows(), 6);
    QCOMPARE(column(g, 1).join(QLatin1Char(' ')), vel);
    QCOMPARE(column(g, 20).join(QLatin1Char(' ')), comments);
    QCOMPARE(gDataChanged, changed);
}

// The operator hears once which positions lost characters the file cannot hold.
void TestPosiLines::linePasteTellsCleanedPositions()
{
    TestEnv env;
    MemoryGrid g = gridOf(1, 4);
    QStringList f = goodLine();
    const auto line = [&f](const QString &comment) {
        f[19] = comment;
        return f.join(QLatin1Char('\t'));
    };
    env.dialogs().answer(platform::IdOk);
    const QString text = QStringList{line(QStringLiteral("ok")), line(QString::fromUtf8("é1\U0001F600")),
                                     line(QStringLiteral("a") + QChar(0xD83D)),
                                     line(QStringLiteral("x") + QChar(0x1a) + QStringLiteral("y"))}
                             .join(QLatin1Char('\r'));
    LinePasteFromClip(g, text, 2, 1);
    QCOMPARE(column(g, 20).join(QLatin1Char(' ')), QStringLiteral("ok 1 a xy"));
    QCOMPARE(env.dialogs().prompts(), QStringList{LoadResText(3003) + QStringLiteral("\r\n2, 3, 4")});

    LinePasteFromClip(g, line(QStringLiteral("plain")), 5, 1);
    QCOMPARE(env.dialogs().prompts(), QStringList{LoadResText(3003) + QStringLiteral("\r\n2, 3, 4")});
}

// One field that is not a number of its column stops the whole paste: no cell changes, and one
// box names every refused field with its position, column and text.
void TestPosiLines::linePasteAllOrNothing()
{
    MemoryGrid g = gridOf(1, 4);
    gDataChanged = false;
    QStringList f = goodLine();
    const auto line = [&f](int col, const QString &text) {
        QStringList l = f;
        l[col - 1] = text;
        return l.join(QLatin1Char('\t'));
    };
    const QString text = QStringList{line(1, QStringLiteral("41")), line(1, QStringLiteral("12abc")),
                                     line(4, QStringLiteral("1,5"))}
                             .join(QLatin1Char('\r'));
    QStringList before;
    for (int r = 0; r < g.rows(); ++r)
        before << g.row(r).join(QLatin1Char('|'));
    m_env->dialogs().answer(platform::IdOk);
    QVERIFY(!LinePasteFromClip(g, text, 3, 1));
    QStringList after;
    for (int r = 0; r < g.rows(); ++r)
        after << g.row(r).join(QLatin1Char('|'));
    QCOMPARE(after, before);
    QVERIFY(!gDataChanged);
    QCOMPARE(m_env->dialogs().prompts(),
             QStringList{LoadResText(3010) + QStringLiteral("\r\nNo.3  VEL1  \"12abc\"\r\nNo.4  Posi1(pls)  \"1,5\"")});
    QCOMPARE(m_env->dialogs().pendingAnswers(), 0);

    // The same lines, made good, are pasted.
    QVERIFY(LinePasteFromClip(g, QStringList{line(1, QStringLiteral("41")), line(1, QStringLiteral("42"))}
                                     .join(QLatin1Char('\r')), 3, 1));
    QCOMPARE(column(g, 1).join(QLatin1Char(' ')), QStringLiteral("1 41 42 4"));
    QVERIFY(gDataChanged);
}

QTEST_MAIN(TestPosiLines)
#include "tst_posilines.moc"
