#include "platform/ItemReader.h"

#include "platform/TextCodec.h"

#include <cmath>

namespace platform {

namespace {

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

bool ItemReader::open(const QString &path)
{
    QString text;
    QString error;
    const TextFileRead read = readSystemTextFile(path, text, &error);
    setText(text);
    if (read != TextFileRead::Ok) {
        // No line of a file not read is damaged: its reason is told instead.
        fail(error);
        m_tooLarge = read == TextFileRead::TooLarge;
        m_notRegular = read == TextFileRead::NotRegular;
        return false;
    }
    m_fromFile = true;
    return true;
}

void ItemReader::setText(const QString &text)
{
    m_data = text;
    m_pos = 0;
    m_atLineStart = true;
    m_line = 1;
    m_itemLine = 0;
    m_inLine = false;
    m_lineItems = 0;
    m_failed = false;
    m_cutShort = false;
    m_fromFile = false;
    m_tooLarge = false;
    m_notRegular = false;
    m_error.clear();
}

void ItemReader::fail(const QString &why)
{
    failAt(m_itemLine, why);
}

void ItemReader::failAt(int line, const QString &why)
{
    if (m_failed)
        return;
    m_error = why;
    m_failed = true;
    // A file that ends before its first item is damaged on its first line.
    m_itemLine = line > 0 ? line : 1;
    if (m_fromFile)
        noteDamagedLine(m_itemLine, m_cutShort);
}

void ItemReader::failCut(const QString &why)
{
    if (m_failed)
        return;
    m_cutShort = true;
    fail(why);
}

void ItemReader::beginLine()
{
    if (!m_failed && m_inLine && !m_atLineStart)
        fail(QStringLiteral("more items on line %1 than it should hold").arg(m_itemLine));
    m_inLine = true;
    m_lineItems = 0;
}

void ItemReader::skipBlanks()
{
    while (m_pos < m_data.size()
           && (m_data.at(m_pos) == QLatin1Char(' ') || m_data.at(m_pos) == QLatin1Char('\t')))
        ++m_pos;
}

bool ItemReader::atEnd() const
{
    // A record whose line has not ended (a comma after its last item) is not the end: the
    // next beginLine() refuses it.
    if (m_inLine && !m_atLineStart)
        return false;
    for (int i = m_pos; i < m_data.size(); ++i) {
        const QChar c = m_data.at(i);
        if (!c.isSpace() && c != QChar(0x1A)) // Ctrl-Z ends old DOS text files
            return false;
    }
    return true;
}

bool ItemReader::nextItem(QString &item, bool &quoted)
{
    item.clear();
    quoted = false;
    if (m_failed)
        return false;

    // Blank lines between records carry no item.
    for (;;) {
        skipBlanks();
        if (m_atLineStart && m_pos < m_data.size() && isLineEnd(m_data.at(m_pos))) {
            const QChar c = m_data.at(m_pos++);
            if (c == QLatin1Char('\r') && m_pos < m_data.size() && m_data.at(m_pos) == QLatin1Char('\n'))
                ++m_pos;
            ++m_line;
            continue;
        }
        break;
    }
    // A record of one line that ends before its last item: the item is not taken from the next.
    if (m_inLine && m_lineItems > 0 && m_atLineStart) {
        fail(QStringLiteral("line %1 holds fewer items than it should").arg(m_itemLine));
        return false;
    }
    if (!m_atLineStart && m_pos >= m_data.size()) {
        // The empty item after a final comma, with no line end after it: cut after the comma.
        m_itemLine = m_line;
        failCut(QStringLiteral("line %1 has no line end: the file is cut short").arg(m_itemLine));
        return false;
    }
    if (m_atLineStart && atEnd()) {
        fail(QStringLiteral("unexpected end of file after line %1").arg(m_itemLine));
        return false;
    }
    m_itemLine = m_line;
    ++m_lineItems;

    if (m_data.at(m_pos) == QLatin1Char('"')) {
        const int close = m_data.indexOf(QLatin1Char('"'), m_pos + 1);
        if (close < 0) {
            // A text still open on the last line is one the file was cut inside.
            const QString why = QStringLiteral("unterminated text on line %1").arg(m_itemLine);
            bool lastLine = true;
            for (int i = m_pos + 1; i < m_data.size() && lastLine; ++i)
                lastLine = !isLineEnd(m_data.at(i));
            if (lastLine)
                failCut(why);
            else
                fail(why);
            return false;
        }
        item = m_data.mid(m_pos + 1, close - m_pos - 1);
        // A text holding a line break: the lines after it are counted on.
        for (int i = 0; i < item.size(); ++i)
            if (item.at(i) == QLatin1Char('\n')
                || (item.at(i) == QLatin1Char('\r') && (i + 1 == item.size() || item.at(i + 1) != QLatin1Char('\n'))))
                ++m_line;
        quoted = true;
        m_pos = close + 1;
        skipBlanks();
    } else {
        const int start = m_pos;
        while (m_pos < m_data.size() && m_data.at(m_pos) != QLatin1Char(',')
               && !isLineEnd(m_data.at(m_pos)))
            ++m_pos;
        item = m_data.mid(start, m_pos - start).trimmed();
    }

    // The delimiter: a comma or a line end (CR LF counts once). Every line the program writes
    // ends with one, so data that ends without it was cut short, perhaps inside a number.
    m_atLineStart = false;
    if (m_pos >= m_data.size()) {
        if (m_unendedLastLineOk) {
            ++m_line;
            m_atLineStart = true;
            return true;
        }
        failCut(QStringLiteral("line %1 has no line end: the file is cut short").arg(m_itemLine));
        return false;
    }
    const QChar c = m_data.at(m_pos);
    if (c == QLatin1Char(',')) {
        ++m_pos;
    } else if (isLineEnd(c)) {
        ++m_pos;
        if (c == QLatin1Char('\r') && m_pos < m_data.size() && m_data.at(m_pos) == QLatin1Char('\n'))
            ++m_pos;
        ++m_line;
        m_atLineStart = true;
    } else {
        fail(QStringLiteral("text followed by other characters on line %1").arg(m_itemLine));
        return false;
    }
    return true;
}

QString ItemReader::raw(bool *quoted)
{
    QString item;
    bool q = false;
    nextItem(item, q);
    if (quoted)
        *quoted = q;
    return item;
}

QString ItemReader::text()
{
    QString item;
    bool quoted = false;
    nextItem(item, quoted);
    return item;
}

qint64 ItemReader::integer(qint64 min, qint64 max)
{
    QString item;
    bool quoted = false;
    if (!nextItem(item, quoted))
        return 0;
    if (item.isEmpty())
        return 0;
    bool ok = false;
    const qint64 v = item.toLongLong(&ok);
    if (!ok || v < min || v > max) {
        fail(QStringLiteral("not a whole number in range: ") + item);
        return 0;
    }
    return v;
}

double ItemReader::number()
{
    QString item;
    bool quoted = false;
    if (!nextItem(item, quoted))
        return 0;
    if (item.isEmpty())
        return 0;
    bool ok = false;
    const double v = item.toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        fail(QStringLiteral("not a number: ") + item);
        return 0;
    }
    return v;
}

} // namespace platform
