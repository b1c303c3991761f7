#include "platform/ItemWriter.h"

#include "platform/TextCodec.h"

#include <QSaveFile>

namespace platform {

ItemWriter &ItemWriter::text(const QString &value)
{
    // The format has no escape for a quote inside a text; it would end the text early.
    QString clean = value;
    clean.replace(QLatin1Char('"'), QLatin1Char('\''));
    m_line << QLatin1Char('"') + clean + QLatin1Char('"');
    return *this;
}

ItemWriter &ItemWriter::number(qint64 value)
{
    m_line << QString::number(value);
    return *this;
}

ItemWriter &ItemWriter::number(double value)
{
    m_line << QString::number(value, 'g', 15);
    return *this;
}

ItemWriter &ItemWriter::bare(const QString &value)
{
    m_line << value;
    return *this;
}

ItemWriter &ItemWriter::endLine()
{
    m_done += m_line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    m_line.clear();
    return *this;
}

QString ItemWriter::content() const
{
    if (m_line.isEmpty())
        return m_done;
    return m_done + m_line.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

bool ItemWriter::commit(const QString &path)
{
    const std::optional<QByteArray> bytes = encodeSystemText(content());
    if (!bytes) {
        m_error = QStringLiteral("a character cannot be stored in the file's code page");
        return false;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        m_error = f.errorString();
        return false;
    }
    // A full disk may take part of the bytes without an error being reported; the size of
    // what reached the disk is what tells.
    if (f.write(*bytes) != bytes->size() || !f.flush() || f.size() != bytes->size()) {
        m_error = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        m_error = f.errorString();
        return false;
    }
    return true;
}

} // namespace platform
