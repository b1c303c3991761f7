#include "core/PrintRun.h"

#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "platform/Dialogs.h"
#include "platform/PrinterDevice.h"

namespace core::printing {

bool runReport(platform::PrinterDevice &printer, const QFont &font, long headerLines, long rows,
               const std::function<bool()> &draw)
{
    printer.setFont(font);
    bool ok = PrintSettei(printer) == 0 && keepWithinPage(headerLines, rows) == 0;
    if (ok)
        fitTextToLines(printer);
    ok = ok && printer.begin() && draw();
    // Whatever was drawn goes to the printer, also after a failure.
    ok = printer.end() && ok;
    if (!ok)
        tellPrintFailed();
    return ok;
}

void tellPrintFailed()
{
    platform::msgBox(LoadResText(397) + QStringLiteral("(3)\r\n") + LoadResText(396),
                     platform::MbOkOnly, platform::applicationTitle());
}

void tellPrintCancelled()
{
    platform::msgBox(LoadResText(396), platform::MbOkOnly, platform::applicationTitle());
}

} // namespace core::printing
