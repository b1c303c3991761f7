#include "positions/PosiPrintReport.h"

#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "tables/PosiImage.h"
#include "positions/PosiPrintCanvas.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>

namespace {

struct Column
{
    int col;
    double x;
};

// Left edges (mm) of the two printed lines of a position and of the two title lines. The
// titles stand 2 mm left of their values, except the number and Posi columns.
const Column kRowLine1[] = {{0, 20},  {1, 30},  {2, 38},  {3, 46},   {4, 54},   {5, 80},
                            {6, 88},  {7, 96},  {8, 104}, {17, 123}, {18, 139}, {19, 155}};
const Column kRowLine2[] = {{9, 30},  {10, 38}, {11, 46}, {12, 54},
                            {13, 80}, {14, 88}, {15, 96}, {16, 104}};
const Column kTitleLine1[] = {{0, 20},  {1, 28},  {2, 36},  {3, 44},   {4, 54},   {5, 78},
                              {6, 86},  {7, 94},  {8, 104}, {17, 121}, {18, 137}, {19, 153}};
const Column kTitleLine2[] = {{9, 28},  {10, 36}, {11, 44}, {12, 54},
                              {13, 78}, {14, 86}, {15, 94}, {16, 104}};
constexpr int kCommentCol = 20;
constexpr double kCommentX = 123;
constexpr double kTitleCommentX = 121;
constexpr double kRuleLeft = 10;

QString cell(int row, int col)
{
    return gPosiWork[row][col].toString();
}

// The first row line of a page, under the header and the column titles.
constexpr long kFirstRowLine = 6;

// Whether `count` row lines from `first` end above the footer: within the page's rows and a
// blank line above the footer rule.
bool linesFit(long first, long count)
{
    const long last = first + count - 1;
    return last <= gPrnCols - 2
           && double(last + 1) * double(gPrnCharH) <= double(gPrnLines - 1) * double(gPrnCharW);
}

// The row lines a fresh page holds for one position.
long linesOnFreshPage()
{
    long count = 0;
    while (linesFit(kFirstRowLine, count + 1))
        ++count;
    return count;
}

// The comment in the canvas' current font, broken into lines that each end by the right
// margin: the first after its ":" at the comment's column, the others under its text. A
// comment is never made smaller than the report's size for it, so a long one (40 full-width
// characters do not fit on a portrait page) takes more lines. Where the page could not hold
// them all (a page far smaller than an office page), the last line ends in an ellipsis where
// the rest was left out.
QStringList commentLines(const positions::PosiPrintCanvas &canvas, const QString &comment, double right,
                         long maxLines)
{
    const QString text = QStringLiteral(":") + comment;
    const double firstRoom = right - kCommentX;
    if (canvas.textWidth(text) <= firstRoom)
        return {text};
    const double room = right - (kCommentX + canvas.textWidth(QStringLiteral(":")));
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString ch(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            ch += text.at(++i);
        const double lineRoom = lines.isEmpty() ? firstRoom : room;
        if (!line.isEmpty() && canvas.textWidth(line + ch) > lineRoom) {
            lines << line;
            line.clear();
        }
        line += ch;
    }
    lines << line;
    if (lines.size() > maxLines) {
        QString last = lines.mid(maxLines - 1).join(QString());
        const QString mark(QChar(0x2026));
        const double lastRoom = maxLines == 1 ? firstRoom : room;
        while (!last.isEmpty() && canvas.textWidth(last + mark) > lastRoom) {
            last.chop(1);
            if (!last.isEmpty() && last.back().isHighSurrogate())
                last.chop(1);
        }
        lines = lines.mid(0, maxLines - 1);
        lines << last + mark;
    }
    return lines;
}

template <size_t N>
void drawColumns(positions::PosiPrintCanvas &canvas, const Column (&cols)[N], int row, double y)
{
    for (const Column &c : cols)
        canvas.text(c.x, y, cell(row, c.col));
}

} // namespace

