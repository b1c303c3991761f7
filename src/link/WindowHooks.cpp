#include "link/WindowHooks.h"

namespace link {

namespace {
MainWindowCommands g_noMainWindow;
MoveWindowHooks g_noMoveWindow;
IoMonitorHooks g_noIoMonitor;
MainWindowCommands *g_mainWindow = nullptr;
MoveWindowHooks *g_moveWindow = nullptr;
IoMonitorHooks *g_ioMonitor = nullptr;
TransferProgress *g_progress = nullptr;
} // namespace

MainWindowCommands &mainWindowCommands()
{
    return g_mainWindow ? *g_mainWindow : g_noMainWindow;
}

void setMainWindowCommands(MainWindowCommands *commands)
{
    g_mainWindow = commands;
}

MoveWindowHooks &moveWindowHooks()
{
    return g_moveWindow ? *g_moveWindow : g_noMoveWindow;
}

void setMoveWindowHooks(MoveWindowHooks *hooks)
{
    g_moveWindow = hooks;
}

IoMonitorHooks &ioMonitorHooks()
{
    return g_ioMonitor ? *g_ioMonitor : g_noIoMonitor;
}

void setIoMonitorHooks(IoMonitorHooks *hooks)
{
    g_ioMonitor = hooks;
}

TransferProgress &transferProgress()
{
    return g_progress ? *g_progress : defaultTransferProgress();
}

void setTransferProgress(TransferProgress *progress)
{
    g_progress = progress;
}

void enableMainCommands()
{
    MainWindowCommands &main = mainWindowCommands();
    main.CMDBTN_Yuko();
    main.ToolBar_Yuko();
    main.Menyu_Yuko();
}

void resetWindowHooks()
{
    g_mainWindow = nullptr;
    g_moveWindow = nullptr;
    g_ioMonitor = nullptr;
    g_progress = nullptr;
}

} // namespace link
