#include "tables/PosiDataCheck.h"

#include "core/AppSettings.h"
#include "core/MainForm.h"
#include "core/Module2Calc.h"
#include "tables/GridCells.h"
#include "tables/PosiTable.h"
#include "tables/SyogoKekka.h"

#include <QDebug>
#include <cmath>
#include <limits>
#include <optional>

namespace tables {

namespace {

GridCells *g_grid = nullptr;
std::function<void()> g_showResult;

// A cell's number for the range rules: rounded half to even; nullopt when it does not fit
// the column's integer type, which makes it out of range like any other bad value.
std::optional<qint64> roundedIn(double v, qint64 min, qint64 max)
{
    const double r = core::calc::roundHalfEven(v);
    if (!std::isfinite(r) || r < double(min) || r > double(max))
        return std::nullopt;
    return qint64(r);
}

constexpr qint64 kInt16Min = -32768;
constexpr qint64 kInt16Max = 32767;
constexpr qint64 kInt32Min = std::numeric_limits<qint32>::min();
constexpr qint64 kInt32Max = std::numeric_limits<qint32>::max();
constexpr qint64 kPulseMax = 262143;

struct RowValues
{
    qint64 whole[19] = {}; // table columns 0 to 18, as checked
    double posi[4] = {};   // the Posi cells as typed (mm keeps its decimals)
};

void flag(int p, int c)
{
    gPosiCellFlag[p][c] = true;
    gPosiCellFlag[p][kColComment] = true;
}

// Reads and checks one position row; flags what fails.
void checkRow(const GridCells &grid, int r, int p, const AxisInfo (&axes)[4], bool mm, RowValues &out)
{
    auto readCell = [&](int c, qint64 min, qint64 max, bool isInt32) {
        // A cell that is not wholly a number of its column (empty, blanks, "12abc", "1,5") is an
        // error: it would reach the controller and the file as another number.
        const std::optional<double> number = cellNumber(c + 1, mm, grid.text(r, c + 1));
        if (!number) {
            flag(p, c);
            return;
        }
        const double v = *number;
        if (c < 16 && cellKind(c + 1) == CellKind::Posi) {
            // Millimetres are stored as typed: a negative value that rounds to 0 would still
            // give negative pulses.
            if (mm && v < 0) {
                flag(p, c);
                return;
            }
            out.posi[c / 4] = v;
        }
        const auto n = roundedIn(v, isInt32 ? kInt32Min : kInt16Min, isInt32 ? kInt32Max : kInt16Max);
        if (!n || *n < min || *n > max) {
            flag(p, c);
            return;
        }
        out.whole[c] = *n;
    };

    for (int a = 0; a < 4; ++a) {
        const int c0 = 4 * a;
        if (!axes[a].used) {
            out.whole[c0] = 30;
            out.whole[c0 + 1] = 3;
            out.whole[c0 + 2] = 0;
            out.whole[c0 + 3] = 0;
            out.posi[a] = 0;
            continue;
        }
        readCell(c0, 1, 60, false);
        readCell(c0 + 1, 1, accMax(axes[a]), false);
        readCell(c0 + 2, 0, 3, false);
        readCell(c0 + 3, 0, mm ? qint64(axes[a].devStroke) : kPulseMax, true);
    }
    readCell(kColItpl, 0, 1, false);
    readCell(kColOut, 0, 3, false);
    readCell(kColSm, 0, 20, false);
    // A comment the file cannot hold would make every save fail.
    if (holdsUnstorable(grid.text(r, kColComment + 1)))
        flag(p, kColComment);
}

void copyRow(const GridCells &grid, int r, int p, const AxisInfo (&axes)[4], bool mm, const RowValues &v)
{
    for (int a = 0; a < 4; ++a) {
        const int c0 = 4 * a;
        gPosiFileTable[p][c0] = int(v.whole[c0]);
        gPosiFileTable[p][c0 + 1] = int(v.whole[c0 + 1]);
        gPosiFileTable[p][c0 + 2] = int(v.whole[c0 + 2]);
        double pulses = 0;
        double mmValue = 0;
        if (axes[a].used) {
            if (mm) {
                mmValue = v.posi[a];
                pulses = MmToPulse(axes[a].lead, axes[a].ppr, mmValue).value_or(0);
            } else {
                pulses = double(v.whole[c0 + 3]);
                mmValue = PulseToMm(axes[a].lead, axes[a].ppr, pulses).value_or(0);
            }
        }
        gPosiTable[p][a] = pulses;
        gPosiTable[p][a + 4] = mmValue;
        gPosiFileTable[p][c0 + 3] = pulses;
    }
    gPosiFileTable[p][kColItpl] = int(v.whole[kColItpl]);
    gPosiFileTable[p][kColOut] = int(v.whole[kColOut]);
    gPosiFileTable[p][kColSm] = int(v.whole[kColSm]);
    gPosiFileTable[p][kColComment] = grid.text(r, kColComment + 1);
}

} // namespace

void setCheckGrid(GridCells *grid)
{
    g_grid = grid;
}

GridCells *checkGrid()
{
    return g_grid;
}

void setCheckResultWindow(std::function<void()> show)
{
    g_showResult = std::move(show);
}

int checkPosiGrid(const GridCells &grid, const AxisInfo (&axes)[4], bool mm)
{
    ClearCellFlags();
    for (bool &f : gPosiLineFlag)
        f = false;
    gPosiNgCount = 0;

    if (grid.rows() <= kGridHeadingRows) {
        gPosiNoDefFrom = 0;
        gPosiNoDefTo = 0;
    }
    if (gPosiNoDefFrom == 0 && gPosiNoDefTo == 0)
        return 2;

    const int from = gPosiNoFrom;
    const int to = gPosiNoTo;
    QList<RowValues> values;
    for (int p = from; p <= to; ++p) {
        const int r = p - gPosiNoDefFrom + kGridHeadingRows;
        if (p < 1 || p > kPosiMax || r < kGridHeadingRows || r >= grid.rows()) {
            qWarning() << "position check: position" << p << "is not in the grid";
            return 1;
        }
        RowValues v;
        checkRow(grid, r, p, axes, mm, v);
        if (gPosiCellFlag[p][kColComment]) {
            gPosiLineFlag[p - 1] = true;
            ++gPosiNgCount;
        }
        values.append(v);
    }
    if (gPosiNgCount > 0)
        return 1;

    for (int p = from; p <= to; ++p)
        copyRow(grid, p - gPosiNoDefFrom + kGridHeadingRows, p, axes, mm, values[p - from]);
    return 0;
}

} // namespace tables

