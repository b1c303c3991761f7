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
    const char *shown = nullptr; // what the grid shows once taken; nullptr: the text trimmed
};

// Taken texts are within their column's range (axis 1: 20000 pulses, 100 mm, 0.005 mm a
// pulse), so the check passes them too. A text typing would refuse (out of range, a sign its
// keys cannot type and the value cannot take) is refused on every road.
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
    {Pulses, "pulses plus sign", "+15", true, "15"},
    {Pulses, "pulses leading zeros", "007", true, "7"},
    {Pulses, "pulses minus", "-3", false},
    {Mm, "mm 12.5", "12.5", true, " 12.500"},
    {Mm, "mm 100.000", "100.000", true},
    {Mm, "mm padded", "  5.000", true, "  5.000"},
    {Mm, "mm finer than a pulse, up", "1.2345", true, "  1.235"},
    {Mm, "mm finer than a pulse, to 0", "0.0025", true, "  0.000"},
    {Mm, "mm finer than a pulse, down", "1.0005", true, "  1.000"},
    {Mm, "mm plus sign", "+1.5", true, "  1.500"},
    {Mm, "mm leading zeros", "007.5", true, "  7.500"},
    {Mm, "mm blanks around", " 2.5 ", true, "  2.500"},
    {Mm, "mm minus", "-3.0071", false},
    {Mm, "mm 1,5", "1,5", false},
    {Mm, "mm 5..5", "5..5", false},
    {Mm, "mm point alone", ".", false},
    {Mm, "mm 1e1", "1e1", false},
    {Mm, "mm 12abc", "12abc", false},
    {Vel, "VEL 30", "30", true},
    {Vel, "VEL leading zero", "07", true, "7"},
    {Vel, "VEL plus sign", "+7", true, "7"},
    {Vel, "VEL 75", "75", false},
    {Vel, "VEL 30.7", "30.7", false},
    {Vel, "VEL 12abc", "12abc", false},
    {Vel, "VEL 0x10", "0x10", false},
    {Vel, "VEL too long", "030", false},
    {Acc, "ACC 2", "2", true},
    {Acc, "ACC 2.0", "2.0", false},
    {Acc, "ACC a", "a", false},
    {Acc, "ACC 0", "0", false},
    {Way, "WAY 1", "1", true},
    {Way, "WAY blank", " ", false},
    {Way, "WAY 1e1", "1e1", false},
    {Sm, "S/M 20", "20", true},
    {Sm, "S/M a", "a", false},
    {Sm, "S/M &H10", "&H10", false},
    {UnusedPosi, "unused axis, a number", "5000", true, "0"},
    {UnusedPosi, "unused axis, not a number", "12abc", true, "0"},
    {ParaBox, "box 300", "300", true},
    {ParaBox, "box 65535", "65535", true},
    {ParaBox, "box 300.7", "300.7", false},
    {ParaBox, "box 12abc", "12abc", false},
    {ParaBox, "box 0x10", "0x10", false},
    {ParaBox, "box 1,5", "1,5", false},
    {ParaBox, "box 1e1", "1e1", false},
    {ParaBox, "box &H10", "&H10", false},
    {Comment, "comment", "pick up", true},
    {Comment, "comment blanks trimmed", "  pick up  ", true},
    {Comment, "comment 40 characters", "0123456789012345678901234567890123456789", true},
    {Comment, "comment cut to 40 characters", "0123456789012345678901234567890123456789X", true,
     "0123456789012345678901234567890123456789"},
    {Comment, "comment with a double quote", "say \"hi\"", false},
    {Comment, "comment a double quote alone", "\"", false},
    {Step, "step 7", "7", true},
    {Step, "step 999", "999", true},
    {Step, "step leading zeros", "007", true, "7"},
    {Step, "step 0 empties the cell", "0", true, ""},
    {Step, "step plus sign", "+7", false},
    {Step, "step 1000", "1000", false},
    {Step, "step 12abc", "12abc", false},
    {Step, "step blank", " 7", false},
    {Step, "step 1.5", "1.5", false},
};

} // namespace

int gridColumn(Kind kind)
{
    switch (kind) {
    case Vel: return 1;
    case Acc: return 2;
    case Way: return 3;
    case Sm: return 19;
    case Comment: return 20;
    case UnusedPosi: return 8;
    default: return 4;
    }
}

void addRows(const QList<Kind> &kinds)
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("shown");
    for (const Row &r : kRows) {
        const QString text = QString::fromLatin1(r.text);
        if (kinds.contains(r.kind))
            QTest::newRow(r.name) << int(r.kind) << text << r.taken
                                  << (r.shown ? QString::fromLatin1(r.shown) : text.trimmed());
    }
}

} // namespace fieldtexts
