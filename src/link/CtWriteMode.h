#pragma once

#include <QStringList>

namespace link {

// Before a table is written: the controller must be standing still, then it is put into its
// write mode. false after the refusal was told once (the link's message; 377 when the link
// told nothing; 424 moving). A failed entry sends the plain mode once, silently.
bool enterCtWriteMode();

// After the table went (`written`), or failed to go: the controller back into its plain
// mode, silently. false only when a complete write could not confirm that mode; that is told
// here, once, as a written table whose mode is unconfirmed (3020, 3021).
bool leaveCtWriteMode(bool written);

// A write cut by a failure, told in one box: what the link said (held while the write ran;
// `ownMessage` when it said nothing), then that the controller may now hold part of the new
// data and should be verified or written again (3022). Every write road tells its cut so.
void tellCutWrite(const QStringList &linkTold, int ownMessage);
// The same lines, for a write whose box says more about what the cut leaves behind.
QStringList cutWriteLines(const QStringList &linkTold, int ownMessage);

} // namespace link
