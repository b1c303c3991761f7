#include "positions/PosiGrid.h"

#include "core/Messages.h"
#include "platform/FixedGrid.h"
#include "positions/PosiGridText.h"
#include "tables/PosiTable.h"

#include <QFontMetrics>

namespace positions::posigrid {

namespace {

int px(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// What a column's heading needs (row 1 is drawn at 8 points): the widths are laid out for a
// narrow desktop font, and a wider one must not cut the short headings ("WAY4").
int headingWidth(const platform::FixedGrid &grid, int col)
{
    QFont f = grid.font();
    f.setPointSize(8);
    return QFontMetrics(f).horizontalAdvance(headingRow1(col)) + 8;
}

// Row 0 at the layout's 10 points, or smaller where a heading (an axis' designation with its
// old-type mark) would not show whole over its columns: the columns cannot widen at 1024
// pixels, and the mark must be seen, not found in a tool tip.
void fitHeadingRow0(platform::FixedGrid &grid)
{
    constexpr int kLayoutPoints = 10;
    constexpr int kSmallestPoints = 6;
    int points = kLayoutPoints;
    for (; points > kSmallestPoints; --points) {
        QFont f = grid.font();
        f.setPointSize(points);
        const QFontMetrics metrics(f);
        bool fits = true;
        for (int c = 1; c < kGridCols && fits;) {
            const QString t = grid.text(0, c);
            int width = grid.columnWidth(c);
            int end = c + 1;
            for (; end < kGridCols && grid.text(0, end) == t; ++end)
                width += grid.columnWidth(end);
            fits = metrics.horizontalAdvance(t) + 8 <= width;
            c = end;
        }
        if (fits)
            break;
    }
    grid.setRowPointSize(0, points);
}

} // namespace

BulkChange::BulkChange(platform::FixedGrid &grid)
    : m_grid(grid)
    , m_wasVisible(!grid.isHidden())
    , m_hadScrollBars(grid.scrollBars())
{
    stateOff(grid);
}

BulkChange::~BulkChange()
{
    m_grid.setScrollBars(m_hadScrollBars);
    m_grid.setVisible(m_wasVisible);
}

void stateOff(platform::FixedGrid &grid)
{
    grid.setVisible(false);
    grid.setScrollBars(false);
}

void stateOn(platform::FixedGrid &grid)
{
    grid.setScrollBars(true);
    grid.setVisible(true);
}

void cursorTop(platform::FixedGrid &grid)
{
    grid.setCursor(0, 0);
}

void setMainFormStr(platform::FixedGrid &grid)
{
    for (int c = 0; c < kGridCols; ++c) {
        grid.setText(0, c, headingRow0(c));
        grid.setText(1, c, headingRow1(c));
    }
    grid.setRowPointSize(0, 10);
    grid.setRowPointSize(1, 8);
    gPosiFileName = LoadResText(213);
}

void fitCommentColumn(platform::FixedGrid &grid)
{
    int fixedPx = 0;
    for (int c = 0; c < kCommentCol; ++c)
        fixedPx += grid.columnWidth(c);
    // The comment column fills what the other columns leave, never narrower than its
    // heading. (A floor of 3000 twips, stretched for a wide font, pushed the column and its
    // heading out of view at the start size.)
    const int room = grid.viewportWidth() - fixedPx;
    grid.setColumnWidth(kCommentCol, qMax(room, headingWidth(grid, kCommentCol)));
}

void layoutGrid(platform::FixedGrid &grid)
{
    grid.setRows(kHeadingRows);
    grid.setMergeRow(0, true);
    grid.setMergeRow(1, false);
    grid.setRowHeight(0, px(300));
    grid.setRowHeight(1, px(300));
    grid.setBodyRowHeight(px(250));
    stateOff(grid);
    setMainFormStr(grid);
    // Each column as the layout has it, or as wide as its heading needs; the comment column
    // then takes the rest.
    const int widthTwips = grid.viewportWidth() * kTwipsPerPixel;
    for (int c = 0; c < kGridCols; ++c) {
        grid.setColumnWidth(c, qMax(px(columnWidthTwips(c, widthTwips)), headingWidth(grid, c)));
        grid.setColumnAlignment(c, c == kCommentCol ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    }
    fitCommentColumn(grid);
    fitHeadingRow0(grid);
    grid.setRedraw(true);
    cursorTop(grid);
    stateOn(grid);
}

void dispAxisData(platform::FixedGrid &grid)
{
    if (gPosiNoDefFrom == 0 && gPosiNoDefTo == 0)
        return;
    BulkChange hidden(grid);
    for (int c = 1; c <= 16; ++c) {
        const QColor colour = axisColumnColour(c);
        for (int r = kHeadingRows; r < grid.rows(); ++r)
            grid.setBackground(r, c, colour);
    }
    cursorTop(grid);
}

void fill(platform::FixedGrid &grid)
{
    if (gPosiNoDefFrom == 0 && gPosiNoDefTo == 0)
        return;
    const int count = gPosiNoDefTo - gPosiNoDefFrom + 1;
    grid.setRows(count + kHeadingRows);
    dispAxisData(grid);
    BulkChange hidden(grid);
    for (int i = 0; i < count; ++i) {
        const int r = i + kHeadingRows;
        const int n = gPosiNoDefFrom + i;
        grid.setText(r, 0, QString::number(n));
        if (n < 1 || n > kPosiMax)
            continue;
        for (int c = 0; c < kPosiCols; ++c)
            grid.setText(r, c + 1, cellText(n, c));
    }
    cursorTop(grid);
}

void changeDispUnit(platform::FixedGrid &grid)
{
    for (int n = 1; n <= 4; ++n)
        grid.setText(1, 4 * n, posiHeading(n));
}

int checkLineNo(platform::FixedGrid &grid)
{
    if (grid.rows() >= 3)
        return 0;
    ResMsgBox({433, 434});
    return 1;
}

void setAxisHeading(platform::FixedGrid &grid, int axis, const QString &text)
{
    if (axis < 0 || axis > 3)
        return;
    for (int c = 4 * axis + 1; c <= 4 * axis + 4; ++c)
        grid.setText(0, c, text);
    fitHeadingRow0(grid);
}

} // namespace positions::posigrid
