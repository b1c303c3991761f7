#include "platform/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

namespace {
const char *const kCodePage = "Windows-31J";
}

QString decodeSystemText(const QByteArray &bytes)
{
    QByteArray body = bytes;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(body);
    if (!utf8.hasError())
        return asUtf8;
    QStringDecoder sjis(kCodePage);
    return sjis.decode(body);
}

std::optional<QByteArray> encodeSystemText(const QString &text)
{
    QStringEncoder sjis(kCodePage);
    QByteArray out = sjis.encode(text);
    if (sjis.hasError())
        return std::nullopt;
    return out;
}

} // namespace platform
