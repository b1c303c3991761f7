#include "app/ToolbarPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace app::toolbarpics {

namespace {

// The toolbar's sizes: small and large toolbars, and twice each for dense screens.
const int kIconSizes[] = {16, 20, 24, 32, 40, 48};

const QColor kInk(60, 60, 60);
const QColor kMark(30, 100, 200);
const QColor kPaper(Qt::white);
const QColor kGrey(170, 170, 170);
const QColor kController(70, 90, 110);

// A disabled button must look unmistakably off whatever the style does with the icon: grey,
// light and faint. The style's own rendering barely changes icons that are grey already.
QPixmap fadedPixmap(const QPixmap &normal)
{
    QImage img = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = line[x];
            const int g = 140 + qGray(c) * 100 / 255;
            line[x] = qRgba(g, g, g, qAlpha(c) * 45 / 100);
        }
    }
    QPixmap out = QPixmap::fromImage(img);
    out.setDevicePixelRatio(normal.devicePixelRatio());
    return out;
}

// Every picture is drawn on a 16 x 16 grid.
void sheet(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(kPaper);
    p.drawRect(r);
}

void textLines(QPainter &p, const QRectF &r, int lines)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGrey);
    const qreal step = r.height() / lines;
    for (int i = 0; i < lines; ++i)
        p.drawRect(QRectF(r.left(), r.top() + i * step + step * 0.25, r.width(), step * 0.5));
}

void arrow(QPainter &p, QPointF from, QPointF to, const QColor &colour)
{
    p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const qreal len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{to + u * 1.2, to - u * 2.6 + n * 2.4, to - u * 2.6 - n * 2.4});
}

// The controller: a dark box with a row of lamps.
void controller(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(kController);
    p.drawRoundedRect(r, 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 220, 120));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QRectF(r.left() + 1.5 + i * 3, r.top() + 1.2, 1.8, 1.8));
}

// Line and cell, copy and paste tell apart at a glance: a sheet with a marked row (line) or
// a marked cell (cell), on a second sheet (copy) or on a clipboard (paste).
void edit(QPainter &p, bool line, bool paste)
{
    QRectF onTop;
    if (paste) {
        p.setPen(QPen(QColor(110, 70, 30), 0.8));
        p.setBrush(QColor(190, 130, 60));
        p.drawRoundedRect(QRectF(1.5, 2.5, 11, 13), 1.5, 1.5);
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(QRectF(4.5, 1, 5, 3), 1, 1);
        onTop = QRectF(5.5, 6.5, 10, 9);
    } else {
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(225, 225, 225));
        p.drawRect(QRectF(1.5, 1.5, 9, 10));
        onTop = QRectF(5.5, 5.5, 10, 10);
    }
    sheet(p, onTop);
    p.setPen(Qt::NoPen);
    const qreal left = onTop.left() + 1.5;
    const qreal width = onTop.width() - 3;
    const qreal top = onTop.top() + 1.5;
    const qreal rowH = (onTop.height() - 3) / 3;
    for (int r = 0; r < 3; ++r) {
        const QRectF row(left, top + r * rowH + 0.4, width, rowH - 0.8);
        if (line) {
            p.setBrush(r == 1 ? kMark : kGrey);
            p.drawRect(row);
        } else {
            for (int c = 0; c < 3; ++c) {
                const qreal cw = width / 3;
                p.setBrush(r == 1 && c == 1 ? kMark : kGrey);
                p.drawRect(QRectF(left + c * cw + 0.4, row.top(), cw - 0.8, row.height()));
            }
        }
    }
}

