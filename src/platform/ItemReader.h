#pragma once

#include <QString>

namespace platform {

// Reads the system's item files: items separated by commas or line ends, texts in double
// quotes, bare numbers, taken item by item across line ends. A read past the end or a value
// that does not fit marks the reader failed; callers check ok() once at the end, so a
// damaged file is a failed read, never a crash.
class ItemReader
{
public:
    // False when the file cannot be read, is larger than any text file of the system
    // (tooLarge(): the file is there but is not one of ours) or is no regular file
    // (notRegular(): a named pipe, a device or a folder, refused without reading).
    bool open(const QString &path);
    bool tooLarge() const { return m_tooLarge; }
    bool notRegular() const { return m_notRegular; }
    void setText(const QString &text);

    bool ok() const { return !m_failed; }
    bool atEnd() const;
    QString errorString() const { return m_error; }
    void fail(const QString &why);

    QString text();
    // A whole number within [min, max]; an empty item reads as 0.
    qint64 integer(qint64 min = -2147483648LL, qint64 max = 2147483647LL);
    int int16() { return int(integer(-32768, 32767)); }
    double number();
    // The item as it stands, without telling text from number.
    QString raw(bool *quoted = nullptr);

private:
    bool nextItem(QString &item, bool &quoted);
    void skipBlanks();

    QString m_data;
    int m_pos = 0;
    bool m_atLineStart = true;
    bool m_failed = false;
    bool m_tooLarge = false;
    bool m_notRegular = false;
    QString m_error;
};

} // namespace platform
