#pragma once

#include <QString>

namespace platform {

// An advisory flock(2) on a serial device, held while the program has the device open.
// Programs that take a device with flock alone are not seen by Qt's own lock file.
class DeviceLock
{
public:
    DeviceLock() = default;
    ~DeviceLock();
    DeviceLock(const DeviceLock &) = delete;
    DeviceLock &operator=(const DeviceLock &) = delete;

    // Opens the device without touching its settings and locks it. False only when another
    // process holds a lock on it; a device that cannot be opened here is left to the port's
    // own opening, which tells why.
    bool lock(const QString &device);
    void unlock();

private:
    int m_fd = -1;
};

} // namespace platform
