#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

namespace platform {

namespace {

bool hasAll(const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    for (const QChar c : text)
        if (!c.isSpace() && !metrics.inFont(c))
            return false;
    return true;
}

} // namespace

QFont wholeTextFont(const QFont &base, const QString &text)
{
    if (hasAll(base, text))
        return base;
    // Families of the writing systems the system's texts use, the Japanese ones first.
    QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    families += QFontDatabase::families(QFontDatabase::Any);
    for (const QString &family : std::as_const(families)) {
        QFont candidate = base;
        candidate.setFamilies({family});
        if (hasAll(candidate, text))
            return candidate;
    }
    return base;
}

} // namespace platform
