#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// Builds a file of the system's item format (texts quoted, numbers bare, commas between the
// items of a line, CR LF after each line) and writes it whole: a failed write leaves the file
// that was there as it was.
class ItemWriter
{
public:
    ItemWriter &text(const QString &value);
    ItemWriter &number(qint64 value);
    ItemWriter &number(double value);
    ItemWriter &bare(const QString &value);
    ItemWriter &endLine();

    QString content() const;
    bool commit(const QString &path);
    QString errorString() const { return m_error; }

private:
    bool write(const QString &path);

    QStringList m_line;
    QString m_done;
    QString m_error;
    bool m_notRegular = false;
};

// The reason the last write of a system file failed (the system's words, or what could not be
// stored), kept for the operator's message; a write that starts clears it.
void noteWriteFailure(const QString &reason);
void clearWriteFailure();
QString lastWriteFailure();
// The last failed write was refused because its path names no regular file.
bool lastWriteNotRegular();

} // namespace platform
