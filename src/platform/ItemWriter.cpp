#include "platform/ItemWriter.h"

#include "platform/RegularFile.h"
#include "platform/TextCodec.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

namespace {
QString g_lastWriteFailure;
bool g_lastWriteNotRegular = false;
}

void noteWriteFailure(const QString &reason)
{
    g_lastWriteFailure = reason;
    g_lastWriteNotRegular = false;
}

void clearWriteFailure()
{
    g_lastWriteFailure.clear();
    g_lastWriteNotRegular = false;
}

QString lastWriteFailure()
{
    return g_lastWriteFailure;
}

bool lastWriteNotRegular()
{
    return g_lastWriteNotRegular;
}

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
    const bool written = write(path);
    if (!written) {
        noteWriteFailure(m_error);
        g_lastWriteNotRegular = m_notRegular;
    }
    return written;
}

bool ItemWriter::write(const QString &path)
{
    const std::optional<QByteArray> bytes = encodeSystemText(content());
    if (!bytes) {
        m_error = QStringLiteral("a character cannot be stored in the file's code page");
        return false;
    }
    // A named pipe, a device or a folder is never written to, nor replaced by a file.
    m_notRegular = false;
    const QString notRegular = notRegularFileReason(path);
    if (!notRegular.isEmpty()) {
        m_error = notRegular;
        m_notRegular = true;
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
        // Qt often has no words for a short write; "Unknown error" would tell the operator nothing.
        const bool told = f.error() != QFileDevice::NoError && f.errorString() != QFile().errorString();
        m_error = told ? f.errorString()
                       : QStringLiteral("only part of the file reached the disk (the disk may be full)");
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
