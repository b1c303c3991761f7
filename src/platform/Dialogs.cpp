#include "platform/Dialogs.h"

#include "platform/DialogScript.h"
#include "platform/FocusGuard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

QString g_title = QStringLiteral("QZ-W4");

// Without a script, a box on the offscreen platform would wait for a click that never comes.
bool cannotAsk()
{
    return QGuiApplication::platformName() == QLatin1String("offscreen")
           || qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr;
}

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

QString withDefaultExt(const QString &path, const FileDialogRequest &r)
{
    if (path.isEmpty() || r.defaultExt.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + r.defaultExt;
}

QString startPath(const FileDialogRequest &r)
{
    if (r.initialDir.isEmpty())
        return r.defaultName;
    return r.initialDir + QLatin1Char('/') + r.defaultName;
}

} // namespace

QString applicationTitle()
{
    return g_title;
}

void setApplicationTitle(const QString &title)
{
    g_title = title;
}

int dismissResult(int style)
{
    switch (style & 7) {
    case MbOkCancel:
    case MbYesNoCancel:
        return IdCancel;
    case MbYesNo:
        return IdNo;
    default:
        return IdOk;
    }
}

QString toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts.at(i);
        const QString patterns = QString(parts.at(i + 1)).replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses; add them when the name lacks them.
        if (!name.contains(QLatin1Char('(')))
            name += QStringLiteral(" (") + patterns + QLatin1Char(')');
        else
            name = name.left(name.indexOf(QLatin1Char('('))) + QStringLiteral("(") + patterns
                   + QLatin1Char(')');
        out << name;
    }
    return out.join(QStringLiteral(";;"));
}

std::unique_ptr<QMessageBox> makeMessageBox(const QString &prompt, int style, const QString &title)
{
    auto box = std::make_unique<QMessageBox>(dialogParent());
    box->setWindowTitle(title.isEmpty() ? g_title : title);
    box->setText(prompt);
    switch (style & 0x70) {
    case MbCritical: box->setIcon(QMessageBox::Critical); break;
    case MbQuestion: box->setIcon(QMessageBox::Question); break;
    case MbExclamation: box->setIcon(QMessageBox::Warning); break;
    case MbInformation: box->setIcon(QMessageBox::Information); break;
    default: box->setIcon(QMessageBox::NoIcon); break;
    }
    switch (style & 7) {
    case MbOkCancel:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    case MbYesNoCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    case MbYesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
        break;
    default:
        box->setStandardButtons(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
        break;
    }
    return box;
}

namespace {

int askBox(const QString &prompt, int style, const QString &title)
{
    if (DialogScript *script = DialogScript::active())
        return script->takeBox(prompt, style, title);
    if (cannotAsk()) {
        qWarning().noquote() << "message box without a display:" << prompt;
        return dismissResult(style);
    }

    const std::unique_ptr<QMessageBox> made = makeMessageBox(prompt, style, title);
    QMessageBox &box = *made;
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return IdOk;
    case QMessageBox::Yes: return IdYes;
    case QMessageBox::No: return IdNo;
    case QMessageBox::Cancel: return IdCancel;
    default: return dismissResult(style);
    }
}

} // namespace

int msgBox(const QString &prompt, int style, const QString &title)
{
    const int answer = askBox(prompt, style, title);
    // The window behind the box gets the keyboard back, never on a write or a move.
    FocusGuard::afterBox();
    return answer;
}

QString getOpenFileName(const FileDialogRequest &request)
{
    if (DialogScript *script = DialogScript::active())
        return script->takeFile(request);
    if (cannotAsk())
        return QString();
    QFileDialog dlg(dialogParent(), request.title, startPath(request), toQtFilter(request.filter));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.defaultExt.isEmpty())
        dlg.setDefaultSuffix(request.defaultExt);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

QString getSaveFileName(const FileDialogRequest &request)
{
    if (DialogScript *script = DialogScript::active())
        return withDefaultExt(script->takeFile(request), request);
    if (cannotAsk())
        return QString();
    QFileDialog dlg(dialogParent(), request.title, startPath(request), toQtFilter(request.filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (!request.defaultExt.isEmpty())
        dlg.setDefaultSuffix(request.defaultExt);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().constFirst();
}

void noDefaultButton(QDialog &window)
{
    for (QPushButton *button : window.findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

} // namespace platform
