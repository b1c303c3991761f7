#include "platform/DialogScript.h"

#include <QDebug>

namespace platform {

namespace {
DialogScript *g_active = nullptr;
}

DialogScript::DialogScript()
    : m_previous(g_active)
{
    g_active = this;
}

DialogScript::~DialogScript()
{
    g_active = m_previous;
}

DialogScript *DialogScript::active()
{
    return g_active;
}

void DialogScript::answer(int result)
{
    m_answers.enqueue(result);
}

void DialogScript::chooseFile(const QString &path)
{
    m_files.enqueue(path);
}

QStringList DialogScript::prompts() const
{
    QStringList out;
    for (const Box &b : m_boxes)
        out << b.prompt;
    return out;
}

void DialogScript::choosePrinter(const QString &pdfPath)
{
    m_printers.enqueue(pdfPath);
}

void DialogScript::clear()
{
    m_answers.clear();
    m_files.clear();
    m_printers.clear();
    m_printDialogs.clear();
    m_boxes.clear();
    m_unexpected.clear();
    m_fileRequests.clear();
}

int DialogScript::takeBox(const QString &prompt, int style, const QString &title)
{
    m_boxes.append({prompt, style, title});
    if (m_onBox) {
        const Box box = m_boxes.last();
        m_onBox(box);
    }
    if (m_answers.isEmpty()) {
        m_unexpected << prompt;
        qWarning().noquote() << "unexpected message box:" << prompt;
        return dismissResult(style);
    }
    return m_answers.dequeue();
}

QString DialogScript::takeFile(const FileDialogRequest &request)
{
    m_fileRequests.append(request);
    if (m_files.isEmpty()) {
        m_unexpected << QStringLiteral("file dialog: ") + request.title;
        qWarning().noquote() << "unexpected file dialog:" << request.title;
        return QString();
    }
    return m_files.dequeue();
}

QString DialogScript::takePrinter(const QString &dialog)
{
    m_printDialogs << dialog;
    if (m_printers.isEmpty()) {
        m_unexpected << QStringLiteral("print dialog: ") + dialog;
        qWarning().noquote() << "unexpected print dialog:" << dialog;
        return QString();
    }
    return m_printers.dequeue();
}

} // namespace platform
