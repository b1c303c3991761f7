#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The sequence-macro window: one macro of 16 steps at a time, with the commands of
// SmCommands. Modeless, one at a time; its values live in gSmData.
class frmSqMcr : public QWidget
{
    Q_OBJECT
public:
    explicit frmSqMcr(QWidget *parent = nullptr);

    // Shows the window, created on first use, in front of the others.
    static frmSqMcr *showWindow();
    static frmSqMcr *instance();

    void SM_CMDBTN_Yuko();
    void SM_CMDBTN_Muko();
    void SmCMDBTN_Muko2();
    void SmCMDBTN_Yuko2();
    // True when the key may reach the data box of step s.
    bool txtSmData_KeyPress(int s, int key, const QString &text);
    int macro() const; // 0 to 19

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Wrap { Read, Controller, File, FilePrint, DispPrint };

    void SmDataHyoji();
    void comboChosen(int s);
    void dataFocused(int s);
    void run(Wrap wrap, void (*body)());
    QPushButton *button(const char *name, int id, Wrap wrap, void (*body)());

    QLabel *m_lblSqMacroNo = nullptr;
    QSpinBox *m_UpDownSmNo = nullptr;
    QComboBox *m_comboMerei[16] = {};
    QLineEdit *m_txtSmData[16] = {};
    QList<QPushButton *> m_commands; // in the order the switches name them
    bool m_showing = false;          // SmDataHyoji is filling the boxes
};

namespace editors {
// Registers the main window's macro-window openers.
void registerSqMcrWindowCommands();
}
