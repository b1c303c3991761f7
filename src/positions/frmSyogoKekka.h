#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

// The result window of a position check or a verification: one line per flagged position,
// "X" on light red where a cell was flagged, "O" elsewhere.
class frmSyogoKekka : public QDialog
{
    Q_OBJECT

public:
    explicit frmSyogoKekka(QWidget *parent = nullptr);

    QLabel *lblSyogoKekka = nullptr;
    QTableWidget *flgdSyogoKekka = nullptr;
    QPushButton *cmdCloseSyogokekka = nullptr;

private:
    void Form_Load();
    void fillGrid();
    int headingWidth() const;
};
