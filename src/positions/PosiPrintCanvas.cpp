#include "positions/PosiPrintCanvas.h"

#include "core/PrintLayout.h"
#include "platform/PrinterDevice.h"

namespace positions {

namespace {
// One unit of the printer's drawing width: a dot of a 254-dpi printer, so the widths 1 to 3
// the report asks for stay visible on any resolution.
constexpr double kLineUnitMm = 0.1;
} // namespace

PosiPrintCanvas::PosiPrintCanvas(platform::PrinterDevice &printer)
    : m_printer(printer)
    , m_points(printer.font().pointSize())
{
}

void PosiPrintCanvas::setFontSize(int pointSize)
{
    QFont f = m_printer.font();
    f.setPointSizeF(core::printing::fontPoints(pointSize));
    m_printer.setFont(f);
    m_points = pointSize;
}

void PosiPrintCanvas::setBoldItalic(bool on)
{
    QFont f = m_printer.font();
    f.setBold(on);
    f.setItalic(on);
    m_printer.setFont(f);
}

PosiPrintCanvas::Item PosiPrintCanvas::item(double x, double y, const QString &text) const
{
    Item it;
    it.page = m_page;
    it.x = x;
    it.y = y;
    it.text = text;
    const QFont f = m_printer.font();
    it.pointSize = m_points;
    it.bold = f.bold();
    it.italic = f.italic();
    it.lineWidth = m_lineWidth;
    return it;
}

void PosiPrintCanvas::text(double x, double y, const QString &text)
{
    m_items.append(item(x, y, text));
    m_printer.drawText(x, y, text);
}

void PosiPrintCanvas::textRightAt(double rightEdge, double y, const QString &text)
{
    const double x = rightEdge - m_printer.textWidthMm(text);
    Item it = item(x, y, text);
    it.rightEdge = rightEdge;
    m_items.append(it);
    m_printer.drawText(x, y, text);
}

void PosiPrintCanvas::textWithin(double x, double y, const QString &text, double right)
{
    m_items.append(item(x, y, text));
    m_printer.drawTextWithin(x, y, text, right);
}

double PosiPrintCanvas::textWidth(const QString &text) const
{
    return m_printer.textWidthMm(text);
}

void PosiPrintCanvas::rule(double x1, double x2, double y)
{
    Item it = item(x1, y, QString());
    it.rule = true;
    it.x2 = x2;
    m_items.append(it);
    m_printer.drawLine(x1, y, x2, y, m_lineWidth * kLineUnitMm);
}

bool PosiPrintCanvas::ejectPage()
{
    ++m_page;
    return m_printer.newPage();
}

bool PosiPrintCanvas::started()
{
    return m_printer.begin();
}

} // namespace positions
