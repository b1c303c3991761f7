#include "platform/FixedGrid.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace platform {

namespace {

// The view of a table's column 0 alone, laid over the table's row header, which keeps the
// room for it (the header itself shows nothing that stays visible).
QTableView *numberView(QTableWidget *table)
{
    table->verticalHeader()->setFixedWidth(0);
    table->verticalHeader()->show();
    auto *v = new QTableView(table);
    v->setModel(table->model());
    v->setSelectionModel(table->selectionModel());
    v->horizontalHeader()->hide();
    v->verticalHeader()->hide();
    v->horizontalHeader()->setMinimumSectionSize(8);
    v->verticalHeader()->setMinimumSectionSize(8);
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->setFrameShape(QFrame::NoFrame);
    v->setFocusPolicy(Qt::NoFocus);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setWordWrap(false);
    v->setAccessibleName(table->accessibleName());
    for (int c = 1; c < table->columnCount(); ++c)
        v->setColumnHidden(c, true);
    table->setColumnHidden(0, true);
    return v;
}

void plainTable(QTableWidget *t)
{
    t->horizontalHeader()->hide();
    t->verticalHeader()->hide();
    t->horizontalHeader()->setMinimumSectionSize(8);
    t->verticalHeader()->setMinimumSectionSize(8);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setSelectionBehavior(QAbstractItemView::SelectItems);
    t->setWordWrap(false);
}

} // namespace

FixedGrid::FixedGrid(int headingRows, int columns, QWidget *parent)
    : QWidget(parent)
    , m_head(new QTableWidget(headingRows, columns, this))
    , m_body(new QTableWidget(0, columns, this))
    , m_headingRows(headingRows)
    , m_cols(columns)
    , m_merge(headingRows, false)
    , m_mergeDirty(headingRows, false)
    , m_align(columns, Qt::AlignCenter)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The heading keeps the room of the body's scroll bar so the columns stay aligned.
    auto *headRow = new QHBoxLayout;
    headRow->setContentsMargins(0, 0, 0, 0);
    headRow->setSpacing(0);
    headRow->addWidget(m_head, 1);
    headRow->addSpacing(m_body->verticalScrollBar()->sizeHint().width());
    layout->addLayout(headRow);
    layout->addWidget(m_body, 1);

    plainTable(m_head);
    plainTable(m_body);
    m_head->setFocusPolicy(Qt::NoFocus);
    m_head->setSelectionMode(QAbstractItemView::NoSelection);
    m_head->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_head->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_head->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_head->setBackgroundRole(QPalette::Button);
    m_head->setStyleSheet(QStringLiteral("QTableWidget { background: palette(button); }"));
    m_body->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    QSizePolicy keep = sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    setSizePolicy(keep);

    connect(m_body->horizontalScrollBar(), &QScrollBar::valueChanged,
            m_head->horizontalScrollBar(), &QScrollBar::setValue);

    m_headNumbers = numberView(m_head);
    m_headNumbers->setSelectionMode(QAbstractItemView::NoSelection);
    m_headNumbers->setStyleSheet(QStringLiteral("QTableView { background: palette(button); }"));
    m_bodyNumbers = numberView(m_body);
    connect(m_body->verticalScrollBar(), &QScrollBar::valueChanged,
            m_bodyNumbers->verticalScrollBar(), &QScrollBar::setValue);
    connect(m_bodyNumbers->verticalScrollBar(), &QScrollBar::valueChanged,
            m_body->verticalScrollBar(), &QScrollBar::setValue);
    connect(m_bodyNumbers, &QTableView::pressed, this, [this](const QModelIndex &index) {
        m_body->setFocus(Qt::MouseFocusReason);
        Q_EMIT cellPressed(index.row() + m_headingRows, index.column());
    });
    connect(m_bodyNumbers, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        Q_EMIT cellDoubleClicked(index.row() + m_headingRows, index.column());
    });
    connect(m_body, &QTableWidget::cellPressed, this, [this](int r, int c) {
        Q_EMIT cellPressed(r + m_headingRows, c);
    });
    // The number view keeps the rows in step with the body and takes the body's selection
    // rules at each press.
    m_bodyNumbers->viewport()->installEventFilter(this);
    m_body->viewport()->installEventFilter(this);
    m_body->verticalHeader()->installEventFilter(this);
    m_head->verticalHeader()->installEventFilter(this);
    connect(m_body->verticalHeader(), &QHeaderView::sectionResized, this, [this](int r, int, int size) {
        m_bodyNumbers->setRowHeight(r, size);
    });
    connect(m_body, &QTableWidget::cellDoubleClicked, this, [this](int r, int c) {
        Q_EMIT cellDoubleClicked(r + m_headingRows, c);
    });
    connect(m_body, &QTableWidget::currentCellChanged, this, [this](int r, int c, int, int) {
        if (m_filling || r < 0 || c < 0)
            return;
        m_row = r + m_headingRows;
        m_col = c;
        Q_EMIT cursorMoved(m_row, m_col);
    });
    fitHeading();
}

