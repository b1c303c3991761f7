#include "core/MainForm.h"

#include <QDebug>
#include <QHash>
#include <QPointer>
#include <QWidget>

namespace {
MainFormPort *g_form = nullptr;
QPointer<QWidget> g_window;

QHash<QString, core::mainform::Command> &commands()
{
    static QHash<QString, core::mainform::Command> c;
    return c;
}

void apply(core::cmdswitch::Group group)
{
    if (!g_form)
        return;
    for (const core::cmdswitch::Switch &s : core::cmdswitch::switchesOf(group, gClipLineOk, gClipCellOk))
        g_form->setControlEnabled(s.control, s.on);
}
} // namespace

namespace core::mainform {

void registerForm(MainFormPort *form)
{
    g_form = form;
}

MainFormPort *form()
{
    return g_form;
}

void setWindow(QWidget *window)
{
    g_window = window;
}

QWidget *window()
{
    return g_window.data();
}

QWidget *shownWindow()
{
    QWidget *w = g_window.data();
    return w && w->isVisible() ? w : nullptr;
}

bool commModeRetryDue(bool offline, bool alarmNow, bool eventMsgPending, bool exchangeRunning)
{
    return !offline && !alarmNow && eventMsgPending && !exchangeRunning;
}

void setCommand(const QString &name, Command command)
{
    if (command)
        commands().insert(name, std::move(command));
    else
        commands().remove(name);
}

void clearCommands()
{
    commands().clear();
}

int runCommand(const QString &name)
{
    const auto it = commands().constFind(name);
    if (CommandRecorder::record(name, it != commands().constEnd()))
        return it != commands().constEnd() ? 0 : -1;
    if (it == commands().constEnd()) {
        qInfo().noquote() << "command not available yet:" << name;
        return -1;
    }
    // A copy, so that a command may rewire itself while it runs.
    const Command command = it.value();
    return command();
}

namespace {
CommandRecorder *g_recorder = nullptr;
}

CommandRecorder::CommandRecorder()
{
    g_recorder = this;
}

CommandRecorder::~CommandRecorder()
{
    if (g_recorder == this)
        g_recorder = nullptr;
}

bool CommandRecorder::record(const QString &name, bool wired)
{
    if (!g_recorder)
        return false;
    (wired ? g_recorder->m_wired : g_recorder->m_unknown) << name;
    return true;
}

} // namespace core::mainform

using core::cmdswitch::Group;

void CMDBTN_Muko() { apply(Group::CMDBTN_Muko); }
void ToolBar_Muko() { apply(Group::ToolBar_Muko); }
void CMDBTN_Yuko() { apply(Group::CMDBTN_Yuko); }
void ToolBar_Yuko() { apply(Group::ToolBar_Yuko); }
void Menyu_Muko() { apply(Group::Menyu_Muko); }
void Menyu_Yuko() { apply(Group::Menyu_Yuko); }
void MenuFunction_Muko() { apply(Group::MenuFunction_Muko); }
void MenuFunction_Yuko() { apply(Group::MenuFunction_Yuko); }
void EditCMD_Muko() { apply(Group::EditCMD_Muko); }
void SetEditCmdState() { apply(Group::SetEditCmdState); }

void AllCMD_Muko()
{
    CMDBTN_Muko();
    ToolBar_Muko();
    Menyu_Muko();
    EditCMD_Muko();
    if (g_form)
        g_form->setGridActive(false);
}

void AllCMD_Yuko()
{
    CMDBTN_Yuko();
    ToolBar_Yuko();
    Menyu_Yuko();
    if (g_form)
        g_form->setGridActive(true);
}

void QzDataHyoji_3()
{
    if (g_form)
        g_form->QzDataHyoji_3();
}

void DispAxisData()
{
    if (g_form)
        g_form->DispAxisData();
}

void Change_DispUnit()
{
    if (g_form)
        g_form->Change_DispUnit();
}

int Check_flgdLineNo()
{
    return g_form ? g_form->Check_flgdLineNo() : 1;
}

void GridStateOff()
{
    if (g_form)
        g_form->GridStateOff();
}

void GridStateOn()
{
    if (g_form)
        g_form->GridStateOn();
}

void GridCursorTop()
{
    if (g_form)
        g_form->GridCursorTop();
}

void lockGrid(GridCursor cursor)
{
    if (cursor == GridCursor::ToTop)
        GridCursorTop();
    if (g_form)
        g_form->setGridActive(false);
}

void unlockGrid()
{
    if (g_form)
        g_form->setGridActive(true);
}
