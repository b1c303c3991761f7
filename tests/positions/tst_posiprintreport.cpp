// The position report's layout: header, title lines, the two lines per position, the
// comment, the page breaks and the right-aligned page number and footer.
#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "platform/PrinterDevice.h"
#include "tables/PosiImage.h"
#include "positions/PosiPrintCanvas.h"
#include "positions/PosiPrintReport.h"
#include "support/TestEnv.h"

#include <QtTest>

using Item = positions::PosiPrintCanvas::Item;

namespace {

// The metrics of a 4.6 mm "A" on a 200 x 287 mm printable area.
void setA4Metrics(long cols = 47)
{
    gPrnCharW = 5;
    gPrnCharH = 6;
    gPrnLines = 57;
    gPrnCols = cols;
    gPrnHeight = 285;
    gPrnWidth = 190;
}

void fillWork(int from, int to)
{
    for (int c = 0; c < 21; ++c)
        gPosiWork[0][c] = QStringLiteral("T%1").arg(c);
    for (int n = from; n <= to; ++n)
        for (int c = 0; c < 21; ++c)
            gPosiWork[n][c] = c == 0 ? QString::number(n) : QStringLiteral("%1.%2").arg(n).arg(c);
}

QList<Item> texts(const QList<Item> &items, const QString &text)
{
    QList<Item> out;
    for (const Item &it : items)
        if (!it.rule && it.text == text)
            out.append(it);
    return out;
}

struct Report
{
    explicit Report(TestEnv &env)
        : printer(env.tempPath(QStringLiteral("report.pdf")))
        , canvas(printer)
    {
        printer.setFont(positions::posiPrintFont());
    }
    platform::PrinterDevice printer;
    positions::PosiPrintCanvas canvas;
};

} // namespace

class TestPosiPrintReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsOfOnePage();
    void header();
    void comment_data();
    void comment();
    void pageBreaks_data();
    void pageBreaks();
    void rowsEndAboveTheFooter();
};

void TestPosiPrintReport::rowsOfOnePage()
{
    TestEnv env;
    setA4Metrics();
    fillWork(1, 3);
    Report r(env);
    QCOMPARE(positions::drawPosiReport(r.canvas, 1, 3, QStringLiteral("stamp")), 0);
    r.printer.end();
    const QList<Item> &items = r.canvas.items();

    // Line pairs at 6P/7P, 8P/9P, 10P/11P; axes 1, 2 and the common columns on the first,
    // axes 3, 4 on the second, each column at its own left edge, 11 point regular.
    const double line1X[] = {20, 30, 38, 46, 54, 80, 88, 96, 104};
    const double line2X[] = {30, 38, 46, 54, 80, 88, 96, 104};
    for (int n = 1; n <= 3; ++n) {
        const double y1 = (6 + 2 * (n - 1)) * 6.0;
        for (int c = 0; c <= 8; ++c) {
            const QList<Item> hit = texts(items, gPosiWork[n][c].toString());
            QCOMPARE(hit.size(), 1);
            QCOMPARE(hit[0].x, line1X[c]);
            QCOMPARE(hit[0].y, y1);
            QCOMPARE(hit[0].pointSize, 11);
            QVERIFY(!hit[0].bold && !hit[0].italic);
        }
        for (int c = 9; c <= 16; ++c) {
            const QList<Item> hit = texts(items, gPosiWork[n][c].toString());
            QCOMPARE(hit.size(), 1);
            QCOMPARE(hit[0].x, line2X[c - 9]);
            QCOMPARE(hit[0].y, y1 + 6);
        }
        const double commonX[] = {123, 139, 155};
        for (int c = 17; c <= 19; ++c) {
            const QList<Item> hit = texts(items, gPosiWork[n][c].toString());
            QCOMPARE(hit.size(), 1);
            QCOMPARE(hit[0].x, commonX[c - 17]);
            QCOMPARE(hit[0].y, y1);
        }
    }
    QCOMPARE(gPrnPageNo, 1);
    for (const Item &it : items)
        QCOMPARE(it.page, 1);
}