int FixedGrid::rows() const
{
    return m_headingRows + m_body->rowCount();
}

void FixedGrid::setRows(int rows)
{
    m_filling = true;
    m_body->setRowCount(qMax(rows - m_headingRows, 0));
    m_filling = false;
    if (m_row >= this->rows()) {
        m_row = 0;
        m_col = 0;
    }
}

QTableWidgetItem *FixedGrid::itemAt(int row, int col, bool create)
{
    if (row < 0 || col < 0 || col >= m_cols || row >= rows())
        return nullptr;
    QTableWidget *t = row < m_headingRows ? m_head : m_body;
    const int r = row < m_headingRows ? row : row - m_headingRows;
    QTableWidgetItem *item = t->item(r, col);
    if (!item && create) {
        item = new QTableWidgetItem;
        item->setTextAlignment(m_align.at(col));
        Qt::ItemFlags flags = Qt::ItemIsEnabled;
        if (t == m_body) {
            flags |= Qt::ItemIsSelectable;
            if (col > 0)
                flags |= Qt::ItemIsEditable;
        }
        item->setFlags(flags);
        if (t == m_body && col == 0)
            item->setBackground(palette().button());
        if (t == m_head)
            item->setTextAlignment(Qt::AlignCenter);
        t->setItem(r, col, item);
    }
    return item;
}

QString FixedGrid::text(int row, int col) const
{
    auto *self = const_cast<FixedGrid *>(this);
    const QTableWidgetItem *item = self->itemAt(row, col, false);
    return item ? item->text() : QString();
}

void FixedGrid::setText(int row, int col, const QString &text)
{
    m_filling = true;
    if (QTableWidgetItem *item = itemAt(row, col, true)) {
        if (item->text() != text)
            item->setText(text);
    }
    m_filling = false;
    if (row < m_headingRows && m_merge.at(row)) {
        if (m_redraw)
            remerge(row);
        else
            m_mergeDirty[row] = true;
    }
}

QColor FixedGrid::background(int row, int col) const
{
    auto *self = const_cast<FixedGrid *>(this);
    const QTableWidgetItem *item = self->itemAt(row, col, false);
    if (!item)
        return QColor();
    const QVariant v = item->data(Qt::BackgroundRole);
    if (!v.isValid())
        return QColor();
    return v.value<QBrush>().color();
}

void FixedGrid::setBackground(int row, int col, const QColor &colour)
{
    m_filling = true;
    if (QTableWidgetItem *item = itemAt(row, col, true)) {
        if (colour.isValid())
            item->setData(Qt::BackgroundRole, QBrush(colour));
        else
            item->setData(Qt::BackgroundRole, QVariant());
    }
    m_filling = false;
}

void FixedGrid::setMergeRow(int headingRow, bool merge)
{
    if (headingRow < 0 || headingRow >= m_headingRows)
        return;
    m_merge[headingRow] = merge;
    remerge(headingRow);
}

void FixedGrid::remerge(int headingRow)
{
    m_mergeDirty[headingRow] = false;
    // Clearing one row's spans means clearing all of them; the other rows are set again.
    m_head->clearSpans();
    for (int r = 0; r < m_headingRows; ++r) {
        if (!m_merge.at(r))
            continue;
        int c = 0;
        while (c < m_cols) {
            const QString t = text(r, c);
            int end = c + 1;
            while (end < m_cols && text(r, end) == t)
                ++end;
            if (end - c > 1)
                m_head->setSpan(r, c, 1, end - c);
            c = end;
        }
    }
}

int FixedGrid::mergedSpan(int row, int col) const
{
    if (row < 0 || row >= m_headingRows)
        return 1;
    return m_head->columnSpan(row, col);
}

void FixedGrid::setRowPointSize(int headingRow, int points)
{
    for (int c = 0; c < m_cols; ++c) {
        if (QTableWidgetItem *item = itemAt(headingRow, c, true)) {
            QFont f = item->font();
            f.setPointSize(points);
            item->setFont(f);
        }
    }
}

