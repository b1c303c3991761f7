#include "tables/ParaWindowKeep.h"

namespace editors {

QHash<QString, QVariant> &keptParaWindow()
{
    static QHash<QString, QVariant> kept;
    return kept;
}

} // namespace editors
