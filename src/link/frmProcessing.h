#pragma once

#include <QDialog>

class QLabel;

// The busy notice shown while the system prepares itself; gProcessingShown tells whether it
// is loaded. Only the program closes it.
class frmProcessing : public QDialog
{
    Q_OBJECT

public:
    explicit frmProcessing(QWidget *mainWindow = nullptr);
    ~frmProcessing() override;

    QLabel *lblProcese() const { return m_lblProcese; }
    void unload();

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *m_lblProcese;
    bool m_unloading = false;
};