void PrintPosiData(int &pageNo, positions::PosiPrintCanvas &canvas, const QString &stamp)
{
    const double h = double(gPrnCharW);
    const double w = double(gPrnWidth);

    canvas.setBoldItalic(true);
    canvas.setFontSize(14);
    canvas.text(10, h, LoadResText(201) + QLatin1Char(' ') + LoadResText(202));
    canvas.setFontSize(11);
    canvas.text(30, 3 * h,
                QStringLiteral("AXIS1:") + gPosiFileDev[0] + QStringLiteral("   /   AXIS2:")
                    + gPosiFileDev[1]);
    canvas.text(30, 4 * h,
                QStringLiteral("AXIS3:") + gPosiFileDev[2] + QStringLiteral("   /   AXIS4:")
                    + gPosiFileDev[3]);
    canvas.textRightAt(w, 4 * h, QStringLiteral("Page:") + QString::number(pageNo));
    canvas.setLineWidth(3);
    canvas.rule(kRuleLeft, w, 5 * h);

    canvas.setBoldItalic(false);
    canvas.setFontSize(9);
    canvas.setLineWidth(2);
    drawColumns(canvas, kTitleLine1, 0, 5 * h);
    drawColumns(canvas, kTitleLine2, 0, 6 * h);
    canvas.text(kTitleCommentX, 6 * h, QStringLiteral(":") + cell(0, kCommentCol));
    canvas.setLineWidth(3);
    canvas.rule(kRuleLeft, w, 7 * h);

    canvas.setBoldItalic(true);
    canvas.setFontSize(11);
    canvas.textRightAt(w, double(gPrnLines - 1) * h, stamp);
    canvas.setLineWidth(3);
    canvas.rule(kRuleLeft, w, double(gPrnHeight) - h);
    canvas.setBoldItalic(false);
}

namespace positions {

QFont posiPrintFont()
{
    // The printer resolves a missing face to the installed fixed-pitch one of its kind.
    return QFont(LoadResText(399), 11);
}

QString printStamp()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    return locale.toString(now.date(), QLocale::ShortFormat) + QStringLiteral("  ")
           + locale.toString(now.time(), QLocale::ShortFormat);
}

int drawPosiReport(PosiPrintCanvas &canvas, int from, int to, const QString &stamp)
{
    if (!canvas.started())
        return 1;
    const double p = double(gPrnCharH);
    const double right = double(gPrnWidth);
    // A position takes its two lines and one more for each further line of its comment.
    const long maxLines = std::max(2L, linesOnFreshPage());
    const auto commentOf = [&](int n) {
        canvas.setFontSize(8);
        const QStringList lines = commentLines(canvas, cell(n, kCommentCol), right, maxLines - 1);
        canvas.setFontSize(11);
        return lines;
    };
    gPrnPageNo = 1;
    bool pageDue = true;
    bool firstPage = true;
    long line = 0;
    QStringList comment = from <= to ? commentOf(from) : QStringList();
    for (int n = from; n <= to; ++n) {
        if (pageDue) {
            // The sheet is ejected only when something follows, so a break after the last
            // position leaves no blank sheet.
            if (!firstPage && !canvas.ejectPage())
                return 1;
            firstPage = false;
            PrintPosiData(gPrnPageNo, canvas, stamp);
            line = kFirstRowLine;
            pageDue = false;
        }
        canvas.setFontSize(11);
        drawColumns(canvas, kRowLine1, n, double(line) * p);
        ++line;
        drawColumns(canvas, kRowLine2, n, double(line) * p);
        canvas.setFontSize(8);
        canvas.setLineWidth(1);
        const double indent = kCommentX + canvas.textWidth(QStringLiteral(":"));
        for (qsizetype i = 0; i < comment.size(); ++i) {
            if (i > 0)
                ++line;
            canvas.textWithin(i == 0 ? kCommentX : indent, double(line) * p, comment.at(i), right);
        }
        canvas.setLineWidth(2);
        canvas.setFontSize(11);
        // The next position's lines, its comment's included, must also end above the footer
        // rule, which the count of rows alone does not see on every paper height. After the
        // last position the page is counted as a position of two lines would find it.
        const QStringList next = n < to ? commentOf(n + 1) : QStringList{QString()};
        if (!linesFit(line + 1, 1 + next.size())) {
            ++gPrnPageNo;
            pageDue = true;
        } else {
            ++line;
        }
        comment = next;
    }
    return 0;
}

} // namespace positions
