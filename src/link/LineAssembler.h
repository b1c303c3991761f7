#pragma once

#include <QByteArray>
#include <QList>

namespace link {

// Cuts the characters of the serial line into lines at every CR LF. A CR at the end of a
// chunk may be the first half of a CR LF that the next chunk completes, so it waits there.
//
// No reply of the controller is longer than kLongestLine characters (a position record,
// CR LF included). Characters that grow a line beyond that (noise, a line end lost) can
// never become a reply: they are dropped as they come, and so is the rest of that line up
// to its CR LF, so the partial line stays small whatever arrives.
class LineAssembler
{
public:
    static constexpr qsizetype kLongestLine = 48;

    // Adds received characters; returns the lines they complete, CR LF included, in order.
    QList<QByteArray> feed(const QByteArray &chunk);
    // Characters of the line not yet completed.
    const QByteArray &partial() const { return m_partial; }
    // The partial line continues one that was dropped as overlong.
    bool discarding() const { return m_discarding; }
    void clear();
    // Characters dropped as parts of overlong lines so far.
    qint64 dropped() const { return m_dropped; }

private:
    void dropOverlong();

    QByteArray m_partial;
    bool m_discarding = false; // the partial line continues one that was dropped
    qint64 m_dropped = 0;
    qint64 m_droppedInLine = 0;
};

} // namespace link
