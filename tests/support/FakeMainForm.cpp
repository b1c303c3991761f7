#include "support/FakeMainForm.h"

#include "core/AppSettings.h"
#include "core/Messages.h"
#include "tables/PosiDataCheck.h"
#include "positions/PosiGridText.h"
#include "tables/PosiTable.h"

FakeMainForm::FakeMainForm()
{
    core::mainform::registerForm(this);
    tables::setCheckGrid(&grid);
}

FakeMainForm::~FakeMainForm()
{
    tables::setCheckGrid(nullptr);
    if (core::mainform::form() == this)
        core::mainform::registerForm(nullptr);
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
    grid.setRows(count + tables::kGridHeadingRows);
    for (int i = 0; i < count; ++i) {
        const int n = gPosiNoDefFrom + i;
        const int r = i + tables::kGridHeadingRows;
        grid.setText(r, 0, QString::number(n));
        for (int c = 0; c < kPosiCols; ++c)
            grid.setText(r, c + 1, positions::posigrid::cellText(n, c));
    }
}

int FakeMainForm::Check_flgdLineNo()
{
    if (grid.rows() > tables::kGridHeadingRows)
        return 0;
    ResMsgBox({433, 434});
    return 1;
}

int typePosiOutsideLastRange(FakeMainForm &form, const QString &mm)
{
    gDispMmUnit = true;
    InitPosiData();
    gPosiNoDefFrom = 1;
    gPosiNoDefTo = 5;
    form.QzDataHyoji_3();
    gPosiNoFrom = 2;
    gPosiNoTo = 3;
    const int row5 = 5 - 1 + 2;
    form.grid.setText(row5, 4, mm);
    return row5;
}
