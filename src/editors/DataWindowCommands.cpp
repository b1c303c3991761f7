#include "editors/DataWindowCommands.h"

#include "editors/frmGrp.h"

namespace editors {

void registerDataWindowCommands()
{
    registerGrpWindowCommands();
}

} // namespace editors
