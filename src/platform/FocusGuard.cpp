#include "platform/FocusGuard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QPushButton>
#include <QWidget>

namespace platform {

namespace {

// Every guard alive, for the boxes' answers.
QList<FocusGuard *> &guards()
{
    static QList<FocusGuard *> all;
    return all;
}

bool mayTakeFocus(const QWidget *w)
{
    return w && w->isEnabled() && w->isVisible() && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

} // namespace

FocusGuard::FocusGuard(QWidget &window, QWidget *harmless, const QList<QAbstractButton *> &acting)
    : QObject(&window)
    , m_window(&window)
    , m_harmless(harmless)
{
    for (QAbstractButton *button : acting) {
        if (!button)
            continue;
        m_acting.append(button);
        button->installEventFilter(this);
        // Enter must not click them from elsewhere in the window either.
        if (auto *push = qobject_cast<QPushButton *>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }
    }
    if (harmless)
        harmless->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && m_window && m_window->isAncestorOf(now))
            m_last = now;
    });
    guards().append(this);
}

FocusGuard::~FocusGuard()
{
    guards().removeOne(this);
}

void FocusGuard::afterBox()
{
    for (FocusGuard *guard : std::as_const(guards())) {
        if (!guard->m_window || !guard->m_window->isVisible())
            continue;
        QWidget *focus = guard->m_window->focusWidget();
        if (guard->isActing(focus))
            guard->moveOff(focus);
    }
}

void FocusGuard::actEnded(const QWidget &window)
{
    for (FocusGuard *guard : std::as_const(guards())) {
        if (guard->m_window != &window)
            continue;
        QWidget *focus = window.focusWidget();
        if (guard->isActing(focus))
            guard->moveOff(focus);
    }
}

bool FocusGuard::isActing(const QWidget *w) const
{
    if (!w)
        return false;
    for (const QPointer<QAbstractButton> &button : m_acting) {
        if (button == w)
            return true;
    }
    return false;
}

bool FocusGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_harmless) {
        // Hidden or disabled, it had passed the focus on (a lock, a bulk change of a grid).
        if ((event->type() == QEvent::EnabledChange && m_harmless->isEnabled()) || event->type() == QEvent::Show)
            harmlessBack();
        return false;
    }
    if (event->type() != QEvent::FocusIn || m_moving)
        return false;
    auto *button = qobject_cast<QWidget *>(watched);
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    // Tab from a live control is the operator's; Qt passes the focus on with the same reason
    // when the focused control is disabled or hidden, which is no aim of the operator.
    const bool tabbed = (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && m_last
                        && m_last != button && m_last->isEnabled() && m_last->isVisible();
    if (reason == Qt::MouseFocusReason || tabbed)
        return false;
    moveOff(button);
    return true;
}

void FocusGuard::harmlessBack()
{
    if (!m_window)
        return;
    QWidget *focus = m_window->focusWidget();
    // Not yet shown: the first focus it could not take while it was unavailable.
    if (!m_window->isVisible()) {
        if (!focus)
            m_harmless->setFocus(Qt::OtherFocusReason);
        return;
    }
    // A run or a lock over, the focus a button was left with goes back; a field the operator
    // went to keeps it.
    if ((!focus || qobject_cast<QAbstractButton *>(focus)) && mayTakeFocus(m_harmless))
        m_harmless->setFocus(Qt::OtherFocusReason);
}

void FocusGuard::moveOff(QWidget *from)
{
    if (!m_window)
        return;
    QWidget *target = mayTakeFocus(m_harmless) ? m_harmless.data() : nullptr;
    if (!target) {
        QWidget *start = m_harmless ? m_harmless.data() : m_window.data();
        for (QWidget *w = start->nextInFocusChain(); w && w != start; w = w->nextInFocusChain()) {
            if (m_window->isAncestorOf(w) && mayTakeFocus(w) && !isActing(w)) {
                target = w;
                break;
            }
        }
    }
    m_moving = true;
    if (target)
        target->setFocus(Qt::OtherFocusReason);
    else if (from)
        from->clearFocus();
    m_moving = false;
}

void keepFocusOffActs(QWidget &window, QWidget *harmless, const QList<QAbstractButton *> &acting)
{
    new FocusGuard(window, harmless, acting);
    if (harmless)
        harmless->setFocus(Qt::OtherFocusReason);
}

} // namespace platform
