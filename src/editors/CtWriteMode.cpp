#include "editors/CtWriteMode.h"

#include "core/Messages.h"
#include "link/CommandSet.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"

namespace editors {

bool enterCtWriteMode()
{
    gOfflineMode = false;
    const int ready = ReadCtRAStatus();
    if (ready == -1) {
        platform::msgBox(LoadResText(377));
        return false;
    }
    if (ready == 0) {
        platform::msgBox(LoadResText(424));
        return false;
    }
    int mode = 1;
    const int opened = SetCtCommMode(0, mode);
    gTusinNow = false;
    if (opened != 0) {
        platform::msgBox(LoadResText(377));
        return false;
    }
    return true;
}

} // namespace editors
