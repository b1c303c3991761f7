#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The group switches of the main window's commands: which controls each switch sets, and to
// what. Controls are named as the main window names its objects (toolbar buttons "tb" + key,
// menu titles by their menu's name). Each switch sets its list unconditionally; the state
// lives in the controls, so the last switch wins and nothing nests.
// The clipboard flags the edit commands' switch reads; the position editing sets them and
// the position table's reset clears them.
extern bool gClipLineOk;      // the clipboard holds whole lines: line paste possible
extern bool gClipCellOk;      // the clipboard holds cells or lines: cell paste possible

namespace core::cmdswitch {

enum class Group {
    CMDBTN_Muko,
    ToolBar_Muko,
    CMDBTN_Yuko,
    ToolBar_Yuko,
    Menyu_Muko,
    Menyu_Yuko,
    MenuFunction_Muko,
    MenuFunction_Yuko,
    EditCMD_Muko,
    SetEditCmdState
};

struct Switch
{
    QString control;
    bool on = false;
};

// The settings of one switch; SetEditCmdState reads the clipboard flags.
QList<Switch> switchesOf(Group group, bool clipLineOk = false, bool clipCellOk = false);

// Every control some switch sets, in a fixed order.
QStringList switchedControls();

// The toolbar in order: 15 keys, an empty key for each of the 7 separators.
QStringList toolbarKeys();

} // namespace core::cmdswitch
