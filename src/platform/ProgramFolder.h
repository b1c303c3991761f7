#pragma once

#include <QString>

namespace platform {

// The folder the catalogue, the factory lists and the error lists are read from: the
// executable's folder unless a test or a portable install names another.
QString programFolder();
void setProgramFolder(const QString &folder);
QString programFile(const QString &name);

} // namespace platform
