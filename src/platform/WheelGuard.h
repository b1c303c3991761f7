#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace platform {

// The mouse wheel changes a value (a list's choice, a number box, a slider, a tab page) only in
// the control the operator gave the focus by a click, by Tab or by its shortcut. Over any other
// such control the wheel goes on to what lies beneath it, so the pane or grid it sits in
// scrolls (or nothing happens); the focus the program gives (a window's first focus, a
// setFocus) is no aim of the operator. No control takes the focus by the wheel either. One
// object for the whole program watches every window's events: the application's start
// installs it (platform/ApplicationStart.cpp), so no window can be made without it.
class WheelGuard : public QObject
{
public:
    explicit WheelGuard(QObject *parent);

    // A control whose value the wheel would change; a pane's own scroll bar is none.
    static bool changesValue(const QWidget *control);
    // The control has the focus, and the operator gave it.
    bool aimedAt(const QWidget *control) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusIn(QWidget *w, Qt::FocusReason reason);

    // Of each window, the control that took the focus from the operator, while it keeps it.
    QList<QPointer<QWidget>> m_aimed;
    // The control that had the focus before the current change.
    QPointer<QWidget> m_last;
};

// Installs the guard on the running widget application, once; the application's start calls
// it. Nothing without a widget application.
void guardWheel();

} // namespace platform
