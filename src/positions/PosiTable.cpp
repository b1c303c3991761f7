#include "positions/PosiTable.h"

double gPosiTable[kPosiRows][8] = {};
int gPosiNoFrom = 0;
int gPosiNoTo = 0;

namespace positions {

void resetPosiTable()
{
    for (auto &row : gPosiTable)
        for (double &cell : row)
            cell = 0;
    gPosiNoFrom = 0;
    gPosiNoTo = 0;
}

} // namespace positions
