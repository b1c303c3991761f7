#include "positions/PosiRecord.h"

#include "core/Padding.h"
#include "link/Exchange.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"

#include <cmath>

namespace positions {

namespace {

std::optional<qint64> wholeNumber(double d)
{
    if (!std::isfinite(d) || std::fabs(d) > 1e15 || d != std::floor(d))
        return std::nullopt;
    return qint64(d);
}

// A value of the table as a whole number: a number, or a text that is one (blanks around it
// allowed, as a file stores " 30").
std::optional<qint64> wholeNumber(const QVariant &v)
{
    bool ok = false;
    double d = 0;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        d = v.toDouble(&ok);
        break;
    case QMetaType::QString:
        d = v.toString().trimmed().toDouble(&ok);
        break;
    default:
        return std::nullopt;
    }
    return ok ? wholeNumber(d) : std::nullopt;
}

} // namespace

bool PosiRecord::operator==(const PosiRecord &other) const
{
    for (int c = 0; c < kPosiRecordFields; ++c)
        if (field[c] != other.field[c])
            return false;
    return true;
}

int posiFieldWidth(int column)
{
    if (column < 16) {
        static const int axisWidths[4] = {2, 1, 1, 5};
        return axisWidths[column % 4];
    }
    return column == kColSm ? 2 : 1;
}

QString posiRecordNo(int position)
{
    return HexZeroPad(position, 3);
}

std::optional<PosiRecord> decodePosiReply(const QString &reply, int position)
{
    QStringView line(reply);
    if (line.endsWith(QLatin1String("\r\n")))
        line.chop(2);
    if (line.size() != kPosiReadReplyLength - 2 || !line.startsWith(QLatin1String("0RP"))
        || line.mid(3, 3) != posiRecordNo(position))
        return std::nullopt;
    PosiRecord record;
    int at = 6;
    for (int c = 0; c < kPosiRecordFields; ++c) {
        const int width = posiFieldWidth(c);
        const auto value = link::hexValue(line.mid(at, width));
        if (!value)
            return std::nullopt;
        record.field[c] = *value;
        at += width;
    }
    return record;
}

std::optional<QString> encodePosiRecord(int position, const PosiRecord &record)
{
    if (position < 1 || position > kPosiMax)
        return std::nullopt;
    QString text = posiRecordNo(position);
    for (int c = 0; c < kPosiRecordFields; ++c) {
        const int width = posiFieldWidth(c);
        const qint64 v = record.field[c];
        if (v < 0 || v >= (qint64(1) << (4 * width)))
            return std::nullopt;
        text += HexZeroPad(v, width);
    }
    return text;
}

bool posiWriteEchoIs(const QString &reply, int position)
{
    return reply.left(6) == QLatin1String("0WP") + posiRecordNo(position);
}

std::optional<PosiRecord> posiRecordFromTable(int position)
{
    if (position < 1 || position > kPosiMax)
        return std::nullopt;
    PosiRecord record;
    for (int c = 0; c < kPosiRecordFields; ++c) {
        const auto v = tables::isPosiColumn(c) ? wholeNumber(gPosiTable[position][c / 4])
                                       : wholeNumber(gPosiFileTable[position][c]);
        if (!v)
            return std::nullopt;
        record.field[c] = *v;
    }
    return record;
}

void posiRecordIntoImage(int position, const PosiRecord &record)
{
    for (int c = 0; c < kPosiRecordFields; ++c)
        gPosiWork[position][c + 1] = double(record.field[c]);
}

} // namespace positions
