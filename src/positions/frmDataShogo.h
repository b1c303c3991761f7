#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Asks what the position table is verified against: ShogoSaki 1 a file, 2 the controller,
// 0 cancelled (also by the close box or Esc).
class frmDataShogo : public QDialog
{
    Q_OBJECT

public:
    explicit frmDataShogo(QWidget *parent = nullptr);

    int ShogoSaki = 0;

    QLabel *lblDataShogo = nullptr;
    QLabel *imgQuestion = nullptr;
    QPushButton *cmdFileDataShogo = nullptr;
    QPushButton *cmdCtDataShogo = nullptr;
    QPushButton *cmdCancelOfShogo = nullptr;

    void cmdFileDataShogo_Click();
    void cmdCtDataShogo_Click();
    void cmdCancelOfShogo_Click();
};
