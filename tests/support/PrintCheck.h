#pragma once

#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QStringList>

namespace platform {
class PrinterDevice;
}

// The faults of the last document's layout, from the printer's record of what it drew (text
// rectangles measured in the fonts used, a line's full height): anything outside the printable
// area, two texts whose boxes overlap (side by side on a line, or one line running into the
// next), a body text not wholly above its page's footer rule (the lowest rule; the footer's
// own bold italic texts sit on it). Empty when there are none.
QStringList printFaults(const platform::PrinterDevice &printer);

// The pages an office prints on: A4 and Letter, portrait and landscape.
struct OfficePage
{
    QString name;
    QPageSize::PageSizeId size;
    QPageLayout::Orientation orientation;
};
QList<OfficePage> officePages();
// The page the printer prints on next, as the page set-up dialog would choose it.
void usePage(platform::PrinterDevice &printer, const OfficePage &page);

// Sets the message language: 1 Japanese, 2 English.
void useLanguage(int language);
