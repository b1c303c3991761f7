#pragma once

#include <QFont>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>

class QPrinter;
class QPainter;

namespace platform {

// The face a report font named `family` prints in: the named face where the desktop has it,
// otherwise the installed fixed-pitch Japanese face of the same kind (Mincho for a Mincho
// name, Gothic for any other), so that the reports' columns, laid out for a fixed-pitch
// face, keep their widths whatever the desktop's locale would fall back to.
QString printerFamily(const QString &family);

// The printer as the reports see it: a page whose printable area is measured in millimetres,
// a current font, and text placed at millimetre positions. A PDF file is a valid printer.
// Every text and rule of the document under way is recorded as it was drawn.
class PrinterDevice
{
public:
    // One drawn text or rule, in millimetres from the top left of the printable area; a
    // text's rectangle is measured in the font it was drawn in.
    struct Drawn
    {
        int page = 1;
        bool rule = false;
        QRectF rect;
        double baseline = 0;
        QString text;
        QString family;
        double pointSize = 0;
        bool bold = false;
        bool italic = false;
    };

    PrinterDevice();                               // the default system printer
    explicit PrinterDevice(const QString &pdfPath); // print into a PDF file
    ~PrinterDevice();

    QPrinter *printer() const { return m_printer.get(); }
    bool isValid() const;

    // Takes the font with its family resolved by printerFamily.
    void setFont(const QFont &font);
    QFont font() const { return m_font; }

    QSizeF printableSizeMm() const;
    double textHeightMm(const QString &text) const;
    double textWidthMm(const QString &text) const;

    // Drawing, started lazily on the first call. A document that could not start, or a sheet
    // that could not be ejected, makes end() answer false.
    bool begin();
    void drawText(double xMm, double yMm, const QString &text);
    // As drawText, but a text that would run past rightMm is drawn in a smaller size, down to
    // minPoints, and what still runs past is cut off: it never runs off its field.
    void drawTextWithin(double xMm, double yMm, const QString &text, double rightMm,
                        double minPoints = 4);
    void drawLine(double x1Mm, double y1Mm, double x2Mm, double y2Mm, double widthMm = 0.2);
    bool newPage();
    // Hands the document over. False when it never started, a sheet failed or the end failed.
    bool end();

    // What the current or last document drew.
    const QList<Drawn> &drawn() const { return m_drawn; }

private:
    double pxPerMm() const;
    void place(double xMm, double yMm, const QString &text, const QFont &font);

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    QFont m_font;
    QList<Drawn> m_drawn;
    int m_page = 1;
    bool m_failed = false;
};

} // namespace platform
