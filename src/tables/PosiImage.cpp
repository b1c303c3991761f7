#include "tables/PosiImage.h"

QVariant gPosiWork[kPosiRows][kPosiFileCols];
QString gPosiFileDev[4];
QString gPosiFileNewOld[4];

namespace tables {

void resetPosiImage()
{
    for (auto &row : gPosiWork)
        for (QVariant &cell : row)
            cell = QVariant();
    for (int a = 0; a < 4; ++a) {
        gPosiFileDev[a].clear();
        gPosiFileNewOld[a].clear();
    }
}

} // namespace tables
