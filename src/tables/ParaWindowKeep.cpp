#include "tables/ParaWindowKeep.h"

namespace tables {

QHash<QString, QVariant> &keptParaWindow()
{
    static QHash<QString, QVariant> kept;
    return kept;
}

} // namespace tables
