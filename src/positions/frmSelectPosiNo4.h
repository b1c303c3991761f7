#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The range window of the verification against a file: the file's range beside the
// displayed one, and the part of their overlap to verify. Without an overlap it shows only
// the notice, and OK closes it. The result is left in gPosiNoFrom, gPosiNoTo and
// gSelectCancel.
class frmSelectPosiNo4 : public QDialog
{
    Q_OBJECT

public:
    frmSelectPosiNo4(bool overlap, QWidget *parent = nullptr);

    QLabel *lblFileStartNo = nullptr;
    QLabel *lblFileEndNo = nullptr;
    QLabel *lblPcStartNo = nullptr;
    QLabel *lblPcEndNo = nullptr;
    QLabel *lblNotice = nullptr;
    QWidget *PictureVerifyRange = nullptr;
    QLineEdit *txtStartPosiNo = nullptr;
    QLineEdit *txtEndPosiNo = nullptr;
    QPushButton *cmdSelectPosiOk = nullptr;
    QPushButton *cmdSelectPosiCancel = nullptr;

    void cmdSelectPosiOk_Click();
    void reject() override; // Cancel, Esc and the close box
};
