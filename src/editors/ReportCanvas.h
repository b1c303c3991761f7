#pragma once

#include <QFont>
#include <QString>

namespace platform {
class PrinterDevice;
}

namespace editors {

// What the group and macro reports draw on: millimetres from the top left of the printable
// area. The printer is one canvas; tests record the drawing on another.
class ReportCanvas
{
public:
    virtual ~ReportCanvas() = default;
    virtual void setFont(int points, bool boldItalic) = 0;
    virtual void setLineWidth(int width) = 0;
    virtual double textWidth(const QString &text) const = 0;
    virtual void text(double x, double y, const QString &text) = 0;
    // A text in a field that ends at `right`; the printer makes it smaller, then cuts it,
    // where it would run past.
    virtual void textWithin(double x, double y, const QString &text, double right)
    {
        Q_UNUSED(right)
        this->text(x, y, text);
    }
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    virtual void newPage() = 0;
};

// The report font: message 24's face at `points`, bold and italic together or neither.
QFont reportFont(double points, bool boldItalic);

// The printer as a canvas, in the report font; the sizes shrink with the lines where the page
// brought them closer than the font is tall (core::printing::fontPoints).
class PrinterCanvas : public ReportCanvas
{
public:
    explicit PrinterCanvas(platform::PrinterDevice &printer);
    void setFont(int points, bool boldItalic) override;
    void setLineWidth(int width) override;
    double textWidth(const QString &text) const override;
    void text(double x, double y, const QString &text) override;
    void textWithin(double x, double y, const QString &text, double right) override;
    void line(double x1, double y1, double x2, double y2) override;
    void newPage() override;

private:
    platform::PrinterDevice &m_printer;
    int m_lineWidth = 1;
};

} // namespace editors
