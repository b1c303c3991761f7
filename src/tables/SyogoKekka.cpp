#include "tables/SyogoKekka.h"

#include "tables/PosiTable.h"

#include <cmath>

int gPosiNgCount = 0;
bool gResultIsVerify = false;

namespace tables {

QList<ResultLine> resultLines()
{
    QList<ResultLine> lines;
    for (int p = qMax(gPosiNoFrom, 1); p <= kPosiMax; ++p) {
        if (!gPosiCellFlag[p][kColComment])
            continue;
        ResultLine line;
        line.position = p;
        for (int c = 0; c < 19; ++c)
            line.cell[c] = gPosiCellFlag[p][c];
        lines.append(line);
    }
    return lines;
}

QList<int> resultColumnWidths(int gridWidthTwips, const bool (&axisUnused)[4])
{
    int shown = 20;
    for (bool unused : axisUnused)
        if (unused)
            shown -= 4;
    const int each = int(std::lround(double(gridWidthTwips - 160) / double(shown)));
    QList<int> widths;
    for (int c = 0; c < 20; ++c) {
        const bool hidden = c >= 1 && c <= 16 && axisUnused[(c - 1) / 4];
        widths << (hidden ? 0 : each);
    }
    return widths;
}

void resetResultState()
{
    gPosiNgCount = 0;
    gResultIsVerify = false;
}

} // namespace tables
