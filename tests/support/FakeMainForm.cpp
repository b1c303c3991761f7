#include "support/FakeMainForm.h"

#include "core/Messages.h"
#include "positions/PosiDataCheck.h"
#include "positions/PosiGridText.h"
#include "positions/PosiTable.h"

FakeMainForm::FakeMainForm()
{
    mainform::registerForm(this);
    positions::setCheckGrid(&grid);
}

FakeMainForm::~FakeMainForm()
{
    positions::setCheckGrid(nullptr);
    if (mainform::form() == this)
        mainform::registerForm(nullptr);
}

void FakeMainForm::setControlEnabled(const QString &control, bool on)
{
    disabled.removeAll(control);
    if (!on)
        disabled << control;
}

void FakeMainForm::QzDataHyoji_3()
{
    if (gPosiNoDefFrom == 0 && gPosiNoDefTo == 0)
        return;
    const int count = gPosiNoDefTo - gPosiNoDefFrom + 1;
    grid.setRows(count + positions::kGridHeadingRows);
    for (int i = 0; i < count; ++i) {
        const int n = gPosiNoDefFrom + i;
        const int r = i + positions::kGridHeadingRows;
        grid.setText(r, 0, QString::number(n));
        for (int c = 0; c < kPosiCols; ++c)
            grid.setText(r, c + 1, posigrid::cellText(n, c));
    }
}

int FakeMainForm::Check_flgdLineNo()
{
    if (grid.rows() > positions::kGridHeadingRows)
        return 0;
    ResMsgBox({433, 434});
    return 1;
}
