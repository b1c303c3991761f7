#pragma once

#include <QList>
#include <QString>

// The one table of field texts that every road into a field meets: the line and cell pastes
// and the check of the position grid (its numeric columns and its comments), a parameter
// box (paste, leaving it) and a step of the test-move grid (paste). Each text is taken or refused alike on every road, as typing it would
// be.
namespace fieldtexts {

// UnusedPosi: the Posi column of axis 2, not in use.
enum Kind { Pulses, Mm, Vel, Acc, Way, Sm, UnusedPosi, ParaBox, Comment, Step };

// Grid column of a grid kind on axis 1 (Pulses and Mm: the Posi column; Comment: COMMENT).
int gridColumn(Kind kind);

// Adds the QTest rows "kind" (int), "text" (QString), "taken" (bool) and "shown" (QString: the
// grid's text once taken, as typing the text would leave it) of the kinds asked for.
void addRows(const QList<Kind> &kinds);

} // namespace fieldtexts
