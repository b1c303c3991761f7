#include "platform/TextCodec.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

namespace {

const char *const kCodePage = "Windows-31J";

// The length of the bytes before a final Ctrl-Z (with only Ctrl-Z, blanks and line ends after it).
qsizetype lengthBeforeEndMark(const QByteArray &bytes)
{
    qsizetype end = bytes.size();
    qsizetype mark = -1;
    for (qsizetype i = bytes.size() - 1; i >= 0; --i) {
        const char c = bytes.at(i);
        if (c == '\x1a')
            mark = i;
        else if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            break;
    }
    if (mark >= 0)
        end = mark;
    return end;
}

// A byte E0 to FF in valid UTF-8 can only lead a sequence of three or four bytes.
bool holdsLongSequence(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (quint8(c) >= 0xE0)
            return true;
    return false;
}

// Whether Windows-31J holds every character that UTF-8 writes in three or four bytes (U+0800
// and above): the characters whose bytes a Windows-31J file may hold by chance.
bool longSequencesEncodable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (text.at(i).unicode() >= 0x800 && !systemEncodable(QStringView(text).sliced(i, n)))
            return false;
        i += n - 1;
    }
    return true;
}

// A Windows-31J reading without undefined bytes or characters of the user-defined area.
bool cleanReading(const QStringDecoder &decoder, const QString &text)
{
    if (decoder.hasError())
        return false;
    for (const QChar c : text)
        if (c == QChar::ReplacementCharacter || c.category() == QChar::Other_PrivateUse)
            return false;
    return true;
}

} // namespace

QString decodeSystemText(const QByteArray &bytes)
{
    QByteArrayView body(bytes.constData(), lengthBeforeEndMark(bytes));
    bool marked = false;
    if (body.startsWith("\xEF\xBB\xBF")) {
        body = body.sliced(3);
        marked = true;
    }
    QStringDecoder sjis(kCodePage, QStringDecoder::Flag::Stateless);
    if (marked || holdsLongSequence(body)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString asUtf8 = utf8.decode(body);
        if (!utf8.hasError()) {
            if (marked || encodeSystemText(asUtf8) || longSequencesEncodable(asUtf8))
                return asUtf8;
            // A Windows-31J kanji with lead byte E0 to EF before a katakana can read as a
            // three-byte UTF-8 sequence too; a reading that holds such a character these files
            // could never have held loses to a clean Windows-31J one.
            const QString asSjis = sjis.decode(body);
            return cleanReading(sjis, asSjis) ? asSjis : asUtf8;
        }
    }
    return sjis.decode(body);
}

std::optional<QByteArray> encodeSystemText(const QString &text)
{
    // Stateless: half a surrogate pair at the end is an error, not a character to come.
    QStringEncoder sjis(kCodePage, QStringEncoder::Flag::Stateless);
    QByteArray out = sjis.encode(text);
    if (sjis.hasError())
        return std::nullopt;
    return out;
}

bool systemEncodable(QStringView character)
{
    return encodeSystemText(character.toString()).has_value();
}

namespace {

constexpr qint64 kReadPieceBytes = 64 * 1024;

bool g_lastReadTooLarge = false;
bool g_lastReadNotRegular = false;
int g_lastReadDamagedLine = 0;

TextFileRead readWhole(const QString &path, QString &text, QString *error)
{
    QFile f;
    bool refused = false;
    if (!openRegularForReading(f, path, error, &refused))
        return refused ? TextFileRead::NotRegular : TextFileRead::IoFailed;
    if (f.size() > kMaxTextFileBytes) {
        if (error)
            *error = QStringLiteral("file too large");
        return TextFileRead::TooLarge;
    }
    // Read to the end as far as the file's size says, and a byte more to see whether it grew
    // meanwhile (then on, a piece at a time), never beyond the limit: a single read sized to
    // the limit would reserve the limit's memory for a file of a few lines.
    QByteArray bytes;
    while (bytes.size() <= kMaxTextFileBytes) {
        const qint64 want = qBound<qint64>(1, f.size() - bytes.size() + 1, kReadPieceBytes);
        const QByteArray piece = f.read(qMin<qint64>(want, kMaxTextFileBytes + 1 - bytes.size()));
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = f.errorString();
        return TextFileRead::IoFailed;
    }
    if (bytes.size() > kMaxTextFileBytes) {
        if (error)
            *error = QStringLiteral("file too large");
        return TextFileRead::TooLarge;
    }
    text = decodeSystemText(bytes);
    return TextFileRead::Ok;
}

} // namespace

TextFileRead readSystemTextFile(const QString &path, QString &text, QString *error)
{
    const TextFileRead read = readWhole(path, text, error);
    g_lastReadTooLarge = read == TextFileRead::TooLarge;
    g_lastReadNotRegular = read == TextFileRead::NotRegular;
    g_lastReadDamagedLine = 0;
    return read;
}

bool lastReadTooLarge()
{
    return g_lastReadTooLarge;
}

bool lastReadNotRegular()
{
    return g_lastReadNotRegular;
}

int lastReadDamagedLine()
{
    return g_lastReadDamagedLine;
}

void noteDamagedLine(int line)
{
    g_lastReadDamagedLine = line;
}

} // namespace platform
