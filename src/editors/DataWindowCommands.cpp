#include "editors/DataWindowCommands.h"

#include "editors/frmGrp.h"
#include "editors/frmSqMcr.h"

namespace editors {

void registerDataWindowCommands()
{
    registerGrpWindowCommands();
    registerSqMcrWindowCommands();
}

} // namespace editors
