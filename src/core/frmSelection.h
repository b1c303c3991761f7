#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

// The choice window: two or three options under a title and a prompt, shown modally.
class frmSelection : public QDialog
{
    Q_OBJECT

public:
    explicit frmSelection(QWidget *parent = nullptr);

    QRadioButton *optSelectKomoku(int index) const { return m_opt[index]; }
    QPushButton *cmdSelectOk() const { return m_cmdSelectOk; }
    QPushButton *cmdSelectCancel() const { return m_cmdSelectCancel; }
    QLabel *lblSelectSetumei() const { return m_lblSelectSetumei; }

    int SelectKomoku = -1;        // the chosen index, or -1 after Cancel
    bool SelectHideFlag = false;  // shown without Cancel: OK is the only way out

    // Mode 1 offers no Cancel; any other mode offers it.
    void setMode(int mode);

public Q_SLOTS:
    // Esc and the close box come here: Cancel when it is offered, refused otherwise.
    void reject() override;

private:
    void cmdSelectOk_Click();
    void cmdSelectCancel_Click();

    QRadioButton *m_opt[3];
    QPushButton *m_cmdSelectOk;
    QPushButton *m_cmdSelectCancel;
    QLabel *m_lblSelectSetumei;
};

// Return the index of the chosen option, or -1 after Cancel. Mode 1: no Cancel.
int ShowSelection(const QString &title, const QString &prompt, const QString &option1,
                  const QString &option2, int mode);
int ShowSelection2(const QString &title, const QString &prompt, const QString &option1,
                   const QString &option2, const QString &option3, int mode);
