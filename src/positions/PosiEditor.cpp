#include "positions/PosiEditor.h"

#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "platform/Beep.h"
#include "platform/EditorKeys.h"
#include "platform/FixedGrid.h"
#include "tables/CellEntry.h"
#include "tables/PosiDataCheck.h"
#include "positions/PosiGridText.h"
#include "tables/PosiTable.h"
#include "positions/frmSyogoKekka.h"
#include "platform/KeyInput.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace positions {

namespace {

constexpr int kHead = tables::kGridHeadingRows;

QColor columnColour(int col)
{
    return col >= 1 && col <= 16 ? positions::posigrid::axisColumnColour(col) : positions::posigrid::windowColour();
}

void colourRow(platform::FixedGrid &g, int row)
{
    for (int c = 1; c <= 16; ++c)
        g.setBackground(row, c, columnColour(c));
}

// The editor of one cell: the column's key filter and length, Esc back to the old text,
// and a refused value keeps the editor open (Enter, Tab) or puts the old text back (focus
// lost, since Qt cannot refuse a focus change).
class PosiCellDelegate : public QStyledItemDelegate
{
public:
    PosiCellDelegate(platform::FixedGrid &grid, QObject *parent)
        : QStyledItemDelegate(parent), m_grid(grid) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        const int row = index.row() + kHead, col = index.column();
        if (m_grid.rows() <= kHead || col < 1)
            return nullptr;
        const int axis = tables::axisOfGridCol(col);
        if (axis >= 0 && gAxisUnused[axis])
            return nullptr;
        auto *editor = qobject_cast<QLineEdit *>(QStyledItemDelegate::createEditor(parent, option, index));
        if (!editor)
            return nullptr;
        m_grid.setBackground(row, col, positions::posigrid::lightCyan());
        gEditOldText = m_grid.text(row, col);
        editor->setMaxLength(tables::editorLength(col, gDispMmUnit));
        // Comments may be typed in Japanese; every other column takes plain digits.
        editor->setAttribute(Qt::WA_InputMethodEnabled, col == tables::kGridCommentCol);
        m_row = row;
        m_col = col;
        m_sel = selectionOf(m_grid);
        return editor;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &) const override
    {
        auto *line = qobject_cast<QLineEdit *>(editor);
        QString text = line->text();
        const int position = m_grid.text(m_row, 0).toInt();
        const bool cleaned = m_col == tables::kGridCommentCol && tables::holdsUnstorable(text.trimmed());
        if (SetDataForFlex(position, m_col, text) != 0) {
            platform::beep();
            m_grid.setText(m_row, m_col, gEditOldText);
            return;
        }
        // The value goes into every selected row of the edited column, however the selection
        // was made (a shift-click leaves the cursor at its lower end).
        int first = qMin(m_sel.row, m_sel.endRow);
        int last = qMax(m_sel.row, m_sel.endRow);
        if (m_row < first || m_row > last)
            first = last = m_row;
        if (m_sel.endCol != m_sel.col)
            platform::beep(); // a selection over several columns is narrowed to this one
        QList<int> cleanedPositions;
        for (int r = qMax(first, kHead); r <= last && r < m_grid.rows(); ++r) {
            QString rowText = text;
            if (r != m_row)
                SetDataForFlex(m_grid.text(r, 0).toInt(), m_col, rowText);
            m_grid.setText(r, m_col, rowText);
            if (cleaned)
                cleanedPositions << m_grid.text(r, 0).toInt();
        }
        tables::tellCleanedComments(cleanedPositions);
    }

    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *line = qobject_cast<QLineEdit *>(object);
        if (line && event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            gEditEndKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ? 13
                          : key->key() == Qt::Key_Escape ? 27 : key->key();
            // Esc puts the old text back and closes the editor without a check.
            if (key->key() == Qt::Key_Escape)
                line->setText(gEditOldText);
            if (gEditEndKey == 13 || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                const tables::Entry e = tables::evaluateEntry(m_col, line->text(), tables::axisInfo(tables::axisOfGridCol(m_col)),
                                              gDispMmUnit, gMmRoundUp);
                if (!e.accepted) {
                    platform::beep();
                    m_grid.setText(m_row, m_col, gEditOldText);
                    return true;
                }
            } else if (platform::dropsTypedKey(*key, [this](QChar c) { return tables::keyPasses(m_col, gDispMmUnit, c); })) {
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

    int editedRow() const { return m_row; }
    int editedCol() const { return m_col; }

private:
    platform::FixedGrid &m_grid;
    mutable int m_row = 0;
    mutable int m_col = 0;
    mutable GridSelection m_sel;
};

void afterEdit(platform::FixedGrid &g, FixedGridCells &cells, int row, int col)
{
    const int key = gEditEndKey;
    gEditEndKey = 0;
    if (key != 13)
        return;
    if (col >= 1 && col <= 19) {
        g.setCursor(row, col + 1);
        return;
    }
    if (col == tables::kGridCommentCol) {
        const int rowsBefore = g.rows();
        const int next = rowAfterCommentEnter(cells, row);
        if (g.rows() > rowsBefore)
            colourRow(g, next);
        g.setCursor(next, 1);
    }
}

void cellCopyToClip(const platform::FixedGrid &g)
{
    FixedGridCells cells(const_cast<platform::FixedGrid &>(g));
    QGuiApplication::clipboard()->setText(selectionText(cells, selectionOf(g)));
    setClipFlags(CheckClipText(QGuiApplication::clipboard()->text()));
    SetEditCmdState();
}

} // namespace

int FixedGridCells::rows() const
{
    return m_grid.rows();
}

QString FixedGridCells::text(int row, int col) const
{
    return m_grid.text(row, col);
}

void FixedGridCells::setText(int row, int col, const QString &text)
{
    m_grid.setText(row, col, text);
}

void FixedGridCells::insertRow(int row)
{
    if (row < kHead)
        return;
    m_grid.body()->insertRow(qMin(row - kHead, m_grid.body()->rowCount()));
    m_grid.setRowHeight(row, 250 / positions::posigrid::kTwipsPerPixel);
}

void FixedGridCells::removeRow(int row)
{
    if (row >= kHead && row < m_grid.rows())
        m_grid.body()->removeRow(row - kHead);
}

GridSelection selectionOf(const platform::FixedGrid &grid)
{
    GridSelection s{grid.row(), grid.col(), grid.row(), grid.col()};
    const QList<QTableWidgetSelectionRange> ranges = grid.body()->selectedRanges();
    if (!ranges.isEmpty()) {
        const QTableWidgetSelectionRange &r = ranges.first();
        s.row = r.topRow() + kHead;
        s.endRow = r.bottomRow() + kHead;
        s.col = r.leftColumn();
        s.endCol = r.rightColumn();
        // The position number selects its line.
        if (s.col == 0) {
            s.col = 1;
            if (s.endCol == 0)
                s.endCol = tables::kGridCommentCol;
        }
    }
    return s;
}

void attachPosiEditing(QWidget &window)
{
    auto *grid = window.findChild<platform::FixedGrid *>(QStringLiteral("flgdData"));
    if (!grid)
        return;
    platform::FixedGrid &g = *grid;
    static FixedGridCells *cells = nullptr;
    delete cells;
    cells = new FixedGridCells(g);
    setCheckGrid(cells);
    QPointer<QWidget> owner(&window);
    tables::setCheckResultWindow([owner] {
        frmSyogoKekka w(owner);
        w.exec();
    });

    QTableWidget *body = g.body();
    body->setSelectionMode(QAbstractItemView::ContiguousSelection);
    body->setAttribute(Qt::WA_InputMethodEnabled, false); // until a comment cell is current
    body->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    auto *delegate = new PosiCellDelegate(g, body);
    body->setItemDelegate(delegate);
    // A key the cell drops opens no editor; a cell of an unused axis opens none anyway.
    new platform::EditorKeys(body, [](const QModelIndex &cell, QChar typed) {
        const int axis = tables::axisOfGridCol(cell.column());
        return (axis >= 0 && gAxisUnused[axis]) || tables::keyPasses(cell.column(), gDispMmUnit, typed);
    });

    // A click on the position number selects the whole line.
    QObject::connect(&g, &platform::FixedGrid::cellPressed, body, [body](int r, int c) {
        if (c == 0 && r >= kHead)
            body->setRangeSelected(QTableWidgetSelectionRange(r - kHead, 1, r - kHead, tables::kGridCommentCol), true);
    });
    auto *last = new QPoint(0, 0);
    const auto cursorMoved = [&g, last](int row, int col) {
        // The cell left gets its column colour back (also after its editor highlighted it).
        if (last->x() >= kHead && last->x() < g.rows() && last->y() >= 1 && last->y() <= tables::kGridCommentCol)
            g.setBackground(last->x(), last->y(), columnColour(last->y()));
        *last = QPoint(row, col);
        if (col >= 1 && col <= 16)
            DispPulsePerMm2((col - 1) / 4);
        if (row >= kHead)
            SetEditCmdState();
        // Only comments are typed through the input method (Japanese); every other column
        // takes plain digits, so the grid offers no input method there.
        const bool comment = col == tables::kGridCommentCol;
        if (!comment)
            QGuiApplication::inputMethod()->reset();
        g.body()->setAttribute(Qt::WA_InputMethodEnabled, comment);
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    };
    QObject::connect(&g, &platform::FixedGrid::cursorMoved, &g, cursorMoved);
    QObject::connect(delegate, &QAbstractItemDelegate::closeEditor, body, [&g, delegate, last, cursorMoved] {
        const int row = delegate->editedRow();
        const int col = delegate->editedCol();
        // The highlight belongs to the open editor: a cell left open by Esc would otherwise keep
        // it until the cursor visits it again (commands move the cursor without a signal).
        if (row >= kHead && row < g.rows())
            g.setBackground(row, col, columnColour(col));
        afterEdit(g, *cells, row, col);
        // Enter moves the cursor by the program's hand, which the grid does not signal: the
        // edited cell is the one left.
        if (g.row() != row || g.col() != col) {
            *last = QPoint(row, col);
            cursorMoved(g.row(), g.col());
        }
    });
    QObject::connect(&g, &QObject::destroyed, [last] { delete last; });

    auto deleteLine = [&g] {
        const LineResult res = cmdDeleteLine(*cells, selectionOf(g));
        if (!res.done)
            return 1;
        if (g.rows() <= kHead)
            EditCMD_Muko();
        g.body()->setFocus();
        g.setCursor(res.row, res.col);
        return 0;
    };
    auto insertLine = [&g] {
        const GridSelection sel = selectionOf(g);
        const LineResult res = cmdInsertLine(*cells, sel);
        if (!res.done)
            return 1;
        for (int r = res.row; r <= res.row + qAbs(sel.endRow - sel.row) && r < g.rows(); ++r)
            colourRow(g, r);
        g.body()->setFocus();
        g.setCursor(res.row, res.col);
        return 0;
    };
    core::mainform::setCommand(QStringLiteral("cmdDeleteLine_Click"), deleteLine);
    core::mainform::setCommand(QStringLiteral("mnuEditGyoDelete_Click"), deleteLine);
    core::mainform::setCommand(QStringLiteral("cmdInsertLine_Click"), insertLine);
    core::mainform::setCommand(QStringLiteral("mnuEditGyoInsert_Click"), insertLine);
    core::mainform::setCommand(QStringLiteral("mnuEditCellCopy_Click"), [&g] {
        if (!cellCopyAllowed(selectionOf(g)))
            return 1;
        cellCopyToClip(g);
        return 0;
    });
    core::mainform::setCommand(QStringLiteral("mnuEditLineCopy_Click"), [&g] {
        if (!lineCopyAllowed(selectionOf(g)))
            return 1;
        cellCopyToClip(g);
        return 0;
    });
    core::mainform::setCommand(QStringLiteral("mnuEditCellPaste_Click"), [&g] {
        const GridSelection sel = selectionOf(g);
        if (!cellPasteAllowed(sel))
            return 1;
        gClipLineOk = false;
        SetEditCmdState();
        if (sel.row < kHead || sel.col < 1)
            return 1;
        // An unused axis opens no editor, pasted or typed.
        if (const int axis = tables::axisOfGridCol(sel.col); axis >= 0 && gAxisUnused[axis])
            return 1;
        QString field = firstClipField(QGuiApplication::clipboard()->text());
        // A number goes into the editor as typing it would leave it (snapped to a whole pulse,
        // in the column's form, never cut to another number by the editor's length); a text
        // typing would refuse is refused as a typed one is.
        const tables::Entry e = sel.col == tables::kGridCommentCol
                            ? tables::pastedComment(field)
                            : tables::evaluateEntry(sel.col, field, tables::axisInfo(tables::axisOfGridCol(sel.col)), gDispMmUnit, gMmRoundUp);
        if (!e.accepted) {
            platform::beep();
            return 1;
        }
        field = e.text.trimmed();
        // As the line paste does, before the editor opens: the operator hears which positions'
        // comments lose characters.
        if (e.cleaned) {
            QList<int> cleaned;
            for (int r = sel.row; r <= qMax(sel.row, sel.endRow) && r < g.rows(); ++r)
                cleaned << g.text(r, 0).toInt();
            tables::tellCleanedComments(cleaned);
        }
        g.setCursor(sel.row, sel.col);
        g.body()->setRangeSelected(QTableWidgetSelectionRange(sel.row - kHead, sel.col,
                                                              qMax(sel.row, sel.endRow) - kHead, sel.col), true);
        g.editCurrentCell();
        if (auto *editor = qobject_cast<QLineEdit *>(g.body()->focusWidget()))
            editor->setText(field.left(editor->maxLength()));
        return 0;
    });
    core::mainform::setCommand(QStringLiteral("mnuEditLinePaste_Click"), [&g] {
        const GridSelection sel = selectionOf(g);
        if (!linePasteAllowed(sel))
            return 1;
        const bool pasted = LinePasteFromClip(*cells, QGuiApplication::clipboard()->text(), sel.row, sel.col);
        g.body()->setFocus();
        g.setCursor(sel.row, sel.col);
        return pasted ? 0 : 1;
    });
}

} // namespace positions
