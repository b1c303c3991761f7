#pragma once

#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QStringList>
#include <functional>

class QWidget;

// Answers the program's own modal windows (choice, actuator setup) in a test: each modal
// window shown takes the next queued action, run once its event loop is live. A window with
// no action queued is recorded as unexpected and closed, so a test fails on it instead of
// blocking.
class ModalDriver : public QObject
{
public:
    using Action = std::function<void(QWidget *window)>;

    ModalDriver();
    ~ModalDriver() override;

    void then(Action action);
    // A run that meets more unexpected windows than a few (code under test that asks again and
    // again, after the driver closed its question) is ended at once with their names, rather
    // than left to loop until the test's time runs out.
    void failFastOnUnexpected() { m_failFast = true; }
    // The object names of the modal windows shown, in order.
    const QStringList &shown() const { return m_shown; }
    const QStringList &unexpected() const { return m_unexpected; }
    int pending() const { return int(m_actions.size()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QQueue<Action> m_actions;
    QStringList m_shown;
    QStringList m_unexpected;
    bool m_failFast = false;
};

// Helpers for actions: a child of the window by object name, clicked.
void clickChild(QWidget *window, const QString &name);

// Acts on the next modal window once it is shown (exec() has started its loop), so a test
// can answer a window that its code under test opens modally.
void whenModalOpens(std::function<void(QWidget *modal)> act);
