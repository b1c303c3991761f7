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
FileRead openWithHeader(platform::ItemReader &in, const QString &path, const char *kind,
                        std::initializer_list<const char *> models, int rejectedMessage);

} // namespace tables
