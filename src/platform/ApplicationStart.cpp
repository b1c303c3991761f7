// What every program of the system (the program itself, each test program, each helper
// program) does as its application object is made, before it makes any window. Linked into
// every program whole (src/CMakeLists.txt): a static library would drop it, since nothing
// calls it.
#include "platform/WheelGuard.h"
#include "platform/WindowRules.h"

#include <QCoreApplication>

namespace {

void startApplication()
{
    platform::guardWheel();
    platform::installWindowRules();
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startApplication)
