#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAbstractButton;
class QWidget;

namespace platform {

// Keeps the keyboard focus of one window off its acting buttons: those that write to the
// controller, move an axis, or change outputs or the controller's mode. Space presses the
// focused button, so a button that holds the focus without the operator having aimed at it
// would act on one key. The operator reaches an acting button by a click or by Tab; every
// other way the focus would land on one (the window's first focus, the window shown again
// after a box, the focused control disabled by a run and the focus passed on, the program's
// own setFocus) goes to the window's harmless control instead. The harmless control takes the
// focus back from a button when it is shown or enabled again (a run, a lock of the window over).
class FocusGuard : public QObject
{
public:
    FocusGuard(QWidget &window, QWidget *harmless, const QList<QAbstractButton *> &acting);
    ~FocusGuard() override;

    // A box has been answered: no window keeps the focus on an acting button it had before.
    static void afterBox();
    // The window's act (a feed, a run) has ended: the focus leaves the button that started it.
    static void actEnded(const QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isActing(const QWidget *w) const;
    // The harmless control is available again.
    void harmlessBack();
    // The harmless control, or the first control after it that may take the focus and does
    // not act; none: the focus is taken off `from`.
    void moveOff(QWidget *from);

    QPointer<QWidget> m_window;
    QPointer<QWidget> m_harmless;
    QList<QPointer<QAbstractButton>> m_acting;
    QPointer<QWidget> m_last; // the window's focused control before the current change
    bool m_moving = false;
};

// A text field the program gives the focus to is selected whole, as Tab selects it: one rule of
// every window, platform/WindowRules.h.

// Installs the guard (owned by `window`) and gives the window its first focus: `harmless`, a
// control that neither writes, moves nor changes a mode (a list, a field, Close, Cancel).
// Acting push buttons are made no default buttons as well.
void keepFocusOffActs(QWidget &window, QWidget *harmless, const QList<QAbstractButton *> &acting);

} // namespace platform
