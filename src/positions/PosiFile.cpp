#include "positions/PosiFile.h"

#include "platform/ItemReader.h"
#include "platform/ItemWriter.h"
#include "platform/TextCodec.h"
#include "tables/CellEntry.h"

#include <cmath>

namespace positions {

namespace {

const QString kHeader = QStringLiteral("QZ-K4");
const QString kNew = QStringLiteral("NEW");
const QString kOld = QStringLiteral("OLD");

PosiFileReadResult result(PosiFileStatus status, const QString &detail = QString(), int position = 0)
{
    return PosiFileReadResult{status, detail, position, 0};
}

// A damaged file, with the line the reader stopped on.
PosiFileReadResult damaged(const platform::ItemReader &r, const QString &detail, int position = 0)
{
    PosiFileReadResult res = result(PosiFileStatus::Damaged, detail, position);
    res.line = r.line();
    res.cutShort = r.cutShort();
    return res;
}

// A position number as the file writes it: bare digits, or quoted digits with blanks around.
int positionNumber(const QString &item, bool *ok)
{
    const QString t = item.trimmed();
    *ok = !t.isEmpty();
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            *ok = false;
    if (!*ok)
        return 0;
    return t.size() > 9 ? 1000000000 : t.toInt();
}

// A numeric item of table column c as the grid reads a typed cell of that column (pulses, not
// millimetres): wholly a number of the column's form, or no number at all. A field is never read
// as the number its text begins with, so what opens is what the file holds.
std::optional<double> itemNumber(int c, const QString &item)
{
    return tables::cellNumber(c + 1, false, item);
}

// Reads the header and the designations; false when the first item is not the header (whole
// or cut short: another program's file).
bool readHead(platform::ItemReader &r, PosiFileImage &img)
{
    if (r.text() != kHeader)
        return false;
    for (QString &d : img.dev)
        d = r.text();
    return true;
}

// The text a comment can be stored as: the format has no escape, so a double quote would end
// the item early and a line break would split the line.
QString storableText(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c == QLatin1Char('"'))
            c = QLatin1Char('\'');
        else if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return out;
}

} // namespace

PosiFileReadResult parsePosiFile(const QString &text, PosiFileImage &image)
{
    PosiFileImage img;
    platform::ItemReader r;
    r.setText(text);

    if (!readHead(r, img))
        return result(PosiFileStatus::Rejected, QStringLiteral("no position file header"));
    // The program's other files begin with the same model and name their kind next.
    for (const char *kind : {"GRP", "PRM", "SM"}) {
        if (img.dev[0] == QLatin1String(kind))
            return result(PosiFileStatus::Rejected, QStringLiteral("a %1 file").arg(img.dev[0]));
    }
    r.beginLine();
    for (QString &t : img.newOld)
        t = r.text();
    if (!r.ok())
        return damaged(r, r.errorString());

    bool typed = false;
    for (const QString &t : img.newOld)
        typed = typed || t == kNew || t == kOld;
    if (!typed) {
        // The earlier layout: what was taken for the types began the first position line.
        img.earlierLayout = true;
        for (QString &t : img.newOld)
            t = kOld;
        r.setText(text);
        readHead(r, img);
    }

    while (r.ok() && !r.atEnd()) {
        PosiFileLine line;
        bool numberOk = false;
        r.beginLine();
        line.no = positionNumber(r.raw(), &numberOk);
        if (!r.ok())
            return damaged(r, r.errorString());
        if (!numberOk || line.no < 1 || line.no > 999)
            return damaged(r, QStringLiteral("position number out of range"));
        if (!img.lines.isEmpty() && line.no <= img.lines.last().no)
            return damaged(r, QStringLiteral("position %1 out of order").arg(line.no), line.no);
        int badItem = -1;
        for (int c = 0; c < kPosiFileItems; ++c) {
            bool quoted = false;
            const QString raw = r.raw(&quoted);
            if (c == kPosiFileItems - 1) {
                line.items[c] = raw; // the comment
                continue;
            }
            const std::optional<double> v = itemNumber(c, raw);
            if (v)
                line.items[c] = *v;
            else if (badItem < 0)
                badItem = c;
        }
        if (!r.ok())
            return damaged(r, QStringLiteral("position %1: %2").arg(line.no).arg(r.errorString()), line.no);
        if (badItem >= 0)
            return damaged(r, QStringLiteral("position %1: item %2 is not a number of its column")
                                  .arg(line.no)
                                  .arg(badItem + 2),
                           line.no);
        img.lines.append(line);
    }
    if (!r.ok())
        return damaged(r, r.errorString());
    if (img.lines.isEmpty()) // ends after its head: cut short there
        return damaged(r, QStringLiteral("no position line"));

    image = img;
    return result(PosiFileStatus::Read);
}

