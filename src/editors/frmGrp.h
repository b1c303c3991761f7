#pragma once

#include <QWidget>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The group window: 99 groups, 33 a page, with the commands of GrpCommands. Modeless, one
// at a time; its values live in gGrpData.
class frmGrp : public QWidget
{
    Q_OBJECT
public:
    explicit frmGrp(QWidget *parent = nullptr);

    // Shows the window, created on first use, in front of the others.
    static frmGrp *showWindow();
    static frmGrp *instance();

    void GrpCMDBTN_Muko();
    void GrpCMDBTN_Yuko();
    int page() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void GrpPageHyoji();
    void optGrpNo_Click(int page);
    void storeBox(QLineEdit *box);
    void setCommandsEnabled(bool on);
    void runControllerCommand(void (*body)());
    void runFileCommand(void (*body)());
    QPushButton *button(const char *name, int id, void (*body)(), bool controller);

    QGroupBox *m_framHyoujiNo = nullptr;
    QButtonGroup *m_optGrpNo = nullptr;
    QLabel *m_lblGrpNo[33] = {};
    QLineEdit *m_txtGrpStartNo[33] = {};
    QLineEdit *m_txtGrpEndNo[33] = {};
    QList<QPushButton *> m_commands; // in the order the switches name them
};

namespace editors {
// Registers the main window's group-window openers.
void registerGrpWindowCommands();
}