int PosiDataCheck3()
{
    using namespace tables;
    AxisInfo axes[4];
    for (int a = 0; a < 4; ++a)
        axes[a] = axisInfo(a);
    GridCells *grid = checkGrid();
    if (!grid) {
        gPosiNoDefFrom = 0;
        gPosiNoDefTo = 0;
        return 2;
    }
    // An empty grid is answered without touching it.
    const bool empty = grid->rows() <= kGridHeadingRows || (gPosiNoDefFrom == 0 && gPosiNoDefTo == 0);
    int result = 2;
    if (empty) {
        result = checkPosiGrid(*grid, axes, gDispMmUnit);
    } else {
        // The grid is hidden while it is read cell by cell and shown again, redrawn, on every
        // way out, before the result window.
        struct HiddenGrid
        {
            HiddenGrid()
            {
                if (MainFormPort *form = core::mainform::form())
                    form->setGridRedraw(false);
                GridStateOff();
            }
            ~HiddenGrid()
            {
                GridCursorTop();
                GridStateOn();
                if (MainFormPort *form = core::mainform::form())
                    form->setGridRedraw(true);
            }
        } hidden;
        result = checkPosiGrid(*grid, axes, gDispMmUnit);
    }
    if (result == 0)
        GridCursorTop();
    if (result == 1 && gPosiNgCount > 0) {
        gResultIsVerify = false;
        if (g_showResult)
            g_showResult();
        ClearCellFlags();
        gPosiNgCount = 0;
    }
    return result;
}
