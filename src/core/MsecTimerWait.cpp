#include "core/MsecTimerWait.h"

#include <QEventLoop>
#include <QTimer>

void MsecTimerWait(int ms)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(qMax(ms, 0));
    loop.exec();
}
