#include "platform/PrinterDevice.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform {

PrinterDevice::PrinterDevice()
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , m_font(QStringLiteral("IPAGothic"), 11)
{
}

PrinterDevice::PrinterDevice(const QString &pdfPath)
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , m_font(QStringLiteral("IPAGothic"), 11)
{
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(pdfPath);
    m_printer->setPageSize(QPageSize(QPageSize::A4));
}

PrinterDevice::~PrinterDevice()
{
    end();
}

bool PrinterDevice::isValid() const
{
    return m_printer->isValid();
}

void PrinterDevice::setFont(const QFont &font)
{
    m_font = font;
    if (m_painter)
        m_painter->setFont(m_font);
}

double PrinterDevice::pxPerMm() const
{
    return m_printer->resolution() / 25.4;
}

QSizeF PrinterDevice::printableSizeMm() const
{
    return m_printer->pageLayout().paintRect(QPageLayout::Millimeter).size();
}

double PrinterDevice::textHeightMm(const QString &text) const
{
    const QFontMetricsF fm(m_font, m_printer.get());
    Q_UNUSED(text)
    return fm.height() / pxPerMm();
}

double PrinterDevice::textWidthMm(const QString &text) const
{
    const QFontMetricsF fm(m_font, m_printer.get());
    return fm.horizontalAdvance(text) / pxPerMm();
}

bool PrinterDevice::begin()
{
    if (m_painter)
        return true;
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        return false;
    }
    m_painter->setFont(m_font);
    return true;
}

void PrinterDevice::drawText(double xMm, double yMm, const QString &text)
{
    if (!begin())
        return;
    const QFontMetricsF fm(m_font, m_printer.get());
    // Positions name the top of the text, as the reports place their lines.
    m_painter->drawText(QPointF(xMm * pxPerMm(), yMm * pxPerMm() + fm.ascent()), text);
}

void PrinterDevice::drawLine(double x1Mm, double y1Mm, double x2Mm, double y2Mm, double widthMm)
{
    if (!begin())
        return;
    m_painter->setPen(QPen(Qt::black, widthMm * pxPerMm()));
    m_painter->drawLine(QPointF(x1Mm * pxPerMm(), y1Mm * pxPerMm()),
                        QPointF(x2Mm * pxPerMm(), y2Mm * pxPerMm()));
}

bool PrinterDevice::newPage()
{
    if (!begin())
        return false;
    return m_printer->newPage();
}

bool PrinterDevice::end()
{
    if (!m_painter)
        return true;
    const bool ok = m_painter->end();
    m_painter.reset();
    return ok;
}

} // namespace platform
