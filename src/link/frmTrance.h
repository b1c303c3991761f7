#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window beside a transfer with the controller. The operation that shows it
// sets gTranceCancelable first, drives the caption and the bar, and unloads it at its end;
// the operator can only press Cancel, which sets gTranceCancel.
class frmTrance : public QDialog
{
    Q_OBJECT

public:
    // `mainWindow` places the window by its corner; it may be null.
    explicit frmTrance(QWidget *mainWindow = nullptr);

    QLabel *lblSetumei() const { return m_lblSetumei; }
    QProgressBar *prgBar1() const { return m_prgBar1; }
    QPushButton *cmdTranceCancel() const { return m_cmdTranceCancel; }

    // The caption of message `id` (368, 378, 383, ...).
    void setCaption(int id);
    // Closes the window by the program's own hand.
    void unload();

    void cmdTranceCancel_Click();

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_lblSetumei;
    QProgressBar *m_prgBar1;
    QPushButton *m_cmdTranceCancel;
    bool m_unloading = false;
};