PosiFileReadResult readPosiFile(const QString &path, PosiFileImage &image)
{
    QString text;
    QString error;
    switch (platform::readSystemTextFile(path, text, &error)) {
    case platform::TextFileRead::Ok:
        break;
    case platform::TextFileRead::TooLarge:
    case platform::TextFileRead::NotRegular:
        return result(PosiFileStatus::Damaged, error);
    case platform::TextFileRead::IoFailed:
        return result(PosiFileStatus::Failed, error);
    }
    return parsePosiFile(text, image);
}

bool isUnusedDesignation(const QString &designation)
{
    const QString t = designation.trimmed();
    for (const QChar c : t)
        if (c != QLatin1Char('*'))
            return false;
    return true;
}

QString posiFileTypeItem(const QString &designation, bool unused, bool newType)
{
    if (unused || designation.isEmpty())
        return kNew;
    return newType ? kNew : kOld;
}

QString posiFileNumberText(const QVariant &value)
{
    double v = 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        v = value.toDouble();
        break;
    case QMetaType::QString: {
        bool ok = false;
        v = value.toString().trimmed().toDouble(&ok);
        if (!ok)
            return QString();
        break;
    }
    default:
        return QString();
    }
    if (!std::isfinite(v))
        return QString();

    const double mag = std::fabs(v);
    QString digits;
    if (mag == std::floor(mag) && mag < 1e15) {
        digits = QString::number(qint64(mag));
    } else {
        digits = QString::number(mag, 'g', 15);
        if (digits.contains(QLatin1Char('e'))) {
            digits = QString::number(mag, 'f', 6);
            while (digits.endsWith(QLatin1Char('0')))
                digits.chop(1);
            if (digits.endsWith(QLatin1Char('.')))
                digits.chop(1);
        }
    }
    const bool negative = v < 0 && digits != QLatin1String("0");
    return (negative ? QLatin1Char('-') : QLatin1Char(' ')) + digits;
}

namespace {

bool fillWriter(const PosiFileImage &image, platform::ItemWriter &w, QString *error)
{
    w.text(kHeader).endLine();
    for (const QString &d : image.dev)
        w.text(storableText(d));
    w.endLine();
    for (const QString &t : image.newOld)
        w.text(t);
    w.endLine();
    for (const PosiFileLine &line : image.lines) {
        w.number(qint64(line.no));
        for (int i = 0; i < kPosiFileItems - 1; ++i) {
            const QString n = posiFileNumberText(line.items[i]);
            if (n.isEmpty()) {
                if (error)
                    *error = QStringLiteral("position %1, item %2 holds no number")
                                 .arg(line.no)
                                 .arg(i + 2);
                return false;
            }
            w.text(n);
        }
        w.text(storableText(line.items[kPosiFileItems - 1].toString()));
        w.endLine();
    }
    return true;
}

} // namespace

bool writePosiFile(const QString &path, const PosiFileImage &image, QString *error)
{
    platform::ItemWriter w;
    if (!fillWriter(image, w, error))
        return false;
    if (!w.commit(path)) {
        if (error)
            *error = w.errorString();
        return false;
    }
    return true;
}

} // namespace positions