void TestPosiPrintReport::header()
{
    TestEnv env;
    setA4Metrics();
    fillWork(1, 1);
    gPosiFileDev[0] = QStringLiteral("D1");
    gPosiFileDev[1] = QStringLiteral("D2");
    gPosiFileDev[2] = QStringLiteral("D3");
    gPosiFileDev[3] = QStringLiteral("D4");
    Report r(env);
    QCOMPARE(positions::drawPosiReport(r.canvas, 1, 1, QStringLiteral("2026/12/10  14:30")), 0);
    r.printer.end();
    const QList<Item> &items = r.canvas.items();

    struct Expected
    {
        QString text;
        double x, y;
        int pt;
        bool boldItalic;
    };
    const Expected expected[] = {
        {LoadResText(201) + QLatin1Char(' ') + LoadResText(202), 10, 5, 14, true},
        {QStringLiteral("AXIS1:D1   /   AXIS2:D2"), 30, 15, 11, true},
        {QStringLiteral("AXIS3:D3   /   AXIS4:D4"), 30, 20, 11, true},
        {QStringLiteral("T0"), 20, 25, 9, false},  {QStringLiteral("T1"), 28, 25, 9, false},
        {QStringLiteral("T4"), 54, 25, 9, false},  {QStringLiteral("T5"), 78, 25, 9, false},
        {QStringLiteral("T17"), 121, 25, 9, false}, {QStringLiteral("T19"), 153, 25, 9, false},
        {QStringLiteral("T9"), 28, 30, 9, false},  {QStringLiteral("T16"), 104, 30, 9, false},
        {QStringLiteral(":T20"), 121, 30, 9, false},
    };
    for (const Expected &e : expected) {
        const QList<Item> hit = texts(items, e.text);
        QVERIFY2(hit.size() == 1, qPrintable(e.text));
        QCOMPARE(hit[0].x, e.x);
        QCOMPARE(hit[0].y, e.y);
        QCOMPARE(hit[0].pointSize, e.pt);
        QCOMPARE(hit[0].bold, e.boldItalic);
        QCOMPARE(hit[0].italic, e.boldItalic);
    }

    // Page number and footer end at W, measured in their own font.
    QFont boldItalic = positions::posiPrintFont();
    boldItalic.setBold(true);
    boldItalic.setItalic(true);
    r.printer.setFont(boldItalic);
    for (const auto &[text, y] : {std::pair{QStringLiteral("Page:1"), 20.0},
                                  std::pair{QStringLiteral("2026/12/10  14:30"), 56 * 5.0}}) {
        const QList<Item> hit = texts(items, text);
        QCOMPARE(hit.size(), 1);
        QCOMPARE(hit[0].rightEdge, 190.0);
        QCOMPARE(hit[0].y, y);
        QVERIFY(hit[0].x > 150 && hit[0].x < 190);
        QCOMPARE(hit[0].x + r.printer.textWidthMm(text), 190.0);
    }

    // Three rules from 10 to W, width 3: under the designations, under the titles, above
    // the footer.
    QList<double> rules;
    for (const Item &it : items)
        if (it.rule) {
            QCOMPARE(it.x, 10.0);
            QCOMPARE(it.x2, 190.0);
            QCOMPARE(it.lineWidth, 3);
            rules.append(it.y);
        }
    QCOMPARE(rules, (QList<double>{25, 35, 280}));
}

