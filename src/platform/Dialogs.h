#pragma once

#include <QString>

class QDialog;

#include <memory>

class QMessageBox;
class QWidget;

namespace platform {

// Button sets and icons as the system's message boxes name them; a style is a set plus an icon.
enum MsgStyle {
    MbOkOnly = 0,
    MbOkCancel = 1,
    MbYesNoCancel = 3,
    MbYesNo = 4,
    MbCritical = 16,
    MbQuestion = 32,
    MbExclamation = 48,
    MbInformation = 64
};

enum MsgResult { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

struct FileDialogRequest
{
    QString title;
    QString filter;          // "Name(*.ext)|*.ext|All Files(*.*)|*.*"
    QString defaultName;
    QString defaultExt;      // without the dot
    QString initialDir;
    bool overwritePrompt = false;
    bool mustExist = false;
};

// The application title every message box carries when the caller gives none.
QString applicationTitle();
void setApplicationTitle(const QString &title);

// The box msgBox shows, built but not shown: title, text, icon and buttons of the style.
std::unique_ptr<QMessageBox> makeMessageBox(const QString &prompt, int style, const QString &title = QString());
// Shows a message box and returns the button chosen (IdOk, IdCancel, IdYes, IdNo).
int msgBox(const QString &prompt, int style = MbOkOnly, const QString &title = QString());

// Return the full path chosen, or an empty text when the operator cancelled.
QString getOpenFileName(const FileDialogRequest &request);
QString getSaveFileName(const FileDialogRequest &request);

// "Name(*.ext)|*.ext|..." into Qt's "Name(*.ext);;..." form.
QString toQtFilter(const QString &filter);
// The answer a box gives when it is dismissed without a button (Escape, the close box).
int dismissResult(int style);

// A window whose buttons start writes, moves or output changes has no default button: Qt
// would otherwise make one of them default, and Enter pressed anywhere in the window (in a
// list, on another button) would click it. Every push button of the window, present when
// this is called, is taken out; Space and the mouse still click them.
void noDefaultButton(QDialog &window);

} // namespace platform
