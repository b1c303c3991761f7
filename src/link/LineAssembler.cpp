#include "link/LineAssembler.h"

#include <QDebug>

namespace link {

void LineAssembler::clear()
{
    m_partial.clear();
    m_discarding = false;
    m_droppedInLine = 0;
}

QList<QByteArray> LineAssembler::feed(const QByteArray &chunk)
{
    QList<QByteArray> lines;
    m_partial.append(chunk);
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_partial.indexOf("\r\n", start);
        if (end < 0)
            break;
        const qsizetype length = end + 2 - start;
        if (m_discarding) {
            // The end of a line whose beginning was dropped: no reply either.
            m_dropped += length;
            m_droppedInLine += length;
            qWarning().noquote() << "overlong line without CR LF dropped:" << m_droppedInLine << "characters";
            m_discarding = false;
            m_droppedInLine = 0;
        } else {
            lines.append(m_partial.mid(start, length));
        }
        start = end + 2;
    }
    if (start > 0)
        m_partial.remove(0, start);
    if (m_partial.size() > kLongestLine)
        dropOverlong();
    return lines;
}

void LineAssembler::dropOverlong()
{
    if (!m_discarding)
        qWarning().noquote() << "received characters without CR LF beyond the longest reply: dropping them";
    // A CR at the end may be the first half of the line's CR LF: it stays.
    const qsizetype keep = m_partial.endsWith('\r') ? 1 : 0;
    const qsizetype drop = m_partial.size() - keep;
    m_dropped += drop;
    m_droppedInLine += drop;
    m_partial.remove(0, drop);
    m_discarding = true;
}

} // namespace link
