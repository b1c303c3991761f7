#include "support/PrintCheck.h"

#include "core/AppSettings.h"
#include "core/Messages.h"
#include "platform/PrinterDevice.h"

#include <QMap>
#include <QPrinter>
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
    QMap<int, QList<Drawn>> pages;
    for (const Drawn &d : printer.drawn()) {
        if (d.rule || d.text.isEmpty())
            continue;
        pages[d.page].append(d);
        const bool footerText = d.bold && d.italic && std::abs(d.rect.top() - footer.value(d.page)) < kEps;
        if (!footerText && d.rect.bottom() > footer.value(d.page) + kEps)
            faults << QStringLiteral("on or below the footer rule: ") + describe(d);
    }
    // Every text whole and apart: no two boxes of a page share any part, on one line or on two.
    for (const QList<Drawn> &texts : std::as_const(pages)) {
        for (int i = 0; i < texts.size(); ++i)
            for (int j = i + 1; j < texts.size(); ++j) {
                const QRectF both = texts[i].rect.intersected(texts[j].rect);
                if (both.width() > kEps && both.height() > kEps)
                    faults << QStringLiteral("overlap: ") + describe(texts[i]) + QStringLiteral(" / ")
                                  + describe(texts[j]);
            }
    }
    return faults;
}

QList<OfficePage> officePages()
{
    return {{QStringLiteral("A4 portrait"), QPageSize::A4, QPageLayout::Portrait},
            {QStringLiteral("A4 landscape"), QPageSize::A4, QPageLayout::Landscape},
            {QStringLiteral("Letter portrait"), QPageSize::Letter, QPageLayout::Portrait},
            {QStringLiteral("Letter landscape"), QPageSize::Letter, QPageLayout::Landscape}};
}

void usePage(platform::PrinterDevice &printer, const OfficePage &page)
{
    printer.printer()->setPageSize(QPageSize(page.size));
    printer.printer()->setPageOrientation(page.orientation);
}

void useLanguage(int language)
{
    gLanguage = language;
    gLangOffset = core::settings::languageOffsetFor(language);
}