void TestPosiPrintReport::comment_data()
{
    QTest::addColumn<QString>("comment");
    QTest::addColumn<int>("cols");         // row lines of the page
    QTest::addColumn<QStringList>("lines"); // as printed; a line ending in "*" is cut there
    const QString wide(40, QChar(0x6F22));
    QTest::newRow("text") << "pick up" << 47 << QStringList{QStringLiteral(":pick up")};
    QTest::newRow("empty") << "" << 47 << QStringList{QStringLiteral(":")};
    // 40 full-width characters at 8 point are wider than the 67 mm left of the margin: they
    // go on a second line of their own, not smaller.
    QTest::newRow("40 full-width characters") << wide << 47 << QStringList{QStringLiteral(":*"), QStringLiteral("*")};
    // A page that holds one position of two lines: the comment keeps its size, is cut at the
    // margin and ends in an ellipsis.
    QTest::newRow("40 full-width characters, page of two lines") << wide << 9 << QStringList{QStringLiteral(":*")};
}

void TestPosiPrintReport::comment()
{
    QFETCH(QString, comment);
    QFETCH(int, cols);
    QFETCH(QStringList, lines);
    TestEnv env;
    setA4Metrics(cols);
    fillWork(1, 2);
    gPosiWork[1][20] = comment;
    Report r(env);
    QCOMPARE(positions::drawPosiReport(r.canvas, 1, 2, QStringLiteral("stamp")), 0);
    r.printer.end();

    QList<Item> printed;
    for (const Item &it : r.canvas.items())
        if (!it.rule && it.pointSize == 8 && it.page == 1 && !it.text.startsWith(QStringLiteral(":2.")))
            printed.append(it); // position 1's comment, not position 2's
    QCOMPARE(printed.size(), lines.size());
    QString whole;
    for (int i = 0; i < printed.size(); ++i) {
        QCOMPARE(printed[i].y, (7 + i) * 6.0);
        // The first line at the comment's column, the others under its text.
        if (i == 0)
            QCOMPARE(printed[i].x, 123.0);
        else
            QVERIFY(printed[i].x > 123.0 && printed[i].x < 126.0);
        if (lines[i].endsWith(QLatin1Char('*')))
            QVERIFY2(printed[i].text.size() > 10, qPrintable(printed[i].text));
        else
            QCOMPARE(printed[i].text, lines[i]);
        whole += printed[i].text;
    }
    const QChar ellipsis(0x2026);
    if (cols == 9) {
        QVERIFY(whole.endsWith(ellipsis));
        QVERIFY(QString(QStringLiteral(":") + comment).startsWith(whole.chopped(1)));
    } else {
        QCOMPARE(whole, QStringLiteral(":") + comment);
    }
    // At the comment's own size, every line within the right margin.
    for (const auto &d : r.printer.drawn())
        if (d.text.contains(QChar(0x6F22)) || d.text == lines[0]) {
            QCOMPARE(d.pointSize, 8.0);
            QVERIFY2(d.rect.right() <= 190, qPrintable(d.text));
        }
    // The next position follows the comment's last line, back at 11 point.
    const Item next = texts(r.canvas.items(), QStringLiteral("2")).value(0);
    QCOMPARE(next.pointSize, 11);
    if (cols == 9) {
        QCOMPARE(next.page, 2);
        QCOMPARE(next.y, 6 * 6.0);
    } else {
        QCOMPARE(next.page, 1);
        QCOMPARE(next.y, (7 + lines.size()) * 6.0);
    }
}

void TestPosiPrintReport::pageBreaks_data()
{
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("firstOfPage"); // the position that starts each page
    QTest::addColumn<int>("pageNo");            // gPrnPageNo afterwards
    QTest::addColumn<QList<int>>("longComments"); // positions whose comment takes a third line

    // 47 rows: second lines at 7, 9, ..., 43 go on; 45 (47 - 2 - 45 < 2) ends the page.
    QTest::newRow("47 rows, 3 pages") << 47 << 45 << QList<int>{1, 21, 41} << 3 << QList<int>{};
    // A break after the last position draws no further page.
    QTest::newRow("47 rows, page full") << 47 << 20 << QList<int>{1} << 2 << QList<int>{};
    QTest::newRow("47 rows, one more") << 47 << 21 << QList<int>{1, 21} << 2 << QList<int>{};
    // 46 rows: the second line at 43 ends the page (46 - 2 - 43 = 1).
    QTest::newRow("46 rows") << 46 << 40 << QList<int>{1, 20, 39} << 3 << QList<int>{};
    // A page too small for a second pair holds one position each.
    QTest::newRow("tiny page") << 9 << 3 << QList<int>{1, 2, 3} << 4 << QList<int>{};
    // A position whose comment takes a third line pushes the ones after it down a line, and
    // goes to the next page whole when its three lines would not end above the footer.
    QTest::newRow("47 rows, a long comment early") << 47 << 45 << QList<int>{1, 20, 40} << 3 << QList<int>{5};
    QTest::newRow("47 rows, a long comment last on a page") << 47 << 45 << QList<int>{1, 20, 39} << 3 << QList<int>{20};
    QTest::newRow("47 rows, a long comment ends a page") << 47 << 19 << QList<int>{1} << 2 << QList<int>{19};
}

