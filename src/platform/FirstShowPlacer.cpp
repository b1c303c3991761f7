#include "platform/FirstShowPlacer.h"

#include "platform/Screen.h"

#include <QEvent>
#include <QWidget>

namespace platform {

FirstShowPlacer::FirstShowPlacer(QWidget *window, const QWidget *owner, QPoint offset)
    : QObject(window), m_owner(owner), m_offset(offset)
{
    window->installEventFilter(this);
}

bool FirstShowPlacer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        auto *window = static_cast<QWidget *>(watched);
        if (m_owner)
            placeOnce(window, m_owner, m_offset);
        window->removeEventFilter(this);
        deleteLater();
    }
    return false;
}

} // namespace platform
