#pragma once

#include <QByteArray>
#include <QList>

namespace link {

// Cuts the characters of the serial line into lines at every CR LF. A CR at the end of a
// chunk may be the first half of a CR LF that the next chunk completes, so it waits there.
class LineAssembler
{
public:
    // Adds received characters; returns the lines they complete, CR LF included, in order.
    QList<QByteArray> feed(const QByteArray &chunk);
    // Characters of the line not yet completed.
    const QByteArray &partial() const { return m_partial; }
    void clear() { m_partial.clear(); }

private:
    QByteArray m_partial;
};

} // namespace link
