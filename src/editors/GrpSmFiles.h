#pragma once

#include "tables/FileRetry.h"
#include "platform/Dialogs.h"

#include <QString>
#include <functional>

// The file steps the group and macro windows share.
namespace editors {

// Runs the read with the retries, counted in gRetryCount; false after telling why. A refused
// header has been told already; a damaged file is told like an unreadable one (failureId).
bool readDataFileReported(const std::function<tables::FileRead()> &read, int failureId);

// Asks for the file to save; the name chosen becomes gParaFileName and the write (0 when
// written) runs with the retries, counted in gRetryCount. A failed write shows
// writeFailureText(failureId).
void saveDataFile(const platform::FileDialogRequest &request,
                  const std::function<int(const QString &path)> &write, int failureId);

} // namespace editors
