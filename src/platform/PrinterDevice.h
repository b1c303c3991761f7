#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>
#include <memory>

class QPrinter;
class QPainter;

namespace platform {

// The printer as the reports see it: a page whose printable area is measured in millimetres,
// a current font, and text placed at millimetre positions. A PDF file is a valid printer.
class PrinterDevice
{
public:
    PrinterDevice();                               // the default system printer
    explicit PrinterDevice(const QString &pdfPath); // print into a PDF file
    ~PrinterDevice();

    QPrinter *printer() const { return m_printer.get(); }
    bool isValid() const;

    void setFont(const QFont &font);
    QFont font() const { return m_font; }

    QSizeF printableSizeMm() const;
    double textHeightMm(const QString &text) const;
    double textWidthMm(const QString &text) const;

    // Drawing, started lazily on the first call.
    bool begin();
    void drawText(double xMm, double yMm, const QString &text);
    void drawLine(double x1Mm, double y1Mm, double x2Mm, double y2Mm, double widthMm = 0.2);
    bool newPage();
    bool end();

private:
    double pxPerMm() const;

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    QFont m_font;
};

} // namespace platform
