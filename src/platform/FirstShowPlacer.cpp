#include "platform/FirstShowPlacer.h"

#include "platform/Screen.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace platform {

FirstShowPlacer::FirstShowPlacer(QWidget *window, const QWidget *owner, QPoint offset)
    : QObject(window), m_window(window), m_owner(owner), m_beside(owner != nullptr), m_offset(offset)
{
    window->installEventFilter(this);
}

bool FirstShowPlacer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Show && !m_handle) {
            if (m_beside && !m_owner) {
                finish();
                return false;
            }
            if (m_beside) {
                m_assumed = frameMargins(m_window, m_owner);
                m_ownerFrame = frameRect(m_owner);
                placeOnce(m_window, m_owner, m_offset);
            }
            if (frameReported(m_window)) {
                framed();
                return false;
            }
            // The native window hears first when the window manager has framed it.
            m_handle = m_window->windowHandle();
            if (m_handle)
                m_handle->installEventFilter(this);
            else
                finish();
        } else if (event->type() == QEvent::Hide) {
            finish();
        }
        return false;
    }
    if (watched == m_handle
        && (event->type() == QEvent::Expose || event->type() == QEvent::Move || event->type() == QEvent::Resize)
        && frameReported(m_window))
        framed();
    return false;
}

void FirstShowPlacer::framed()
{
    if (!m_beside)
        keepInside(m_window);
    else if (m_owner && (frameMargins(m_window, m_owner) != m_assumed || frameRect(m_owner) != m_ownerFrame))
        placeOnce(m_window, m_owner, m_offset);
    finish();
}

void FirstShowPlacer::finish()
{
    if (m_window)
        m_window->removeEventFilter(this);
    if (m_handle)
        m_handle->removeEventFilter(this);
    m_handle = nullptr;
    deleteLater();
}

} // namespace platform
