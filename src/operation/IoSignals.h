#pragma once

#include <QList>
#include <QString>

namespace operation {

// One signal of the controller's input or output word: its place (digit 0 to 5, bit 0 to 3),
// the name of its lamp and the label beside it.
struct IoSignal
{
    int digit;
    int bit;
    QString lamp;
    QString label;
};

// The 24 inputs, digit by digit.
const QList<IoSignal> &inputSignals();
// The 21 outputs that have a lamp, in the order of their white icons 24 to 44.
const QList<IoSignal> &outputSignals();
// The index of the first white icon (the outputs' icons follow the 24 inputs).
constexpr int kFirstWhiteIcon = 24;

} // namespace operation
