#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QTableView;
class QTableWidget;
class QTableWidgetItem;

namespace platform {

// An editable grid with fixed heading rows above a scrolling body, addressed as one table:
// rows 0 .. headingRows-1 are the headings, the rows below hold the data, and column 0 is a
// fixed number column that is never edited. The headings stay in view while the body
// scrolls; they follow it sideways, and the number column stays in view beside both.
class FixedGrid : public QWidget
{
    Q_OBJECT

public:
    FixedGrid(int headingRows, int columns, QWidget *parent = nullptr);

    int headingRows() const { return m_headingRows; }
    int rows() const;
    void setRows(int rows); // never fewer than the heading rows
    int cols() const { return m_cols; }

    QString text(int row, int col) const;
    void setText(int row, int col, const QString &text);
    // An invalid colour gives the cell the desktop's own base colour back.
    QColor background(int row, int col) const;
    void setBackground(int row, int col, const QColor &colour);

    // Neighbouring cells of a heading row with the same text share one cell.
    void setMergeRow(int headingRow, bool merge);
    // The span of the merged cell that starts at (row, col); 1 when it is not merged.
    int mergedSpan(int row, int col) const;
    void setRowPointSize(int headingRow, int points);

    void setRowHeight(int row, int px);
    int rowHeight(int row) const;
    void setBodyRowHeight(int px); // every data row
    void setColumnWidth(int col, int px);
    int columnWidth(int col) const;
    void setColumnAlignment(int col, Qt::Alignment alignment);

    // The cursor: (0, 0) means no data cell is current.
    int row() const { return m_row; }
    int col() const { return m_col; }
    void setCursor(int row, int col);

    // While redrawing is off, changes to the body are kept but not painted; the headings stay
    // painted and merge again when redrawing comes back.
    void setRedraw(bool on);
    bool redraw() const { return m_redraw; }
    void setScrollBars(bool on);
    bool scrollBars() const { return m_scrollBars; }

    // Opens the editor of the current data cell (column 0 and heading rows never edit).
    void editCurrentCell();

    // The width of the visible area for the columns, in pixels.
    int viewportWidth() const;

    QTableWidget *body() const { return m_body; }
    QTableWidget *heading() const { return m_head; }

Q_SIGNALS:
    // A mouse press on a body cell, the number column's included.
    void cellPressed(int row, int col);
    void cellDoubleClicked(int row, int col);
    void cursorMoved(int row, int col);
    // The body's visible area may have changed (window resized, a scroll bar or the number
    // column came or went).
    void viewportResized();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTableWidgetItem *itemAt(int row, int col, bool create);
    void remerge(int headingRow);
    void fitHeading();
    void placeNumbers();

    QTableWidget *m_head = nullptr;
    QTableWidget *m_body = nullptr;
    // Column 0 of each table drawn by a view of its own in the table's left margin, so that
    // it does not scroll sideways; the tables' own column 0 is hidden.
    QTableView *m_headNumbers = nullptr;
    QTableView *m_bodyNumbers = nullptr;
    int m_numberWidth = 0;
    int m_headingRows = 0;
    int m_cols = 0;
    int m_row = 0;
    int m_col = 0;
    bool m_redraw = true;
    bool m_scrollBars = true;
    bool m_filling = false;
    QVector<bool> m_merge;
    QVector<bool> m_mergeDirty;
    QVector<Qt::Alignment> m_align;
};

} // namespace platform
