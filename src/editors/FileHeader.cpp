#include "editors/FileHeader.h"

#include "core/Messages.h"
#include "platform/ItemReader.h"

#include <algorithm>

namespace editors {

FileRead openWithHeader(platform::ItemReader &in, const QString &path, const char *kind,
                        std::initializer_list<const char *> models, int rejectedMessage)
{
    if (!in.open(path))
        return FileRead::IoFailed;
    const QString model = in.text();
    const QString fileKind = in.text();
    if (!in.ok())
        return FileRead::Damaged;
    const bool knownModel = std::any_of(models.begin(), models.end(), [&](const char *m) {
        return model == QLatin1String(m);
    });
    if (fileKind != QLatin1String(kind) || !knownModel) {
        ResMsgBox({rejectedMessage, 20});
        return FileRead::Rejected;
    }
    return FileRead::Ok;
}

} // namespace editors
