#include "sim/SimSession.h"

#include "core/AppSettings.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QFile>
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
    core::settings::resetAppSettings();
    m_sim.clearFaults();
    m_sim.setPaced(false);
    m_sim.clearReceived();
}

QString SimSession::missingDevicePath()
{
    // One name a process: tests running side by side would otherwise meet at the serial
    // port's lock of that one name and be told of the lock, not of the missing device.
    return QStringLiteral("/dev/qzw4-no-such-port-%1").arg(QCoreApplication::applicationPid());
}

void SimSession::useMissingDevice()
{
    qputenv("QZW4_PORT_DEVICE", QFile::encodeName(missingDevicePath()));
}

void SimSession::useSimulator()
{
    qputenv("QZW4_PORT_DEVICE", m_sim.devicePath().toLocal8Bit());
}

} // namespace sim
