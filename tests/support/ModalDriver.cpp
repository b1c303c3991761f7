#include "support/ModalDriver.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

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
