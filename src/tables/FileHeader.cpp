#include "tables/FileHeader.h"

#include "core/Messages.h"
#include "platform/ItemReader.h"

#include <algorithm>

namespace tables {

FileRead openWithHeader(platform::ItemReader &in, const QString &path, const char *kind,
                        std::initializer_list<const char *> models, int rejectedMessage)
{
    if (!in.open(path))
        // Another attempt finds the same file: a refused one is told at once.
        return in.tooLarge() || in.notRegular() ? FileRead::Damaged : FileRead::IoFailed;
    const QString model = in.text();
    const bool knownModel = std::any_of(models.begin(), models.end(), [&](const char *m) {
        return model == QLatin1String(m);
    });
    // A first item that names no model of ours is another program's file, cut short or not.
    if (!in.ok() && (knownModel || model.isEmpty()))
        return FileRead::Damaged;
    const QString fileKind = knownModel ? in.text() : QString();
    // Another program's file need not have a second item, nor a whole line, to be told as not
    // ours.
    if (!knownModel || (fileKind != QLatin1String(kind) && (in.ok() || !fileKind.isEmpty()))) {
        ResMsgBox({rejectedMessage, 20});
        return FileRead::Rejected;
    }
    return in.ok() ? FileRead::Ok : FileRead::Damaged;
}

} // namespace tables
