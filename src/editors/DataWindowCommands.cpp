#include "editors/DataWindowCommands.h"

#include "tables/GrpTable.h"
#include "tables/SmTable.h"
#include "editors/frmGrp.h"
#include "editors/frmSqMcr.h"

namespace editors {

void registerDataWindowCommands()
{
    registerGrpWindowCommands();
    registerSqMcrWindowCommands();
}

void initGrpSmTables()
{
    tables::initGrpData();
    ClearSqMcrData();
}

} // namespace editors
