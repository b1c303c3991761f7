#include "support/MemoryGrid.h"

namespace {
QStringList blankRow()
{
    QStringList r;
    for (int c = 0; c < tables::kGridColumns; ++c)
        r << QString();
    return r;
}
} // namespace

MemoryGrid::MemoryGrid(int rows)
{
    setRows(rows);
}

void MemoryGrid::setRows(int rows)
{
    while (m_cells.size() > rows)
        m_cells.removeLast();
    while (m_cells.size() < rows)
        m_cells.append(blankRow());
}

QString MemoryGrid::text(int row, int col) const
{
    if (row < 0 || row >= m_cells.size() || col < 0 || col >= tables::kGridColumns)
        return QString();
    return m_cells[row][col];
}

void MemoryGrid::setText(int row, int col, const QString &text)
{
    if (row < 0 || row >= m_cells.size() || col < 0 || col >= tables::kGridColumns)
        return;
    m_cells[row][col] = text;
}

void MemoryGrid::insertRow(int row)
{
    m_cells.insert(qBound(0, row, int(m_cells.size())), blankRow());
}

void MemoryGrid::removeRow(int row)
{
    if (row >= 0 && row < m_cells.size())
        m_cells.removeAt(row);
}
