#include "platform/Beep.h"

#include <QApplication>

namespace platform {

namespace {
int g_beeps = 0;
}

void beep()
{
    ++g_beeps;
    QApplication::beep();
}

int beepCount()
{
    return g_beeps;
}

} // namespace platform
