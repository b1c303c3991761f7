#include "core/Padding.h"

namespace {

QString pad(const QString &digits, int width, QChar fill)
{
    if (digits.size() > width)
        return QStringLiteral("X");
    return QString(width - digits.size(), fill) + digits;
}

} // namespace

QString HexZeroPad(qint64 value, int width)
{
    // A negative value has no place in a command argument.
    if (value < 0)
        return QStringLiteral("X");
    return pad(QString::number(value, 16).toUpper(), width, QLatin1Char('0'));
}

QString DecZeroPad(qint64 value, int width)
{
    return pad(QString::number(value), width, QLatin1Char('0'));
}

QString DecSpacePad(qint64 value, int width)
{
    return pad(QString::number(value), width, QLatin1Char(' '));
}

std::optional<QString> StrPadSpace(const QString &text, int width)
{
    if (text.size() > width)
        return std::nullopt;
    return QString(qMax(width, 0) - text.size(), QLatin1Char(' ')) + text;
}
