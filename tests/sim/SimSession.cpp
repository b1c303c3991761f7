#include "sim/SimSession.h"

#include "core/AppSettings.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "platform/SettingsStore.h"

#include <QTemporaryDir>

namespace sim {

SimSession::SimSession() = default;

SimSession::~SimSession()
{
    link::resetLinkState();
    m_sim.stop();
    qunsetenv("QZW4_PORT_DEVICE");
}

bool SimSession::start(QString *error)
{
    m_dir = std::make_unique<QTemporaryDir>();
    platform::SettingsStore::useFile(m_dir->filePath(QStringLiteral("settings.ini")));
    if (!m_sim.start(error))
        return false;
    useSimulator();
    reset();
    return true;
}

void SimSession::reset()
{
    link::resetLinkState();
    link::resetLinkHooks();
    settings::resetAppSettings();
    m_sim.clearFaults();
    m_sim.setPaced(false);
    m_sim.clearReceived();
}

void SimSession::useMissingDevice()
{
    qputenv("QZW4_PORT_DEVICE", "/dev/qzw4-no-such-port");
}

void SimSession::useSimulator()
{
    qputenv("QZW4_PORT_DEVICE", m_sim.devicePath().toLocal8Bit());
}

} // namespace sim
