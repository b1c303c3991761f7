#pragma once

#include "link/WindowHooks.h"
#include "operation/MoveRunner.h"

#include <QWidget>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTableWidget;

// The test-move window: a program of up to 15 positions, a range of positions with the home
// return, and a group move, each run through MoveRunner. Modeless, one at a time.
class frmMove : public QWidget, public MoveRunPanel, public link::MoveWindowHooks
{
    Q_OBJECT

public:
    explicit frmMove(QWidget *parent = nullptr);
    ~frmMove() override;

    // The open window, or nullptr.
    static frmMove *instance();

    MoveRunner &runner() { return m_runner; }
    QTableWidget *programGrid() const { return m_grid; }

    using QWidget::isEnabled;
    using QWidget::setEnabled;

    // MoveRunPanel
    QString programStep(int step) const override;
    bool isChecked(const QString &control) const override;
    QString text(const QString &control) const override;
    bool isEnabled(const QString &control) const override;
    void setEnabled(const QString &control, bool on) override;
    void setPageEnabled(int page, bool on) override;
    void MoveCMDBTN_Muko() override;
    void MoveCMDBTN_Yuko() override;
    void setFocusTo(const QString &control) override;
    void runEnded() override;

    // link::MoveWindowHooks
    void MoveStateHyoji(int value) override;
    void setReachedPosition(const QString &text) override;
    void enableDwellControls() override;

    void cmdDataClear_Click();
    void cmdInp1toF_Click();
    void optMoveWay_Click(int index);
    void chkTimerUse_Click();
    void chkTimerUse2_Click();
    // Enter in txtTimer: the value checked and rewritten.
    void txtTimer_Confirm();

    // Whether the window may close now; mode 0 is the close box. Closing during a run asks
    // first; when the operator agrees the run is told to stop and the window goes once the
    // run has ended.
    bool Form_QueryUnload(int unloadMode);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildProgramPage(QWidget *page);
    void buildRangePage(QWidget *page);
    void buildGroupPage(QWidget *page);
    void sldrStartPosiNo_Change();
    void sldrEndPosiNo_Change();
    void updownStartPosiNo_Change(int value);
    void updownEndPosiNo_Change(int value);
    bool singleMove() const;
    void place();
    QWidget *control(const QString &name) const;

    MoveRunner m_runner;
    QTabWidget *m_tab = nullptr;
    QTableWidget *m_grid = nullptr;
    QLineEdit *m_txtTimer = nullptr;
    QLineEdit *m_txtTimer2 = nullptr;
    QCheckBox *m_chkTimerUse = nullptr;
    QCheckBox *m_chkTimerUse2 = nullptr;
    QLabel *m_lblStart = nullptr;
    QLabel *m_lblEnd = nullptr;
    QLabel *m_lblGrpNo = nullptr;
    QSlider *m_sldrStart = nullptr;
    QSlider *m_sldrEnd = nullptr;
    QSlider *m_sldrGrp = nullptr;
    QSpinBox *m_updownStart = nullptr;
    QSpinBox *m_updownEnd = nullptr;
    QSpinBox *m_updownGrp = nullptr;
    QRadioButton *m_optMoveWay[2] = {nullptr, nullptr};
    QLabel *m_lblkanryoNo = nullptr;
    QLabel *m_imgOutGreen[2] = {nullptr, nullptr};
    bool m_closeAfterRun = false;
};

// Shows the test-move window, creating it on first use.
void ShowMoveWindow();

namespace operation {
// "cmdOpenMoveWin", "mnuShowMove" and the toolbar's "MoveTest" open the window.
void registerMoveWindow();
}
