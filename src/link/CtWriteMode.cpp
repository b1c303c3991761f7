#include "link/CtWriteMode.h"
#include "link/OnlineMode.h"

#include "core/Messages.h"
#include "link/CommandSet.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"

namespace link {

bool enterCtWriteMode()
{
    leaveOfflineForExchange();
    int ready = 0;
    const auto readStatus = [&ready] {
        ready = ReadCtRAStatus();
        return ready == -1 ? 1 : 0;
    };
    if (runStepOrTell(readStatus, LoadResText(377)) != 0)
        return false;
    if (ready == 0) {
        platform::msgBox(LoadResText(424));
        return false;
    }
    const auto openMode = [] {
        int mode = 1;
        const int opened = SetCtCommMode(0, mode);
        gTusinNow = false;
        // The controller may have taken the command and answered too late, or not at all:
        // it is asked back into its plain mode, once and without a box of its own.
        if (opened != 0)
            link::leaveTransferModeSilently();
        return opened;
    };
    return runStepOrTell(openMode, LoadResText(377)) == 0;
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

QStringList cutWriteLines(const QStringList &linkTold, int ownMessage)
{
    QStringList lines = linkTold;
    if (lines.isEmpty())
        lines << LoadResText(ownMessage);
    lines << LoadResText(3022);
    return lines;
}

void tellCutWrite(const QStringList &linkTold, int ownMessage)
{
    platform::msgBox(cutWriteLines(linkTold, ownMessage).join(QStringLiteral("\r\n")));
}

} // namespace link
