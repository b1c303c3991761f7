#include "core/CommandSwitch.h"

bool gClipLineOk = false;
bool gClipCellOk = false;

namespace core::cmdswitch {

namespace {

const QStringList &buttons12()
{
    static const QStringList l = {
        QStringLiteral("cmdPosiFileOpen"), QStringLiteral("cmdPosiSaveFile"),
        QStringLiteral("cmdPosiLoad"), QStringLiteral("cmdPosiRead"),
        QStringLiteral("cmdPosiVerify"), QStringLiteral("cmdOpenIoWin"),
        QStringLiteral("cmdOpenMoveWin"), QStringLiteral("cmdOpenGrpWindow"),
        QStringLiteral("cmdSqMcrWinOpen"), QStringLiteral("cmdParaHyoji"),
        QStringLiteral("cmdJogTeach"), QStringLiteral("cmdReset")};
    return l;
}

const QStringList &lineButtons()
{
    static const QStringList l = {QStringLiteral("cmdInsertLine"), QStringLiteral("cmdDeleteLine")};
    return l;
}

const QStringList &toolbarPlain()
{
    static const QStringList l = {
        QStringLiteral("tbNew"), QStringLiteral("tbOpen"), QStringLiteral("tbSave"),
        QStringLiteral("tbPrint"), QStringLiteral("tbRead"), QStringLiteral("tbLoad"),
        QStringLiteral("tbShogo"), QStringLiteral("tbInputOutput"), QStringLiteral("tbMoveTest"),
        QStringLiteral("tbGroup"), QStringLiteral("tbSqMacro")};
    return l;
}

const QStringList &toolbarEdit()
{
    static const QStringList l = {QStringLiteral("tbLineCopy"), QStringLiteral("tbLinePaste"),
                                  QStringLiteral("tbCellCopy"), QStringLiteral("tbCellPaste")};
    return l;
}

const QStringList &menus14()
{
    static const QStringList l = {
        QStringLiteral("mnuFileNew"), QStringLiteral("mnuFileOpen"),
        QStringLiteral("mnuFileGetfromCt"), QStringLiteral("mnuFileSave"),
        QStringLiteral("mnuFileSaveAs"), QStringLiteral("mnuFileShogo"),
        QStringLiteral("mnuFileLoadtoCt"), QStringLiteral("mnuFilePageSetup"),
        QStringLiteral("mnuFilePrint"), QStringLiteral("mnuEdit"),
        QStringLiteral("mnuFuncCtversion"), QStringLiteral("mnuFunctionCt"),
        QStringLiteral("mnuView"), QStringLiteral("mnuSettings")};
    return l;
}

const QStringList &lineMenus()
{
    static const QStringList l = {QStringLiteral("mnuEditGyoInsert"), QStringLiteral("mnuEditGyoDelete")};
    return l;
}

void add(QList<Switch> &out, const QStringList &controls, bool on)
{
    for (const QString &c : controls)
        out.append({c, on});
}

} // namespace

QList<Switch> switchesOf(Group group, bool clipLineOk, bool clipCellOk)
{
    QList<Switch> out;
    switch (group) {
    case Group::CMDBTN_Muko:
        add(out, buttons12(), false);
        add(out, lineButtons(), false);
        break;
    case Group::CMDBTN_Yuko:
        add(out, buttons12(), true);
        break;
    case Group::ToolBar_Muko:
        add(out, toolbarPlain(), false);
        add(out, toolbarEdit(), false);
        break;
    case Group::ToolBar_Yuko:
        add(out, toolbarPlain(), true);
        break;
    case Group::Menyu_Muko:
        add(out, menus14(), false);
        add(out, lineMenus(), false);
        break;
    case Group::Menyu_Yuko:
        add(out, menus14(), true);
        break;
    case Group::MenuFunction_Muko:
        out.append({QStringLiteral("mnuFunctionCt"), false});
        break;
    case Group::MenuFunction_Yuko:
        out.append({QStringLiteral("mnuFunctionCt"), true});
        break;
    case Group::EditCMD_Muko:
        add(out, lineButtons(), false);
        add(out, lineMenus(), false);
        add(out, {QStringLiteral("mnuEditLineCopy"), QStringLiteral("mnuEditCellCopy"),
                  QStringLiteral("mnuEditLinePaste"), QStringLiteral("mnuEditCellPaste")},
            false);
        add(out, toolbarEdit(), false);
        break;
    case Group::SetEditCmdState:
        add(out, lineButtons(), true);
        add(out, lineMenus(), true);
        out.append({QStringLiteral("mnuEditCellCopy"), true});
        out.append({QStringLiteral("tbCellCopy"), true});
        out.append({QStringLiteral("mnuEditCellPaste"), clipCellOk});
        out.append({QStringLiteral("tbCellPaste"), clipCellOk});
        out.append({QStringLiteral("mnuEditLineCopy"), true});
        out.append({QStringLiteral("tbLineCopy"), true});
        out.append({QStringLiteral("mnuEditLinePaste"), clipLineOk});
        out.append({QStringLiteral("tbLinePaste"), clipLineOk});
        break;
    }
    return out;
}

QStringList switchedControls()
{
    QStringList all;
    all << buttons12() << lineButtons() << toolbarPlain() << toolbarEdit() << menus14()
        << lineMenus()
        << QStringList{QStringLiteral("mnuEditLineCopy"), QStringLiteral("mnuEditCellCopy"),
                       QStringLiteral("mnuEditLinePaste"), QStringLiteral("mnuEditCellPaste")};
    return all;
}

QStringList toolbarKeys()
{
    return {QStringLiteral("New"),       QStringLiteral("Open"),      QStringLiteral("Save"),
            QString(),                   QStringLiteral("Print"),     QString(),
            QStringLiteral("Read"),      QStringLiteral("Load"),      QStringLiteral("Shogo"),
            QString(),                   QStringLiteral("LineCopy"),  QStringLiteral("LinePaste"),
            QStringLiteral("CellCopy"),  QStringLiteral("CellPaste"), QString(),
            QStringLiteral("InputOutput"), QString(),                 QStringLiteral("MoveTest"),
            QString(),                   QStringLiteral("Group"),     QString(),
            QStringLiteral("SqMacro")};
}

} // namespace core::cmdswitch
