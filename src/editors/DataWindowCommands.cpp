#include "editors/DataWindowCommands.h"

#include "editors/GrpTable.h"
#include "editors/SmTable.h"
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
    initGrpData();
    ClearSqMcrData();
}

} // namespace editors
