#include "platform/TextCodec.h"

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

} // namespace

QString decodeSystemText(const QByteArray &bytes)
{
    QByteArrayView body(bytes.constData(), lengthBeforeEndMark(bytes));
    bool marked = false;
    if (body.startsWith("\xEF\xBB\xBF")) {
        body = body.sliced(3);
        marked = true;
    }
    if (marked || holdsLongSequence(body)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString asUtf8 = utf8.decode(body);
        if (!utf8.hasError())
            return asUtf8;
    }
    QStringDecoder sjis(kCodePage);
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

TextFileRead readSystemTextFile(const QString &path, QString &text, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return TextFileRead::IoFailed;
    }
    if (f.size() > kMaxTextFileBytes) {
        if (error)
            *error = QStringLiteral("file too large");
        return TextFileRead::TooLarge;
    }
    // A device that reports no size (a pipe) is read no further than the limit either.
    const QByteArray bytes = f.read(kMaxTextFileBytes + 1);
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

} // namespace platform
