#pragma once

#include <QString>

class QFile;

namespace platform {

// Only regular files are read or written: a named pipe would hold the program until another
// program writes to it, a device, a socket or a folder is no file of the program.
// What the path names when it is not a regular file ("a named pipe", "a device", "a folder",
// "a socket"); empty for a regular file or a path that does not exist.
QString nonRegularKind(const QString &path);
// The reason a path is refused, in the system's words like Qt's own reasons: "not a regular
// file (a named pipe)"; empty for a regular file or a path that does not exist.
QString notRegularFileReason(const QString &path);
// Opens a regular file for reading without waiting on anything else: a named pipe, a device
// or a socket is refused at once; false with the reason in `error`. `refused` tells a path
// refused for its kind from a failure to open it.
bool openRegularForReading(QFile &file, const QString &path, QString *error, bool *refused = nullptr);

} // namespace platform
