#include "platform/PrinterDevice.h"

#include "platform/RegularFile.h"

#include <QDebug>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform {

namespace {
// The faces the project installs with the program (fonts-ipafont-gothic, -mincho): fixed
// pitch, a Latin character half the width of a Japanese one, as the report layouts assume.
const QString kGothicFace = QStringLiteral("IPAGothic");
const QString kMinchoFace = QStringLiteral("IPAMincho");
} // namespace

QString printerFamily(const QString &family)
{
    if (!family.isEmpty() && QFontDatabase::hasFamily(family))
        return family;
    const bool mincho = family.contains(QStringLiteral("明朝"))
                        || family.contains(QLatin1String("mincho"), Qt::CaseInsensitive);
    return mincho ? kMinchoFace : kGothicFace;
}

PrinterDevice::PrinterDevice()
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , m_font(kGothicFace, 11)
{
}

PrinterDevice::PrinterDevice(const QString &pdfPath)
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , m_font(kGothicFace, 11)
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
    m_font.setFamilies({printerFamily(font.family())});
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
    m_drawn.clear();
    m_page = 1;
    // Printed to a file: a named pipe would hold the program until something reads it.
    const QString output = m_printer->outputFileName();
    const QString notRegular = output.isEmpty() ? QString() : notRegularFileReason(output);
    if (!notRegular.isEmpty()) {
        qWarning().noquote() << "print file" << output << "refused:" << notRegular;
        m_failed = true;
        return false;
    }
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        m_failed = true;
        return false;
    }
    m_painter->setFont(m_font);
    return true;
}

void PrinterDevice::place(double xMm, double yMm, const QString &text, const QFont &font)
{
    const QFontMetricsF fm(font, m_printer.get());
    const double mm = pxPerMm();
    // Positions name the top of the text, as the reports place their lines.
    m_painter->setFont(font);
    m_painter->drawText(QPointF(xMm * mm, yMm * mm + fm.ascent()), text);
    m_painter->setFont(m_font);
    Drawn d;
    d.page = m_page;
    d.rect = QRectF(xMm, yMm, fm.horizontalAdvance(text) / mm, fm.height() / mm);
    d.baseline = yMm + fm.ascent() / mm;
    d.text = text;
    d.family = QFontInfo(font).family();
    d.pointSize = font.pointSizeF();
    d.bold = font.bold();
    d.italic = font.italic();
    m_drawn.append(d);
}

void PrinterDevice::drawText(double xMm, double yMm, const QString &text)
{
    if (!begin())
        return;
    place(xMm, yMm, text, m_font);
}

void PrinterDevice::drawTextWithin(double xMm, double yMm, const QString &text, double rightMm,
                                   double minPoints)
{
    if (!begin())
        return;
    const double room = rightMm - xMm;
    QFont font = m_font;
    const double width = textWidthMm(text);
    if (width <= room || room <= 0) {
        place(xMm, yMm, room <= 0 ? QString() : text, font);
        return;
    }
    // Sizes do not scale the width exactly (hinting), so step down until it fits.
    double points = std::max(minPoints, font.pointSizeF() * room / width);
    font.setPointSizeF(points);
    while (QFontMetricsF(font, m_printer.get()).horizontalAdvance(text) / pxPerMm() > room
           && points > minPoints) {
        points = std::max(minPoints, points - 0.25);
        font.setPointSizeF(points);
    }
    const QFontMetricsF fm(font, m_printer.get());
    QString shown = text;
    while (!shown.isEmpty() && fm.horizontalAdvance(shown) / pxPerMm() > room)
        shown.chop(1);
    place(xMm, yMm, shown, font);
}

void PrinterDevice::drawLine(double x1Mm, double y1Mm, double x2Mm, double y2Mm, double widthMm)
{
    if (!begin())
        return;
    m_painter->setPen(QPen(Qt::black, widthMm * pxPerMm()));
    m_painter->drawLine(QPointF(x1Mm * pxPerMm(), y1Mm * pxPerMm()),
                        QPointF(x2Mm * pxPerMm(), y2Mm * pxPerMm()));
    Drawn d;
    d.page = m_page;
    d.rule = true;
    d.rect = QRectF(QPointF(x1Mm, y1Mm), QPointF(x2Mm, y2Mm)).normalized();
    d.baseline = y1Mm;
    m_drawn.append(d);
}

bool PrinterDevice::newPage()
{
    if (!begin())
        return false;
    if (!m_printer->newPage()) {
        m_failed = true;
        return false;
    }
    ++m_page;
    return true;
}

bool PrinterDevice::end()
{
    const bool failed = m_failed;
    m_failed = false;
    if (!m_painter)
        return !failed;
    const bool ok = m_painter->end();
    m_painter.reset();
    return ok && !failed;
}

} // namespace platform