bool draw(QPainter &p, const QString &key)
{
    if (key == QLatin1String("New")) {
        // A blank sheet with its corner folded and a spark of newness.
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(kPaper);
        p.drawPolygon(QPolygonF{{3.5, 1.5}, {10, 1.5}, {13.5, 5}, {13.5, 14.5}, {3.5, 14.5}});
        p.drawLine(QPointF(10, 1.5), QPointF(10, 5));
        p.drawLine(QPointF(10, 5), QPointF(13.5, 5));
        p.setPen(QPen(QColor(230, 170, 0), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6, 9.5), QPointF(11, 9.5));
        p.drawLine(QPointF(8.5, 7), QPointF(8.5, 12));
    } else if (key == QLatin1String("Open")) {
        // An open folder.
        p.setPen(QPen(QColor(150, 110, 20), 0.8));
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(QPolygonF{{1.5, 13.5}, {1.5, 3.5}, {5.5, 3.5}, {7, 5}, {12.5, 5}, {12.5, 13.5}});
        p.setBrush(QColor(250, 220, 120));
        p.drawPolygon(QPolygonF{{1.5, 13.5}, {4, 7.5}, {15, 7.5}, {12.5, 13.5}});
    } else if (key == QLatin1String("Save")) {
        // A diskette.
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(60, 90, 160));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(4, 9.5, 8, 5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 90, 160));
        p.drawRect(QRectF(9.5, 2.5, 1.5, 3));
    } else if (key == QLatin1String("Print")) {
        // A printer with a sheet coming out.
        sheet(p, QRectF(4.5, 1.5, 7, 5));
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1, 1);
        sheet(p, QRectF(4.5, 10, 7, 5));
        textLines(p, QRectF(5.5, 11, 5, 3), 2);
        p.setBrush(QColor(120, 220, 120));
        p.drawEllipse(QRectF(11.5, 7.2, 1.6, 1.6));
    } else if (key == QLatin1String("Read") || key == QLatin1String("Load")) {
        // The controller above the table: read brings data down, write takes it up.
        controller(p, QRectF(1.5, 1, 13, 5));
        sheet(p, QRectF(2.5, 10.5, 11, 4.5));
        textLines(p, QRectF(4, 11.5, 8, 2.5), 2);
        if (key == QLatin1String("Read"))
            arrow(p, QPointF(8, 5.5), QPointF(8, 9.5), kMark);
        else
            arrow(p, QPointF(8, 10.5), QPointF(8, 6.8), QColor(200, 80, 30));
    } else if (key == QLatin1String("Shogo")) {
        // Two tables side by side and a check mark: they agree.
        for (const qreal x : {1.5, 8.5}) {
            sheet(p, QRectF(x, 1.5, 6, 9));
            textLines(p, QRectF(x + 1, 2.5, 4, 7), 4);
        }
        QPainterPath tick;
        tick.moveTo(4, 11.5);
        tick.lineTo(7, 14.5);
        tick.lineTo(13, 9);
        p.setPen(QPen(QColor(30, 150, 50), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else if (key == QLatin1String("LineCopy") || key == QLatin1String("LinePaste")
               || key == QLatin1String("CellCopy") || key == QLatin1String("CellPaste")) {
        edit(p, key.startsWith(QLatin1String("Line")), key.endsWith(QLatin1String("Paste")));
    } else if (key == QLatin1String("InputOutput")) {
        // The lamps of the inputs (green, arrow in) and outputs (red, arrow out).
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(235, 235, 235));
        p.drawRoundedRect(QRectF(5.5, 1.5, 9, 13), 1, 1);
        for (int i = 0; i < 3; ++i) {
            p.setBrush(QColor(60, 190, 60));
            p.drawEllipse(QRectF(7, 2.5 + i * 4, 2.5, 2.5));
            p.setBrush(QColor(220, 60, 50));
            p.drawEllipse(QRectF(10.8, 2.5 + i * 4, 2.5, 2.5));
        }
        arrow(p, QPointF(0.8, 4.5), QPointF(4.2, 4.5), QColor(60, 160, 60));
        arrow(p, QPointF(4.6, 11.5), QPointF(1.2, 11.5), QColor(200, 60, 50));
    } else if (key == QLatin1String("MoveTest")) {
        // An actuator: a rail, its slider and the slider's travel.
        p.setPen(QPen(kInk, 0.8));
        p.setBrush(QColor(190, 190, 200));
        p.drawRect(QRectF(0.5, 10.5, 15, 3));
        p.setBrush(kMark);
        p.drawRect(QRectF(6, 8, 4.5, 5.5));
        p.setPen(QPen(QColor(40, 150, 60), 1.3));
        p.drawLine(QPointF(3.5, 4), QPointF(12.5, 4));
        arrow(p, QPointF(5, 4), QPointF(1.8, 4), QColor(40, 150, 60));
        arrow(p, QPointF(11, 4), QPointF(14.2, 4), QColor(40, 150, 60));
    } else if (key == QLatin1String("Group")) {
        // Rows of the table gathered by a bracket: a group of positions.
        sheet(p, QRectF(5.5, 1.5, 9, 13));
        p.setPen(Qt::NoPen);
        for (int r = 0; r < 5; ++r) {
            p.setBrush(r >= 1 && r <= 3 ? kMark : kGrey);
            p.drawRect(QRectF(6.8, 2.7 + r * 2.4, 6.4, 1.4));
        }
        p.setPen(QPen(QColor(200, 80, 30), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        QPainterPath brace;
        brace.moveTo(4.5, 4.8);
        brace.lineTo(2.5, 4.8);
        brace.lineTo(2.5, 11.9);
        brace.lineTo(4.5, 11.9);
        p.drawPath(brace);
    } else if (key == QLatin1String("SqMacro")) {
        // Steps run one after the other: numbered boxes joined by arrows.
        QFont f = p.font();
        f.setPixelSize(4);
        f.setBold(true);
        p.setFont(f);
        for (int s = 0; s < 3; ++s) {
            const QRectF box(1 + s * 5, 1.5 + s * 5, 4.5, 4);
            p.setPen(QPen(kInk, 0.8));
            p.setBrush(s == 1 ? kMark : kPaper);
            p.drawRect(box);
            p.setPen(s == 1 ? kPaper : kInk);
            p.drawText(box, Qt::AlignCenter, QString::number(s + 1));
        }
        arrow(p, QPointF(3.2, 6), QPointF(3.2, 8), kInk);
        arrow(p, QPointF(8.2, 11), QPointF(8.2, 13), kInk);
    } else {
        return false;
    }
    return true;
}

} // namespace

QPixmap picture(const QString &key, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 16.0, size / 16.0);
    const bool drawn = draw(p, key);
    p.end();
    return drawn ? pm : QPixmap();
}

QIcon icon(const QString &key)
{
    QIcon out;
    for (int s : kIconSizes) {
        const QPixmap pm = picture(key, s);
        if (pm.isNull())
            return QIcon();
        out.addPixmap(pm, QIcon::Normal);
        out.addPixmap(fadedPixmap(pm), QIcon::Disabled);
    }
    return out;
}

} // namespace app::toolbarpics
