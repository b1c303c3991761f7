#include "editors/CtWriteMode.h"

#include "core/Messages.h"
#include "link/CommandSet.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"

namespace editors {

bool enterCtWriteMode()
{
    const link::TellWatch watch;
    gOfflineMode = false;
    const int ready = ReadCtRAStatus();
    if (ready == -1) {
        if (!watch.linkTold())
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
        if (!watch.linkTold())
            platform::msgBox(LoadResText(377));
        return false;
    }
    return true;
}

bool leaveCtWriteMode(bool written)
{
    if (!written) {
        // The link has told why the write failed: leaving the mode adds no second box.
        link::leaveTransferModeSilently();
        return true;
    }
    const link::TellWatch watch;
    int mode = 0;
    const int left = SetCtCommMode(0, mode);
    gTusinNow = false;
    return left == 0 || watch.linkTold();
}

} // namespace editors
