#pragma once

#include <QString>

// The comparison of the parameter set with the exchange table (the controller's or a file's
// values) that the parameter window's verifications show.

enum ParaVerifyGroup { kVerifyHome, kVerifyAxis, kVerifyPg, kVerifyEtc, kVerifySp, kVerifyGroups };

extern bool gVerifyNG;                      // the last comparison found a difference
extern QString gVerifyDiff[kVerifyGroups];  // the differing items of each group, as found

// Compares the items of the axes in use and the single items; sets gVerifyNG and gVerifyDiff.
void ParaChangeCheck();
// The result text of the last comparison: 826, or 823 and one line per group with differences.
QString paraVerifyText();

namespace tables {
void resetParaVerify();
}
