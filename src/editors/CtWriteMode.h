#pragma once

namespace editors {

// Before a table is written: the controller must be standing still, then it is put into its
// write mode. false after the refusal was told (377 no answer or no mode, 424 moving).
bool enterCtWriteMode();

} // namespace editors
