#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The range window of New, the write to the controller, the verification against the
// controller, the print and Save As: a first and a last position number. The result is left
// in gPosiNoFrom, gPosiNoTo and gSelectCancel.
class frmSelectPosiNo3 : public QDialog
{
    Q_OBJECT

public:
    explicit frmSelectPosiNo3(QWidget *parent = nullptr);

    QLineEdit *txtStartPosiNo() const { return m_start; }
    QLineEdit *txtEndPosiNo() const { return m_end; }
    QPushButton *cmdSelectPosiOk() const { return m_ok; }
    QPushButton *cmdSelectPosiCancel() const { return m_cancel; }

    void cmdSelectPosiOk_Click();
    void reject() override; // Cancel, Esc and the close box

private:
    QLineEdit *m_start = nullptr;
    QLineEdit *m_end = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