void TestPosiPrintReport::pageBreaks()
{
    QFETCH(int, cols);
    QFETCH(int, count);
    QFETCH(QList<int>, firstOfPage);
    QFETCH(int, pageNo);
    QFETCH(QList<int>, longComments);
    TestEnv env;
    setA4Metrics(cols);
    fillWork(1, count);
    for (int n : longComments)
        gPosiWork[n][20] = QString(40, QChar(0x30A2));
    Report r(env);
    QCOMPARE(positions::drawPosiReport(r.canvas, 1, count, QStringLiteral("stamp")), 0);
    r.printer.end();
    const QList<Item> &items = r.canvas.items();

    QCOMPARE(gPrnPageNo, pageNo);
    QCOMPARE(r.canvas.page(), firstOfPage.size());
    for (int p = 0; p < firstOfPage.size(); ++p) {
        // Each page starts again at L = 6 with its own header.
        const QList<Item> first = texts(items, QString::number(firstOfPage[p]));
        QCOMPARE(first.size(), 1);
        QCOMPARE(first[0].page, p + 1);
        QCOMPARE(first[0].y, 6 * 6.0);
        const QList<Item> pageNoText = texts(items, QStringLiteral("Page:%1").arg(p + 1));
        QCOMPARE(pageNoText.size(), 1);
        QCOMPARE(pageNoText[0].page, p + 1);
        QCOMPARE(pageNoText[0].rightEdge, 190.0);
        QCOMPARE(pageNoText[0].y, 20.0);
    }
    // Nothing is drawn below the last row pitch line of the page.
    for (const Item &it : items)
        if (!it.rule && it.pointSize != 14 && !it.bold)
            QVERIFY(it.y + 6 <= cols * 6.0 || it.y >= (gPrnLines - 1) * 5.0);
}

// Where the count of rows alone would put a last position on the footer rule (4 mm unit,
// 295 mm page: 59 rows, footer rule at 288 mm), the page breaks one position earlier.
void TestPosiPrintReport::rowsEndAboveTheFooter()
{
    TestEnv env;
    gPrnCharW = 4;
    gPrnCharH = 5;
    gPrnLines = 73;
    gPrnCols = 59;
    gPrnHeight = 292;
    gPrnWidth = 190;
    fillWork(1, 30);
    Report r(env);
    QCOMPARE(positions::drawPosiReport(r.canvas, 1, 30, QStringLiteral("stamp")), 0);
    r.printer.end();
    const QList<Item> next = texts(r.canvas.items(), QStringLiteral("26"));
    QCOMPARE(next.size(), 1);
    QCOMPARE(next[0].page, 2);
    const QList<Item> last = texts(r.canvas.items(), QStringLiteral("25"));
    QCOMPARE(last.value(0).page, 1);
    QCOMPARE(last.value(0).y, 54 * 5.0);
    for (const auto &d : r.printer.drawn())
        if (d.page == 1 && !d.rule && !d.bold)
            QVERIFY2(d.rect.bottom() <= 288, qPrintable(d.text));
}

QTEST_MAIN(TestPosiPrintReport)
#include "tst_posiprintreport.moc"