void FixedGrid::setRowHeight(int row, int px)
{
    if (row < m_headingRows) {
        m_head->setRowHeight(row, px);
        m_headNumbers->setRowHeight(row, px);
        fitHeading();
    } else if (row < rows()) {
        m_body->setRowHeight(row - m_headingRows, px);
    }
}

int FixedGrid::rowHeight(int row) const
{
    if (row < m_headingRows)
        return m_head->rowHeight(row);
    return m_body->rowHeight(row - m_headingRows);
}

void FixedGrid::setBodyRowHeight(int px)
{
    m_body->verticalHeader()->setDefaultSectionSize(px);
    m_bodyNumbers->verticalHeader()->setDefaultSectionSize(px);
}

void FixedGrid::setColumnWidth(int col, int px)
{
    if (col == 0) {
        m_numberWidth = px;
        m_headNumbers->setColumnWidth(0, px);
        m_bodyNumbers->setColumnWidth(0, px);
        m_head->verticalHeader()->setFixedWidth(px);
        m_body->verticalHeader()->setFixedWidth(px);
        placeNumbers();
        return;
    }
    m_head->setColumnWidth(col, px);
    m_body->setColumnWidth(col, px);
}

int FixedGrid::columnWidth(int col) const
{
    return col == 0 ? m_numberWidth : m_body->columnWidth(col);
}

void FixedGrid::setColumnAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= m_cols)
        return;
    m_align[col] = alignment;
    for (int r = 0; r < m_body->rowCount(); ++r) {
        if (QTableWidgetItem *item = m_body->item(r, col))
            item->setTextAlignment(alignment);
    }
}

void FixedGrid::setCursor(int row, int col)
{
    m_filling = true;
    if (row < m_headingRows) {
        m_body->setCurrentCell(-1, -1);
        m_body->clearSelection();
        m_body->scrollToTop();
        m_body->horizontalScrollBar()->setValue(0);
    } else if (row < rows()) {
        m_body->setCurrentCell(row - m_headingRows, col);
        // The start of a line shows its number too, which scrolls along with the columns.
        if (col <= 1)
            m_body->horizontalScrollBar()->setValue(0);
    }
    m_filling = false;
    m_row = row;
    m_col = col;
}

void FixedGrid::setRedraw(bool on)
{
    m_redraw = on;
    // Only the body stops painting: headings with painting off would be left blank behind
    // every window an operation opens meanwhile, and their text changes are few (merging
    // waits for redrawing to come back).
    m_body->setUpdatesEnabled(on);
    if (on) {
        for (int r = 0; r < m_headingRows; ++r) {
            if (m_mergeDirty.at(r))
                remerge(r);
        }
        m_body->viewport()->update();
        m_head->viewport()->update();
    }
}

void FixedGrid::setScrollBars(bool on)
{
    m_scrollBars = on;
    m_body->setHorizontalScrollBarPolicy(on ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_body->setVerticalScrollBarPolicy(on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void FixedGrid::editCurrentCell()
{
    if (m_row < m_headingRows || m_col < 1)
        return;
    if (QTableWidgetItem *item = itemAt(m_row, m_col, true))
        m_body->editItem(item);
}

int FixedGrid::viewportWidth() const
{
    return m_body->viewport()->width() + m_numberWidth;
}

void FixedGrid::fitHeading()
{
    int h = 2 * m_head->frameWidth();
    for (int r = 0; r < m_headingRows; ++r)
        h += m_head->rowHeight(r);
    m_head->setFixedHeight(h);
}

void FixedGrid::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitHeading();
    placeNumbers();
}

void FixedGrid::placeNumbers()
{
    for (QTableWidget *t : {m_head, m_body}) {
        QTableView *numbers = t == m_head ? m_headNumbers : m_bodyNumbers;
        numbers->setGeometry(t->verticalHeader()->geometry());
        numbers->raise();
    }
}

bool FixedGrid::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_body->verticalHeader() || watched == m_head->verticalHeader())
        && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        placeNumbers();
        Q_EMIT viewportResized();
    }
    else if (watched == m_bodyNumbers->viewport() && event->type() == QEvent::MouseButtonPress)
        m_bodyNumbers->setSelectionMode(m_body->selectionMode());
    else if (watched == m_body->viewport() && event->type() == QEvent::Resize)
        Q_EMIT viewportResized();
    return QWidget::eventFilter(watched, event);
}

} // namespace platform
