#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QWidget;

// The options window: port, millimetre rounding, display unit, language and the pulse feed
// of teaching. OK checks, applies and stores; Close, Cancel and the close box change nothing.
class frmOptions2 : public QDialog
{
    Q_OBJECT

public:
    explicit frmOptions2(QWidget *parent = nullptr);

    QTabWidget *SSTabOption = nullptr;
    QLabel *lblPortNo = nullptr;
    QLineEdit *txtPortNo = nullptr;
    QToolButton *UpDown2Up = nullptr;
    QToolButton *UpDown2Down = nullptr;
    QLabel *lblPortDevice = nullptr;
    QCheckBox *chkPortOccupy = nullptr;
    QLabel *Label1 = nullptr;
    QRadioButton *optSutiSyori[2] = {};
    QGroupBox *framHyojiUnit = nullptr;
    QRadioButton *optHyojiKirikae[2] = {};
    QGroupBox *framLanguege = nullptr;
    QRadioButton *optLanguege[2] = {};
    QGroupBox *framAccDcc = nullptr;
    QRadioButton *optAccDcc[2] = {};
    QLabel *lblJogVelSetumei = nullptr;
    QLabel *lblJogVelCap = nullptr;
    QLineEdit *txtJogVel = nullptr;
    QLabel *lblJogAccCap = nullptr;
    QWidget *pictureJogAcc = nullptr;
    QRadioButton *optJogAcc[3] = {};
    QLabel *lblJogAcc2Cap = nullptr;
    QWidget *pictureJogAcc2 = nullptr;
    QRadioButton *optJogAcc2[3] = {};
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;

    static constexpr int kTeachingTab = 4;

    void cmdOK_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void Form_Load();
    void SSTabOption_Click(int previousTab);
    int JogVelCheck();
    void showPortDevice();
    void stepPort(int delta);
    void focusJogVel();

    int m_tab = 0;
    bool m_guardingTab = false;
};
