#pragma once

#include "core/MainForm.h"
#include "support/MemoryGrid.h"

#include <QStringList>

// A main window without widgets for the tests of commands: its grid is held in memory, filled
// from the tables as the real grid is, and is the grid the position check reads. It registers
// itself while it lives.
class FakeMainForm : public MainFormPort
{
public:
    FakeMainForm();
    ~FakeMainForm() override;

    MemoryGrid grid;
    QString fileName;
    QString labels[4];
    bool gridActive = true;
    QStringList disabled; // controls switched off, in the order of the last switch

    void setControlEnabled(const QString &control, bool on) override;
    void setGridActive(bool on) override { gridActive = on; }
    void QzDataHyoji_3() override;
    void DispAxisData() override {}
    void Change_DispUnit() override {}
    int Check_flgdLineNo() override;
    void GridStateOff() override {}
    void GridStateOn() override {}
    void GridCursorTop() override {}
    void showFileName(const QString &name) override { fileName = name; }
    QString deviceLabel(int axis) const override { return labels[axis & 3]; }
    void setDeviceLabel(int axis, const QString &text) override { labels[axis & 3] = text; }
    void setAxisHeading(int, const QString &) override {}
    void showHomeLamp(bool) override {}
    void setStatusPanel(int, const QString &) override {}
    void showAlarm(bool, const QString &, const QString &) override {}
};

// Positions 1 to 5 shown in millimetres, the last operation having worked on 2 and 3 alone,
// and `mm` typed since into axis 1's Posi of position 5: a change of actuators must take it
// in. Returns the grid row of position 5.
int typePosiOutsideLastRange(FakeMainForm &form, const QString &mm);
