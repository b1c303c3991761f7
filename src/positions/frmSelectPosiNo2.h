#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The range window of the read from the controller: all positions, or a first and a last
// number. The result is left in gPosiNoFrom, gPosiNoTo and gSelectCancel.
class frmSelectPosiNo2 : public QDialog
{
    Q_OBJECT

public:
    explicit frmSelectPosiNo2(QWidget *parent = nullptr);

    QRadioButton *optSelectPosiNo(int index) const { return m_opt[index]; }
    QLineEdit *txtStartPosiNo() const { return m_start; }
    QLineEdit *txtEndPosiNo() const { return m_end; }
    QPushButton *cmdSelectPosiOk() const { return m_ok; }
    QPushButton *cmdSelectPosiCancel() const { return m_cancel; }

    void optSelectPosiNo_Click(int index);
    void cmdSelectPosiOk_Click();
    void reject() override; // Cancel, Esc and the close box

private:
    QRadioButton *m_opt[2] = {};
    QLabel *m_startLabel = nullptr;
    QLabel *m_endLabel = nullptr;
    QLineEdit *m_start = nullptr;
    QLineEdit *m_end = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
