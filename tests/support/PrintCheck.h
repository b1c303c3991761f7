#pragma once

#include <QStringList>

namespace platform {
class PrinterDevice;
}

// The faults of the last document's layout, from the printer's record of what it drew (text
// rectangles measured in the fonts used): anything outside the printable area, two texts on
// one line that overlap, a body text not wholly above its page's footer rule (the lowest rule;
// the footer's own bold italic texts sit on it). Empty when there are none.
QStringList printFaults(const platform::PrinterDevice &printer);

// Sets the message language: 1 Japanese, 2 English.
void useLanguage(int language);
