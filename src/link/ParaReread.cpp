#include "link/ParaReread.h"

#include "core/Messages.h"
#include "tables/ParaSet.h"
#include "link/CommandSet.h"
#include "link/Exchange.h"
#include "link/ParaTransfer.h"
#include "link/SerialLink.h"

namespace {
std::function<void()> g_axisUseHook;
}

void setParaAxisUseHook(std::function<void()> hook)
{
    g_axisUseHook = std::move(hook);
}

bool readAxisUseReported()
{
    return link::runStepOrTell(&ReadAxisUse, LoadResText(359)) == 0;
}

int GetParametaValue2()
{
    if (!readAxisUseReported())
        return 1;
    if (g_axisUseHook)
        g_axisUseHook();
    if (ReadParaFromCt() != 0) {
        CommPortClose();
        return 1;
    }
    // The table came whole from the controller; an unpacking that refuses it changes nothing.
    const int unpacked = SetParametaFromTable();
    CommPortClose();
    return unpacked == 0 ? 0 : 1;
}
