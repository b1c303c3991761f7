#pragma once

#include "tables/FileHeader.h"
#include "platform/Dialogs.h"

#include <QList>
#include <QString>
#include <functional>

// The file steps the group and macro windows share.
namespace editors {

// Runs the read with the retries, counted in gRetryCount; false after telling why. A refused
// header has been told already; a damaged file is told like an unreadable one (failureId).
bool readDataFileReported(const std::function<tables::FileRead()> &read, int failureId);

// After a group or macro file was read: when it left records out, one box says which came from
// the file (takenId, with the numbers of `taken`, from 1), then keptId (0: none) for what
// became of the others; and first, when the file holds fewer records than its line 2 names,
// that it may have been cut short (cutId). Nothing is shown for a file that holds every record.
void tellPartialFile(const QString &path, const tables::RecordCount &count, const QList<bool> &taken,
                     int cutId, int takenId, int keptId);

// Asks for the file to save; the name chosen becomes gParaFileName and the write (0 when
// written) runs with the retries, counted in gRetryCount. A failed write shows
// writeFailureText(failureId).
void saveDataFile(const platform::FileDialogRequest &request,
                  const std::function<int(const QString &path)> &write, int failureId);

} // namespace editors
