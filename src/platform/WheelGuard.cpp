#include "platform/WheelGuard.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QScrollBar>
#include <QTabBar>
#include <QWidget>

namespace platform {

namespace {

// Qt gives a control whose policy is Qt::WheelFocus (lists, number boxes) the focus as the
// wheel turns over it; that focus would be no aim of the operator.
void keepWheelFocusOff(QWidget *w)
{
    if (w->focusPolicy() == Qt::WheelFocus)
        w->setFocusPolicy(Qt::StrongFocus);
}

} // namespace

WheelGuard::WheelGuard(QObject *parent) : QObject(parent)
{
}

bool WheelGuard::changesValue(const QWidget *control)
{
    if (auto *bar = qobject_cast<const QScrollBar *>(control)) {
        // A scroll area's own bar takes the wheel the area passes it: it only scrolls.
        for (const QWidget *p = bar->parentWidget(); p; p = p->parentWidget()) {
            if (auto *area = qobject_cast<const QAbstractScrollArea *>(p))
                return area->verticalScrollBar() != bar && area->horizontalScrollBar() != bar;
        }
        return true;
    }
    return qobject_cast<const QComboBox *>(control) || qobject_cast<const QAbstractSpinBox *>(control)
           || qobject_cast<const QAbstractSlider *>(control) || qobject_cast<const QTabBar *>(control);
}

bool WheelGuard::aimedAt(const QWidget *control) const
{
    // Through the focus proxies, as Qt finds the control with the focus.
    if (!control->hasFocus())
        return false;
    const QWidget *focus = QApplication::focusWidget();
    for (const QPointer<QWidget> &aimed : m_aimed) {
        if (aimed == focus)
            return true;
    }
    return false;
}

void WheelGuard::focusIn(QWidget *w, Qt::FocusReason reason)
{
    bool aimed = false;
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
        aimed = true;
        break;
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
        // Qt passes the focus on with Tab's reason when the focused control is disabled or
        // hidden, which is no aim of the operator.
        aimed = m_last && m_last != w && m_last->isEnabled() && m_last->isVisible();
        break;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        // The focus comes back where it was (the window active again, a list's popup closed),
        // and so does the operator's aim, or the lack of it.
        m_last = w;
        return;
    default:
        break;
    }
    m_last = w;
    const QWidget *window = w->window();
    m_aimed.removeIf([window](const QPointer<QWidget> &p) { return !p || p->window() == window; });
    if (aimed)
        m_aimed.append(w);
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (auto *w = qobject_cast<QWidget *>(watched))
            keepWheelFocusOff(w);
        break;
    case QEvent::FocusIn:
        if (auto *w = qobject_cast<QWidget *>(watched))
            focusIn(w, static_cast<QFocusEvent *>(event)->reason());
        break;
    case QEvent::Wheel:
        if (auto *w = qobject_cast<QWidget *>(watched); w && changesValue(w) && !aimedAt(w)) {
            // Declined: Qt offers the wheel to the control's parents, up to the pane or grid
            // that scrolls.
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void guardWheel()
{
    static QPointer<WheelGuard> guard;
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app || guard)
        return;
    guard = new WheelGuard(app);
    app->installEventFilter(guard);
    const QWidgetList existing = QApplication::allWidgets();
    for (QWidget *w : existing)
        keepWheelFocusOff(w);
}

} // namespace platform
