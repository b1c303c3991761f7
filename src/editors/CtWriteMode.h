#pragma once

namespace editors {

// Before a table is written: the controller must be standing still, then it is put into its
// write mode. false after the refusal was told once (the link's message; 377 when the link
// told nothing; 424 moving).
bool enterCtWriteMode();

// After the table went (`written`), or failed to go: the controller back into its plain
// mode. After a failure that mode command is silent. false only when a good write could not
// leave the mode and nothing has told that yet (the caller may tell it).
bool leaveCtWriteMode(bool written);

} // namespace editors
