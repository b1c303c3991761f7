#pragma once

#include <QDialog>

class QButtonGroup;
class QLabel;
class QLineEdit;
class frmParameta2;

// The stroke calculator: a stroke and lead in millimetres to the stroke in pulses, put into
// the STROKE field of a chosen axis of the parameter window. Modal, made afresh each time.
class frmDevice : public QDialog
{
    Q_OBJECT
public:
    explicit frmDevice(frmParameta2 *parameters);

    void cmdCulStrokePulse_Click();
    void cmdInputStroke_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether the box still shows its hint text, untouched.
    bool holdsHint(const QLineEdit *box) const;

    frmParameta2 *m_parameters;
    QLineEdit *m_txtStrokeTyo = nullptr;
    QLineEdit *m_txtRido = nullptr;
    QLabel *m_lblStrokePulse = nullptr;
    QButtonGroup *m_optActType = nullptr;
    QButtonGroup *m_optInputSaki = nullptr;
};
