#pragma once

#include <QString>

// The windows that the controller commands and transfers touch (the main window's command
// switches, the test-move window, the input/output monitor) are reached through these small
// interfaces. Each window registers its implementation while it exists; until then the
// default implementation does nothing, so the link works, and is tested, without windows.
namespace link {

// The main window's command groups.
class MainWindowCommands
{
public:
    virtual ~MainWindowCommands() = default;
    virtual void CMDBTN_Yuko() {}
    virtual void ToolBar_Yuko() {}
    virtual void Menyu_Yuko() {}
    virtual void MenuFunction_Yuko() {}
    // The alarm-reset button cmdReset made available.
    virtual void enableResetButton() {}
};

// The test-move window, as far as the home move needs it.
class MoveWindowHooks
{
public:
    virtual ~MoveWindowHooks() = default;
    // The two output lamps from bits 0 and 1 of the value (0 to 3; others change nothing).
    virtual void MoveStateHyoji(int value) { Q_UNUSED(value); }
    virtual void MoveCMDBTN_Yuko() {}
    // The label lblkanryoNo of the position reached.
    virtual void setReachedPosition(const QString &text) { Q_UNUSED(text); }
    // chkTimerUse made available, and txtTimer too when the box is ticked.
    virtual void enableDwellControls() {}
};

// The input/output monitor's public flags.
class IoMonitorHooks
{
public:
    virtual ~IoMonitorHooks() = default;
    // The read-under-way flag, set by the monitor's cycle before a read.
    virtual void clearReadFlag() {}
    // OutputHenkoAri: an output toggle is pending.
    virtual void clearOutputPending() {}
};

// The progress window beside a transfer (frmTrance). Closing a window that is not open does
// nothing. The default implementation shows the real window.
class TransferProgress
{
public:
    virtual ~TransferProgress() = default;
    // Shows the window with the caption of message `captionId` and a bar of `maximum` steps;
    // the Cancel button follows gTranceCancelable.
    virtual void open(int captionId, int maximum) { Q_UNUSED(captionId); Q_UNUSED(maximum); }
    virtual void setValue(int value) { Q_UNUSED(value); }
    virtual void close() {}
};

// The registered implementation, or one that does nothing. Passing nullptr unregisters.
MainWindowCommands &mainWindowCommands();
void setMainWindowCommands(MainWindowCommands *commands);
MoveWindowHooks &moveWindowHooks();
void setMoveWindowHooks(MoveWindowHooks *hooks);
IoMonitorHooks &ioMonitorHooks();
void setIoMonitorHooks(IoMonitorHooks *hooks);

// The registered progress window, or the real one (defaultTransferProgress).
TransferProgress &transferProgress();
void setTransferProgress(TransferProgress *progress);
TransferProgress &defaultTransferProgress();

// The main window's command buttons, toolbar and menus all made available.
void enableMainCommands();

// Drops every registration (tests).
void resetWindowHooks();

} // namespace link
