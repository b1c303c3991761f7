#pragma once

#include "tables/FileRetry.h"

#include <QString>
#include <initializer_list>

namespace platform {
class ItemReader;
}

namespace tables {

// The first line of the editors' files: the model the file was written for and its kind.
// Opens `path` into `in` and reads that line. Ok when the kind is `kind` and the model one of
// `models`; a file of another model or kind is Rejected after telling the operator (message
// `rejectedMessage`, then 20). A file that does not open is IoFailed; one far larger than any
// of these files, or an unreadable line, Damaged.
// What a group or macro file holds against what its line 2 names: the program always writes
// every record, but a hand-made file may hold fewer, and so does a file cut at a line end.
struct RecordCount
{
    int named = 0;    // the records line 2 names
    int held = 0;     // the records the file holds
    int lastLine = 0; // the last line read
};

FileRead openWithHeader(platform::ItemReader &in, const QString &path, const char *kind,
                        std::initializer_list<const char *> models, int rejectedMessage);

} // namespace tables
