#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <functional>

namespace platform {

// Replaces every message box and file dialog while it lives: answers come from a queue and
// every box shown is recorded. A box with no answer queued is recorded as unexpected and
// dismissed, so that a test fails on it instead of blocking.
class DialogScript
{
public:
    struct Box
    {
        QString prompt;
        int style = 0;
        QString title;
    };

    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript &) = delete;
    DialogScript &operator=(const DialogScript &) = delete;

    static DialogScript *active();

    void answer(int result);
    void chooseFile(const QString &path); // an empty path cancels the dialog
    // The print and page set-up dialogs: a PDF path prints into that file, empty cancels.
    void choosePrinter(const QString &pdfPath);

    // Runs as each box is asked, before it is answered: a test records there what had
    // happened by then (what the controller had received, say).
    void onBox(std::function<void(const Box &)> callback) { m_onBox = std::move(callback); }

    const QList<Box> &boxes() const { return m_boxes; }
    QStringList prompts() const;
    const QStringList &unexpected() const { return m_unexpected; }
    const QList<FileDialogRequest> &fileRequests() const { return m_fileRequests; }
    int pendingAnswers() const { return int(m_answers.size() + m_files.size() + m_printers.size()); }
    const QStringList &printDialogs() const { return m_printDialogs; }
    void clear();

    int takeBox(const QString &prompt, int style, const QString &title);
    QString takeFile(const FileDialogRequest &request);
    QString takePrinter(const QString &dialog);

private:
    QQueue<int> m_answers;
    QQueue<QString> m_files;
    QQueue<QString> m_printers;
    QStringList m_printDialogs;
    QList<Box> m_boxes;
    QStringList m_unexpected;
    QList<FileDialogRequest> m_fileRequests;
    DialogScript *m_previous = nullptr;
    std::function<void(const Box &)> m_onBox;
};

} // namespace platform
