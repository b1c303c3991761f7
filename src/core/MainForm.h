#pragma once

#include "core/CommandSwitch.h"

#include <QString>
#include <QStringList>

class QWidget;
#include <functional>

// What the rest of the system asks of the main window. The main window registers itself
// when it loads (there is one for the whole run); without it every call below changes
// nothing and the queries answer as for an empty window, so data logic can be tested alone.
class MainFormPort
{
public:
    virtual ~MainFormPort() = default;

    virtual void setControlEnabled(const QString &control, bool on) = 0;
    // The position grid: enabled with its redrawing on, or disabled with it off.
    virtual void setGridActive(bool on) = 0;
    // The position grid's redrawing alone; its enabled state stays.
    virtual void setGridRedraw(bool on) { Q_UNUSED(on); }

    virtual void QzDataHyoji_3() = 0;
    virtual void DispAxisData() = 0;
    virtual void Change_DispUnit() = 0;
    virtual int Check_flgdLineNo() = 0;
    virtual void GridStateOff() = 0;
    virtual void GridStateOn() = 0;
    virtual void GridCursorTop() = 0;

    virtual void showFileName(const QString &name) = 0;
    // The designation label of an axis (0 to 3) and the heading of its four grid columns.
    virtual QString deviceLabel(int axis) const = 0;
    virtual void setDeviceLabel(int axis, const QString &text) = 0;
    virtual void setAxisHeading(int axis, const QString &text) = 0;

    // Paints the window and its grid again (after a print).
    virtual void repaintWindow() {}

    virtual void showHomeLamp(bool shown) = 0;
    virtual void setStatusPanel(int panel, const QString &text) = 0; // panels 1 to 5
    virtual void showAlarm(bool lamp, const QString &number, const QString &comment) = 0;
};

namespace core::mainform {

void registerForm(MainFormPort *form);
MainFormPort *form();

// The main window as the parent of the windows the subsystems open over it; null while there
// is none. The main window sets it when it is built.
void setWindow(QWidget *window);
QWidget *window();
// The main window while it is shown, as the parent and the anchor of the windows opened over
// it; null before it is shown and after it has gone.
QWidget *shownWindow();

// The status timer's third step: the communication-mode command is sent again when the
// system is online, no alarm is reported, a controller message is pending and no exchange
// runs.
bool commModeRetryDue(bool offline, bool alarmNow, bool eventMsgPending, bool exchangeRunning);

// The commands of the other subsystems that the main window's buttons, menus and toolbar
// run, by the name of the procedure or window they stand for ("OpenPosiFile", "frmGrp" ...).
// Each subsystem wires its own; a command returns 0 when it did its work.
using Command = std::function<int()>;
void setCommand(const QString &name, Command command);
// The command's result, or -1 when nothing is wired under that name.
int runCommand(const QString &name);
void clearCommands();

// While one lives, a command asked for by name is recorded instead of run: runCommand and the
// main window's own handlers note the name, wired or not, and do nothing else. Tests see
// through it which command each control reaches.
class CommandRecorder
{
public:
    CommandRecorder();
    ~CommandRecorder();
    CommandRecorder(const CommandRecorder &) = delete;
    CommandRecorder &operator=(const CommandRecorder &) = delete;

    // The names asked for that have a command, and those that have none, in order.
    QStringList wired() const { return m_wired; }
    QStringList unknown() const { return m_unknown; }

    // True when a recorder lives and has noted the name: the caller then runs nothing.
    static bool record(const QString &name, bool wired);

private:
    QStringList m_wired;
    QStringList m_unknown;
};

} // namespace core::mainform

// The group switches of the main window's commands.
void CMDBTN_Muko();
void ToolBar_Muko();
void CMDBTN_Yuko();
void ToolBar_Yuko();
void Menyu_Muko();
void Menyu_Yuko();
void MenuFunction_Muko();
void MenuFunction_Yuko();
void EditCMD_Muko();
void SetEditCmdState();
// Everything off (buttons, toolbar, menus, edit commands, then the grid with its redrawing);
// everything but the edit commands on again.
void AllCMD_Muko();
void AllCMD_Yuko();

// The position grid of the main window.
void QzDataHyoji_3();
void DispAxisData();
void Change_DispUnit();
int Check_flgdLineNo();
void GridStateOff();
void GridStateOn();
void GridCursorTop();
// The grid closed to the operator while a command works on the table (its cursor first put on
// the top row, or left where it is), and open again.
enum class GridCursor { Kept, ToTop };
void lockGrid(GridCursor cursor);
void unlockGrid();
