#include "support/PrintCheck.h"

#include "core/AppSettings.h"
#include "core/Messages.h"
#include "platform/PrinterDevice.h"

#include <QMap>
#include <cmath>
#include <algorithm>

namespace {
constexpr double kEps = 0.01;

QString describe(const platform::PrinterDevice::Drawn &d)
{
    return QStringLiteral("page %1 \"%2\" at %3,%4 to %5,%6")
        .arg(d.page)
        .arg(d.rule ? QStringLiteral("<rule>") : d.text)
        .arg(d.rect.left(), 0, 'f', 2)
        .arg(d.rect.top(), 0, 'f', 2)
        .arg(d.rect.right(), 0, 'f', 2)
        .arg(d.rect.bottom(), 0, 'f', 2);
}
} // namespace

QStringList printFaults(const platform::PrinterDevice &printer)
{
    using Drawn = platform::PrinterDevice::Drawn;
    QStringList faults;
    const QSizeF page = printer.printableSizeMm();
    QMap<int, double> footer;
    for (const Drawn &d : printer.drawn()) {
        if (d.rect.left() < -kEps || d.rect.top() < -kEps || d.rect.right() > page.width() + kEps
            || d.rect.bottom() > page.height() + kEps)
            faults << QStringLiteral("off the page: ") + describe(d);
        if (d.rule)
            footer[d.page] = std::max(footer.value(d.page, 0.0), d.rect.top());
    }
    QMap<QPair<int, double>, QList<Drawn>> lines;
    for (const Drawn &d : printer.drawn()) {
        if (d.rule || d.text.isEmpty())
            continue;
        lines[{d.page, std::round(d.rect.top() * 100) / 100}].append(d);
        const bool footerText = d.bold && d.italic && std::abs(d.rect.top() - footer.value(d.page)) < kEps;
        if (!footerText && d.rect.bottom() > footer.value(d.page) + kEps)
            faults << QStringLiteral("on or below the footer rule: ") + describe(d);
    }
    for (QList<Drawn> line : std::as_const(lines)) {
        std::sort(line.begin(), line.end(),
                  [](const Drawn &a, const Drawn &b) { return a.rect.left() < b.rect.left(); });
        for (int i = 1; i < line.size(); ++i)
            if (line[i - 1].rect.right() > line[i].rect.left() + kEps)
                faults << QStringLiteral("overlap: ") + describe(line[i - 1]) + QStringLiteral(" / ")
                              + describe(line[i]);
    }
    return faults;
}

void useLanguage(int language)
{
    gLanguage = language;
    gLangOffset = settings::languageOffsetFor(language);
}
