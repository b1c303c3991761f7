#include "platform/PrintDialogs.h"

#include "platform/DialogScript.h"
#include "platform/PrinterDevice.h"

#include <QApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <memory>

namespace platform {

namespace {

// Without a script, a dialog on the offscreen platform would wait for a click that never comes.
bool cannotAsk()
{
    return QGuiApplication::platformName() == QLatin1String("offscreen")
           || qobject_cast<QApplication *>(QCoreApplication::instance()) == nullptr;
}

bool scripted(PrinterDevice &printer, const QString &dialog, bool *accepted)
{
    DialogScript *script = DialogScript::active();
    if (!script)
        return false;
    const QString pdf = script->takePrinter(dialog);
    *accepted = !pdf.isEmpty();
    if (*accepted) {
        printer.printer()->setOutputFormat(QPrinter::PdfFormat);
        printer.printer()->setOutputFileName(pdf);
    }
    return true;
}

} // namespace

namespace {
std::unique_ptr<PrinterDevice> g_printer;
}

PrinterDevice &sharedPrinter()
{
    if (!g_printer)
        g_printer = std::make_unique<PrinterDevice>();
    return *g_printer;
}

void resetSharedPrinter()
{
    g_printer.reset();
}

bool printDialog(PrinterDevice &printer)
{
    bool accepted = false;
    if (scripted(printer, QStringLiteral("print"), &accepted))
        return accepted;
    if (cannotAsk()) {
        qWarning() << "print dialog without a display";
        return false;
    }
    QPrintDialog dlg(printer.printer(), QApplication::activeWindow());
    return dlg.exec() == QDialog::Accepted;
}

bool pageSetupDialog(PrinterDevice &printer)
{
    bool accepted = false;
    if (scripted(printer, QStringLiteral("page setup"), &accepted))
        return accepted;
    if (cannotAsk()) {
        qWarning() << "page setup dialog without a display";
        return false;
    }
    QPageSetupDialog dlg(printer.printer(), QApplication::activeWindow());
    return dlg.exec() == QDialog::Accepted;
}

} // namespace platform
