#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Confirms the print of the grid's positions before the range is asked for. The answer is
// left in PrintCancel and PrintPosiNow. The file choice is shown but never offered.
class frmPrintSelect : public QDialog
{
    Q_OBJECT

public:
    explicit frmPrintSelect(QWidget *parent = nullptr);

    QGroupBox *frmPrintPosi = nullptr;
    QRadioButton *optPrintPosi[2] = {};
    QLabel *lblPrintPosiName = nullptr;
    QPushButton *cmdSelectPosiFile = nullptr;
    QPushButton *cmdPrintSet = nullptr;
    QPushButton *cmdPrintCancel = nullptr;

    void cmdPrintSet_Click();
    void cmdPrintCancel_Click();
    void reject() override; // Esc and the close box

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_closing = false; // closed by OK or Cancel, not by the close box
};
