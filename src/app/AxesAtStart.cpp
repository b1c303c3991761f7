#include "app/AxesAtStart.h"

#include "tables/DevSetting.h"
#include "tables/ParaSet.h"

namespace app::startup {

void resetAxesForStart()
{
    ClearParaArrays();
    for (int a = 0; a < kAxisCount; ++a) {
        gDevIsQz[a] = true;
        gDevFamily[a] = QStringLiteral("QZ");
        gAxisUnused[a] = false;
        gAxisNewType[a] = true;
        gDevSetteiNewType[a] = true;
    }
}

} // namespace app::startup
