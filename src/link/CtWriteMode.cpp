#include "link/CtWriteMode.h"

#include "core/Messages.h"
#include "link/CommandSet.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"

namespace link {

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
        // The controller may have taken the command and answered too late, or not at all:
        // it is asked back into its plain mode, once and without a box of its own.
        link::leaveTransferModeSilently();
        if (!watch.linkTold())
            platform::msgBox(LoadResText(377));
        return false;
    }
    return true;
}

bool leaveCtWriteMode(bool written)
{
    // After a failed write the link has told why: leaving the mode adds no second box.
    // After a complete write every record was accepted: a mode command that goes unanswered
    // does not make it a failed write.
    const bool left = link::leaveTransferModeSilently();
    if (!written || left)
        return true;
    platform::msgBox(ResLines({3020, 3021}));
    return false;
}

void tellCutWrite(const QStringList &linkTold, int ownMessage)
{
    QStringList lines = linkTold;
    if (lines.isEmpty())
        lines << LoadResText(ownMessage);
    lines << LoadResText(3022);
    platform::msgBox(lines.join(QStringLiteral("\r\n")));
}

} // namespace link
