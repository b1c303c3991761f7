#pragma once

#include "tables/ActuatorSet.h"
#include "tables/DevSetting.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
namespace platform {
class ScrollPane;
}

// The parameter window: the parameter set as one field per item and axis, with the commands
// that read, write, verify, open, save and print it. Modeless, one at a time.
class frmParameta2 : public QWidget
{
    Q_OBJECT
public:
    // The per-axis fields by their kind number.
    enum Kind {
        HomeOffset, HomePush, HomeVel, HomeOfsVel, HomePushVel, HomeOrder, JogHighVel,
        AxisStroke, AxisLead, AxisPulse, AxisAutoDrv, EtcJhOrQz, ActSize, ActSpeed, ActStroke,
        PgFunc, PgAlarm, PgCheckTimer, LsSerchTimer, SoftLimit, M0Disable, KindCount
    };

    explicit frmParameta2(QWidget *parent = nullptr);
    ~frmParameta2() override;

    // Shows the window, created on first use, in front of the others.
    static frmParameta2 *showWindow();
    static frmParameta2 *instance();

    void YukoJikuHyojiSettei();
    void ParametaHyoji();
    // 1 when a field's text could not be taken into the set (the set then fails its check).
    int TorikomiParametaValue();
    int ParametaValueCheck() const;
    void CheckParaBlank();

    void ParaCMDBTN_Muko();
    void ParaCMDBTN_Yuko();

    // Runs a command body with this window's and the main window's commands disabled.
    void runCommand(const std::function<void()> &body);

    QWidget *field(int kind, int axis) const { return m_field[kind][axis]; }
    static bool isGreyed(const QWidget *w);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void ActComboInit();
    void ActComboSet(int axis);
    void ActSize_Change(int axis);
    void ActSpeed_Change(int axis);
    void ActSizeListSet(int axis);
    void ActSpeedListSet(int axis, const QString &size);
    void ActStrokeListSet(int axis);
    int ActSizeSelect(int axis) const;
    int ActSpeedSelect(int axis, const QString &speed) const;
    int ActStrokeSelect(int axis, int stroke) const;
    void chkTokuParaChange_Click();
    int intakeFields();
    void enterPressed(QLineEdit *box);
    void focusLeft(QLineEdit *box);
    QList<QWidget *> specialSingles() const;
    void fitFieldWidths();
    QList<QWidget *> valueFields() const;
    void keepShown() const;
    void showKept();
    // What the window shows belongs to the actuators it was made for: once others are current
    // (a road outside the window changed them) it shows what a new window shows.
    void followCurrentActuators();
    void showAfresh();

    QWidget *m_field[KindCount][kAxisCount] = {};
    QLineEdit *m_txtActuator[kAxisCount] = {};
    QComboBox *m_comboHomeOut = nullptr;
    QComboBox *m_comboEtcAlmCode = nullptr;
    QComboBox *m_comboEtcGrpEnable = nullptr;
    QComboBox *m_comboSmInTimer = nullptr;
    QLineEdit *m_txtSmTimeoutTimer = nullptr;
    QLineEdit *m_txtOneAxis = nullptr;
    QComboBox *m_comboAutoHome = nullptr;
    QComboBox *m_comboStopPause = nullptr;
    QComboBox *m_comboAccDcc = nullptr;
    QCheckBox *m_chkTokuParaChange = nullptr;
    QTabWidget *m_SSTabPrm = nullptr;
    platform::ScrollPane *m_pane = nullptr;
    QList<QPushButton *> m_commands; // the ten command buttons in the switches' order
    bool m_intakeFailed = false;
    tables::ActuatorSet m_madeFor; // the actuators what the window shows was made for
};

// The blank test of the commands: sets gParaEmpty from the open window's fields.
void CheckParaBlank();
void ParaCMDBTN_Muko();
void ParaCMDBTN_Yuko();

namespace editors {
// Registers the main window's openers and the deferred opening after the online actuator window.
void registerParameterWindowCommands();
}
