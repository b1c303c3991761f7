#pragma once

#include "sim/ControllerSim.h"

#include <QString>
#include <memory>

class QTemporaryDir;

namespace sim {

// A test's controller: a simulator on a pseudo-terminal that every port number opens
// (QZW4_PORT_DEVICE), with the link and the settings in the state of a fresh process and
// the settings in a temporary file.
class SimSession
{
public:
    SimSession();
    ~SimSession();

    bool start(QString *error = nullptr);
    ControllerSim &controller() { return m_sim; }
    // Back to a fresh link and a well-behaved controller: no faults, empty log.
    void reset();
    // Points the ports at a device that does not exist.
    // A device path that names no device, one a process.
    static QString missingDevicePath();
    void useMissingDevice();
    void useSimulator();

private:
    ControllerSim m_sim;
    std::unique_ptr<QTemporaryDir> m_dir;
};

} // namespace sim
