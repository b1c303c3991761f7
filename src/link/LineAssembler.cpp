#include "link/LineAssembler.h"

namespace link {

QList<QByteArray> LineAssembler::feed(const QByteArray &chunk)
{
    QList<QByteArray> lines;
    m_partial.append(chunk);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_partial.indexOf("\r\n", start);
        if (end < 0)
            break;
        lines.append(m_partial.mid(start, end + 2 - start));
        start = end + 2;
    }
    if (start > 0)
        m_partial.remove(0, start);
    return lines;
}

} // namespace link
