#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTest>
#include <QTimer>

ModalDriver::ModalDriver()
{
    qApp->installEventFilter(this);
}

ModalDriver::~ModalDriver()
{
    qApp->removeEventFilter(this);
    if (!m_unexpected.isEmpty())
        QTest::qFail(qPrintable(QStringLiteral("unexpected modal windows: ")
                                + m_unexpected.join(QStringLiteral(" | "))),
                     __FILE__, __LINE__);
}

void ModalDriver::then(Action action)
{
    m_actions.enqueue(std::move(action));
}

bool ModalDriver::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *w = static_cast<QWidget *>(watched);
    if (!w->isWindow() || !w->isModal())
        return false;
    m_shown << w->objectName();
    QPointer<QWidget> window(w);
    if (m_actions.isEmpty()) {
        m_unexpected << w->objectName();
        constexpr int kUnexpectedLimit = 4;
        if (m_failFast && m_unexpected.size() > kUnexpectedLimit)
            qFatal("the code under test keeps opening windows nobody expects (another road?): %s",
                   qPrintable(m_unexpected.join(QStringLiteral(" | "))));
        QTimer::singleShot(0, w, [window] {
            if (auto *d = qobject_cast<QDialog *>(window.data()))
                d->done(QDialog::Rejected);
            else if (window)
                window->close();
        });
        return false;
    }
    Action action = m_actions.dequeue();
    QTimer::singleShot(0, w, [this, window, action] {
        if (!window)
            return;
        action(window);
        // Every action must end its window; one left open would block the test.
        QTimer::singleShot(0, this, [this, window] {
            if (window && window->isVisible()) {
                m_unexpected << window->objectName() + QStringLiteral(" left open");
                if (auto *d = qobject_cast<QDialog *>(window.data()))
                    d->done(QDialog::Rejected);
                else
                    window->close();
            }
        });
    });
    return false;
}

void clickChild(QWidget *window, const QString &name)
{
    auto *b = window->findChild<QAbstractButton *>(name);
    if (!b) {
        QTest::qFail(qPrintable(QStringLiteral("no button ") + name), __FILE__, __LINE__);
        if (auto *d = qobject_cast<QDialog *>(window))
            d->done(QDialog::Rejected);
        return;
    }
    b->click();
}

namespace {

void poll(std::function<void(QWidget *)> act, int triesLeft)
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) {
        act(modal);
        return;
    }
    if (triesLeft > 0)
        QTimer::singleShot(0, [act = std::move(act), triesLeft] { poll(act, triesLeft - 1); });
}

} // namespace

void whenModalOpens(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] { poll(act, 1000); });
}
