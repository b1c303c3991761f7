#include "support/FieldTexts.h"

#include <QtTest>

namespace fieldtexts {

namespace {

struct Row
{
    Kind kind;
    const char *name;
    const char *text;
    bool taken;
};

// Taken texts are within their column's range (axis 1: 20000 pulses, 100 mm), so the check
// passes them too.
const Row kRows[] = {
    {Pulses, "pulses 2000", "2000", true},
    {Pulses, "pulses 0", "0", true},
    {Pulses, "pulses blanks trimmed", " 2000 ", true},
    {Pulses, "pulses 12abc", "12abc", false},
    {Pulses, "pulses 0x10", "0x10", false},
    {Pulses, "pulses 1,5", "1,5", false},
    {Pulses, "pulses 1e1", "1e1", false},
    {Pulses, "pulses &H10", "&H10", false},
    {Pulses, "pulses decimal", "7.5", false},
    {Pulses, "pulses empty", "", false},
    {Pulses, "pulses blanks", "  ", false},
    {Pulses, "pulses too long", "00002000", false},
    {Mm, "mm 12.5", "12.5", true},
    {Mm, "mm 100.000", "100.000", true},
    {Mm, "mm padded", "  5.000", true},
    {Mm, "mm 1,5", "1,5", false},
    {Mm, "mm 5..5", "5..5", false},
    {Mm, "mm point alone", ".", false},
    {Mm, "mm 1e1", "1e1", false},
    {Mm, "mm 12abc", "12abc", false},
    {Vel, "VEL 30", "30", true},
    {Vel, "VEL 30.7", "30.7", false},
    {Vel, "VEL 12abc", "12abc", false},
    {Vel, "VEL 0x10", "0x10", false},
    {Vel, "VEL too long", "030", false},
    {Acc, "ACC 2", "2", true},
    {Acc, "ACC 2.0", "2.0", false},
    {Acc, "ACC a", "a", false},
    {Way, "WAY 1", "1", true},
    {Way, "WAY blank", " ", false},
    {Way, "WAY 1e1", "1e1", false},
    {Sm, "S/M 20", "20", true},
    {Sm, "S/M a", "a", false},
    {Sm, "S/M &H10", "&H10", false},
    {ParaBox, "box 300", "300", true},
    {ParaBox, "box 65535", "65535", true},
    {ParaBox, "box 300.7", "300.7", false},
    {ParaBox, "box 12abc", "12abc", false},
    {ParaBox, "box 0x10", "0x10", false},
    {ParaBox, "box 1,5", "1,5", false},
    {ParaBox, "box 1e1", "1e1", false},
    {ParaBox, "box &H10", "&H10", false},
};

} // namespace

int gridColumn(Kind kind)
{
    switch (kind) {
    case Vel: return 1;
    case Acc: return 2;
    case Way: return 3;
    case Sm: return 19;
    default: return 4;
    }
}

void addRows(const QList<Kind> &kinds)
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("taken");
    for (const Row &r : kRows) {
        if (kinds.contains(r.kind))
            QTest::newRow(r.name) << int(r.kind) << QString::fromLatin1(r.text) << r.taken;
    }
}

} // namespace fieldtexts
