#include "editors/ReportCanvas.h"

#include "core/Messages.h"
#include "core/PrintLayout.h"
#include "platform/PrinterDevice.h"

namespace editors {

QFont reportFont(double points, bool boldItalic)
{
    QFont font(LoadResText(24));
    font.setPointSizeF(points);
    font.setBold(boldItalic);
    font.setItalic(boldItalic);
    return font;
}

PrinterCanvas::PrinterCanvas(platform::PrinterDevice &printer) : m_printer(printer) {}

void PrinterCanvas::setFont(int points, bool boldItalic)
{
    m_printer.setFont(reportFont(core::printing::fontPoints(points), boldItalic));
}

void PrinterCanvas::setLineWidth(int width)
{
    m_lineWidth = width;
}

double PrinterCanvas::textWidth(const QString &text) const
{
    return m_printer.textWidthMm(text);
}

void PrinterCanvas::text(double x, double y, const QString &text)
{
    m_printer.drawText(x, y, text);
}

void PrinterCanvas::textWithin(double x, double y, const QString &text, double right)
{
    m_printer.drawTextWithin(x, y, text, right);
}

void PrinterCanvas::line(double x1, double y1, double x2, double y2)
{
    // A width counts in printer dots of about a tenth of a millimetre.
    m_printer.drawLine(x1, y1, x2, y2, m_lineWidth * 0.1);
}

void PrinterCanvas::newPage()
{
    m_printer.newPage();
}

} // namespace editors
