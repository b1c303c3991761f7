#pragma once

#include "tables/GridCells.h"

#include <QList>
#include <QStringList>

// Grid cells held in memory: the two heading rows and the given number of position rows.
class MemoryGrid : public tables::GridCells
{
public:
    explicit MemoryGrid(int rows = tables::kGridHeadingRows);

    int rows() const override { return int(m_cells.size()); }
    QString text(int row, int col) const override;
    void setText(int row, int col, const QString &text) override;
    void insertRow(int row) override;
    void removeRow(int row) override;

    void setRows(int rows);
    QStringList row(int r) const { return m_cells.value(r); }

private:
    QList<QStringList> m_cells;
};
