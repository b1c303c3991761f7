#pragma once

#include <QList>
#include <QString>

namespace platform {
class PrinterDevice;
}

namespace positions {

// The position report's drawing surface: it draws on the printer and keeps a record of every
// text and rule it drew, so the report's layout can be checked without reading the output.
class PosiPrintCanvas
{
public:
    struct Item
    {
        int page = 1;        // 1 for the first sheet, counted by the sheets ejected
        bool rule = false;   // a horizontal rule from x to x2, else a text
        double x = 0;        // left edge (mm)
        double x2 = 0;       // a rule's right end (mm)
        double y = 0;        // top (mm)
        double rightEdge = -1; // the right edge a right-aligned text was placed at, else -1
        QString text;
        int pointSize = 0;
        bool bold = false;
        bool italic = false;
        int lineWidth = 0;   // a rule's width in printer drawing units
    };

    explicit PosiPrintCanvas(platform::PrinterDevice &printer);

    // The report's size; the printer draws it fitted to the lines (core::printing::fontPoints), the
    // record keeps the report's.
    void setFontSize(int pointSize);
    void setBoldItalic(bool on);
    void setLineWidth(int width) { m_lineWidth = width; }

    void text(double x, double y, const QString &text);
    void textRightAt(double rightEdge, double y, const QString &text);
    // A text that ends by `right`: smaller, then cut, where it would run past (the record
    // keeps the whole text as the report meant it).
    void textWithin(double x, double y, const QString &text, double right);
    void rule(double x1, double x2, double y);
    // The width of a text in the current font, as the printer draws it (mm).
    double textWidth(const QString &text) const;
    // Ejects the sheet. False when the printer refused.
    bool ejectPage();
    // False when the printer could not start the document.
    bool started();

    int page() const { return m_page; }
    const QList<Item> &items() const { return m_items; }

private:
    Item item(double x, double y, const QString &text) const;

    platform::PrinterDevice &m_printer;
    QList<Item> m_items;
    int m_page = 1;
    int m_lineWidth = 1;
    int m_points = 0;
};

} // namespace positions
