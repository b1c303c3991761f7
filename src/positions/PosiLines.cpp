#include "positions/PosiLines.h"

#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "platform/Dialogs.h"
#include "tables/CellEntry.h"
#include "tables/GridCells.h"
#include "positions/PosiGridText.h"
#include "tables/PosiTable.h"


namespace positions {

namespace {

constexpr int kFirstRow = tables::kGridHeadingRows;
constexpr int kLastPositionRow = 1000; // row of position 999 when the grid starts at 1

bool onPositionRow(const tables::GridCells &grid, int row)
{
    return row >= kFirstRow && row <= kLastPositionRow && row < grid.rows();
}

void writeLine(tables::GridCells &grid, int row, const QStringList &texts)
{
    for (int c = 0; c < tables::kGridColumns && c < texts.size(); ++c)
        grid.setText(row, c, texts[c]);
}

} // namespace

QStringList newLineTexts()
{
    QStringList t;
    t << QString();
    for (int a = 0; a < 4; ++a) {
        t << QStringLiteral("30") << QString::number(tables::accMax(tables::axisInfo(a)))
          << QStringLiteral("0") << (gDispMmUnit ? QStringLiteral("  0.000") : QStringLiteral("0"));
    }
    t << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("0") << QString();
    return t;
}

void renumberRows(tables::GridCells &grid)
{
    for (int r = kFirstRow; r < grid.rows(); ++r)
        grid.setText(r, 0, QString::number(gPosiNoDefFrom + r - kFirstRow));
}

void PosiGyoDelete(tables::GridCells &grid, int first, int last)
{
    const int times = qMax(last - first + 1, 1);
    for (int i = 0; i < times && first < grid.rows(); ++i) {
        grid.removeRow(first);
        --gPosiNoDefTo;
        if (gPosiNoTo > gPosiNoDefTo)
            gPosiNoTo = gPosiNoDefTo;
        if (gPosiNoDefTo < gPosiNoDefFrom) {
            gPosiNoDefFrom = gPosiNoDefTo;
            gPosiNoTo = gPosiNoDefTo;
        }
    }
    // An emptied grid holds nothing: 0 to 0, so no later redisplay makes a row again.
    if (grid.rows() <= kFirstRow) {
        gPosiNoDefFrom = gPosiNoDefTo = 0;
        gPosiNoFrom = gPosiNoTo = 0;
    }
    renumberRows(grid);
}

void PosiGyoInsert(tables::GridCells &grid, int first, int last)
{
    const int times = qMax(last - first + 1, 1);
    const QStringList line = newLineTexts();
    for (int i = 0; i < times; ++i) {
        grid.insertRow(first);
        writeLine(grid, first, line);
        if (gPosiNoDefTo < kPosiMax) {
            ++gPosiNoDefTo;
            ++gPosiNoTo;
        }
    }
    renumberRows(grid);
    while (grid.rows() > kLastPositionRow + 1)
        grid.removeRow(grid.rows() - 1);
    while (grid.rows() > kFirstRow && gPosiNoDefFrom + grid.rows() - 1 - kFirstRow > kPosiMax)
        grid.removeRow(grid.rows() - 1);
}

LineResult cmdDeleteLine(tables::GridCells &grid, const GridSelection &sel)
{
    LineResult res;
    if (grid.rows() <= kFirstRow)
        return res;
    if (!onPositionRow(grid, sel.row)) {
        ResMsgBox({386, 387}, platform::MbOkOnly);
        return res;
    }
    const int first = qMin(sel.row, qMax(sel.endRow, kFirstRow));
    const int last = qMin(qMax(sel.row, sel.endRow), grid.rows() - 1);
    PosiGyoDelete(grid, first, last);
    gDataChanged = grid.rows() > kFirstRow;
    res.done = true;
    res.row = first - 1;
    res.col = 1;
    return res;
}

LineResult cmdInsertLine(tables::GridCells &grid, const GridSelection &sel)
{
    LineResult res;
    if (!onPositionRow(grid, sel.row)) {
        ResMsgBox({388, 389}, platform::MbOkOnly);
        return res;
    }
    const int first = qMin(sel.row, qMax(sel.endRow, kFirstRow));
    const int last = qMin(qMax(sel.row, sel.endRow), grid.rows() - 1);
    PosiGyoInsert(grid, first, last);
    gDataChanged = true;
    res.done = true;
    res.row = first;
    res.col = 1;
    return res;
}

int rowAfterCommentEnter(tables::GridCells &grid, int row)
{
    if (row < grid.rows() - 1)
        return row + 1;
    if (gPosiNoDefTo < kPosiMax && row >= kFirstRow) {
        PosiGyoInsert(grid, row + 1, row + 1);
        gDataChanged = true;
        return row + 1;
    }
    return kFirstRow;
}

QString selectionText(const tables::GridCells &grid, const GridSelection &sel)
{
    const int r1 = qMin(sel.row, sel.endRow), r2 = qMax(sel.row, sel.endRow);
    const int c1 = qMin(sel.col, sel.endCol), c2 = qMax(sel.col, sel.endCol);
    QStringList lines;
    for (int r = r1; r <= r2; ++r) {
        QStringList fields;
        for (int c = c1; c <= c2; ++c)
            fields << grid.text(r, c);
        lines << fields.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\r'));
}

QList<QStringList> clipLines(const QString &text)
{
    // Split by hand: a regular expression does not match in text that holds half a surrogate
    // pair, which a paste can bring.
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines << text.mid(start);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    QList<QStringList> out;
    for (const QString &l : lines)
        out << l.split(QLatin1Char('\t'));
    return out;
}

int CheckClipText(const QString &text)
{
    if (text.isEmpty())
        return 0;
    const QList<QStringList> lines = clipLines(text);
    return lines.first().size() == 20 ? 1 : 2;
}

void setClipFlags(int clipKind)
{
    gClipLineOk = clipKind == 1;
    gClipCellOk = clipKind == 1 || clipKind == 2;
}

QString firstClipField(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return text.left(i);
    }
    return text;
}

bool cellCopyAllowed(const GridSelection &sel)
{
    if (sel.endRow == sel.row && sel.endCol == sel.col)
        return true;
    ResMsgBox({480}, platform::MbCritical);
    return false;
}

bool lineCopyAllowed(const GridSelection &sel)
{
    if (qAbs(sel.endCol - sel.col) + 1 == 20)
        return true;
    ResMsgBox({392}, platform::MbCritical);
    return false;
}

bool cellPasteAllowed(const GridSelection &sel)
{
    if (sel.endCol == sel.col)
        return true;
    ResMsgBox({481}, platform::MbCritical);
    return false;
}

bool linePasteAllowed(const GridSelection &sel)
{
    if (sel.col == 1)
        return true;
    ResMsgBox({393}, platform::MbCritical);
    return false;
}

namespace {

// One pasted field as typing it would leave it.
struct PastedCell
{
    int row = 0;
    int col = 0;
    QString field; // as pasted
    QString text;  // as the grid shows it
};

// What a line paste would write, and what it refuses; nothing is changed yet.
struct PastePlan
{
    QList<PastedCell> cells;
    QList<RefusedField> refused;
    QList<int> cleaned; // positions whose comment lost what the file cannot hold
};

PastePlan planPaste(const tables::GridCells &grid, const QString &text, int row, int col, bool mm)
{
    PastePlan plan;
    const QList<QStringList> lines = clipLines(text);
    if (text.isEmpty() || lines.isEmpty() || row < kFirstRow || col < 1)
        return plan;
    const int fieldsPerLine = int(lines.first().size());
    int r = row;
    for (const QStringList &fields : lines) {
        if (r >= grid.rows())
            break;
        const int position = grid.text(r, 0).toInt();
        int c = col;
        for (int i = 0; i < fieldsPerLine && i < fields.size() && c <= tables::kGridCommentCol; ++i, ++c) {
            const QString &field = fields[i];
            const int axis = tables::axisOfGridCol(c);
            if (axis >= 0 && gAxisUnused[axis]) {
                // An unused axis takes no entry: it shows what is sent for it.
                plan.cells.append({r, c, field, positions::posigrid::cellText(position, c - 1)});
                continue;
            }
            if (c == tables::kGridCommentCol) {
                // Another program's text may hold what the file cannot: the comment is cleaned,
                // and loses its outer blanks as a typed one does; what typing refuses is refused.
                const tables::Entry e = tables::pastedComment(field);
                if (!e.accepted) {
                    plan.refused.append({position, c, field});
                    continue;
                }
                if (e.cleaned)
                    plan.cleaned << position;
                plan.cells.append({r, c, field, e.text});
                continue;
            }
            const tables::Entry e = tables::evaluateEntry(c, field, tables::axisInfo(axis), mm, gMmRoundUp);
            if (e.accepted)
                plan.cells.append({r, c, field, e.text});
            else
                plan.refused.append({position, c, field});
        }
        ++r;
    }
    return plan;
}

// One box for a refused paste: every refused field with its position, column and text.
void tellRefusedPaste(const QList<RefusedField> &refused)
{
    constexpr int kListed = 20;     // a box the screen can still show
    constexpr int kShownChars = 20; // of a long field
    QStringList lines{LoadResText(3010)};
    for (qsizetype i = 0; i < refused.size() && i < kListed; ++i) {
        const RefusedField &f = refused[i];
        QString shown = f.text.left(kShownChars);
        if (f.text.size() > kShownChars)
            shown += QStringLiteral("...");
        lines << LoadResText(248) + QString::number(f.position) + QStringLiteral("  ")
                     + positions::posigrid::headingRow1(f.col) + QStringLiteral("  \"") + shown + QLatin1Char('"');
    }
    if (refused.size() > kListed)
        lines << QStringLiteral("...");
    platform::msgBox(lines.join(QStringLiteral("\r\n")), platform::MbExclamation);
}

} // namespace

bool LinePasteFromClip(tables::GridCells &grid, const QString &text, int row, int col)
{
    // All or nothing, and each field as typing it would leave it: a field the grid would show
    // as one number and send as another is never pasted, and neither is the rest of the paste.
    const PastePlan plan = planPaste(grid, text, row, col, gDispMmUnit);
    if (!plan.refused.isEmpty()) {
        tellRefusedPaste(plan.refused);
        return false;
    }
    GridStateOff();
    for (const PastedCell &cell : plan.cells) {
        const int axis = tables::axisOfGridCol(cell.col);
        if (tables::cellKind(cell.col) == tables::CellKind::Posi && !gAxisUnused[axis]) {
            // A position is stored as a typed one is, the pulses and the snapped millimetres.
            QString entered = cell.field;
            SetDataForFlex(grid.text(cell.row, 0).toInt(), cell.col, entered);
        }
        grid.setText(cell.row, cell.col, cell.text);
    }
    GridStateOn();
    const bool wrote = !plan.cells.isEmpty();
    if (wrote)
        gDataChanged = true;
    tables::tellCleanedComments(plan.cleaned);
    return wrote;
}

} // namespace positions
