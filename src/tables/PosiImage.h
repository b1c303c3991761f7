#pragma once

#include "tables/PosiTable.h"

#include <QString>
#include <QVariant>

// A position table as it arrives from a position file or the controller, before it is taken
// into the table: column 0 the position number, columns 1 to 20 table columns 0 to 19, the
// Posi columns (4, 8, 12, 16) in pulses.
extern QVariant gPosiWork[kPosiRows][kPosiFileCols];
extern QString gPosiFileDev[4];    // the actuator designations a position file records
extern QString gPosiFileNewOld[4]; // "NEW" or "OLD" as the position file records it

namespace tables {
void resetPosiImage();
}
