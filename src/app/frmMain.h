#pragma once

#include "core/MainForm.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;

namespace platform {
class FixedGrid;
}

// The main window: menus, toolbar, the position grid with its buttons, the status and alarm
// frames and the status bar. It lives for the whole run and registers itself as the
// MainFormPort through which the rest of the system switches its commands and redraws it.
class frmMain : public QMainWindow, public MainFormPort
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    static frmMain *instance();
    // The screen width the load sizes the window for; tests pin it.
    static void setScreenWidthForLoad(int px);

    // Set when the operator stops the closing; read by the Exit command.
    bool ExitCancelled = false;

    platform::FixedGrid *flgdData() const { return m_grid; }
    QToolBar *tbToolBar() const { return m_toolBar; }
    QObject *control(const QString &name) const { return m_controls.value(name); }
    QAction *action(const QString &name) const;
    QPushButton *button(const QString &name) const;
    QLabel *lamp(const QString &name) const { return m_lamps.value(name); }
    QLabel *statusPanel(int panel) const;
    QLabel *lblFileName() const { return m_lblFileName; }
    QLabel *picture(int n) const { return n == 1 ? m_picture1 : m_picture2; }
    QTimer *Timer1() const { return m_timer1; }

    // Window events and menu handlers of the frame.
    void tbToolBar_ButtonClick(const QString &key);
    void mnuViewStatusBar_Click();
    void mnuViewToolBar_Click();
    void Timer1_Timer();
    void mnuFileNew_Click();
    void mnuFileShogoCt_Click();
    void mnuFileShogoFile_Click();
    void mnuFileExit_Click();
    void flgdData_DblClick();

    // MainFormPort
    void setControlEnabled(const QString &control, bool on) override;
    void setGridActive(bool on) override;
    void setGridRedraw(bool on) override;
    void QzDataHyoji_3() override;
    void DispAxisData() override;
    void Change_DispUnit() override;
    int Check_flgdLineNo() override;
    void GridStateOff() override;
    void GridStateOn() override;
    void GridCursorTop() override;
    void showFileName(const QString &name) override;
    QString deviceLabel(int axis) const override;
    void setDeviceLabel(int axis, const QString &text) override;
    void setAxisHeading(int axis, const QString &text) override;
    void repaintWindow() override;
    void showHomeLamp(bool shown) override;
    void setStatusPanel(int panel, const QString &text) override;
    void showAlarm(bool lamp, const QString &number, const QString &comment) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Form_Load();
    bool Form_QueryUnload();
    void Form_Unload();
    void buildMenus();
    void buildToolBar();
    QWidget *buildDataFrame();
    QWidget *buildStatusFrame();
    QWidget *buildAlarmFrame();
    void buildStatusBar();
    QAction *menuItem(QMenu *menu, const QString &name, int id);
    QPushButton *commandButton(QWidget *parent, const QString &name, int id, int tipId);
    QLabel *makeLamp(QWidget *parent, const QString &name, const QColor &colour);
    // A command entry: refused while an operation runs.
    void entry(const QString &command);
    void fitLayout();

    platform::FixedGrid *m_grid = nullptr;
    QToolBar *m_toolBar = nullptr;
    QGroupBox *m_frmDataEdit = nullptr;
    QLabel *m_picture1 = nullptr;
    QLabel *m_picture2 = nullptr;
    QLabel *m_lblFileName = nullptr;
    QLabel *m_lblDeviceType[4] = {};
    QLabel *m_lblAlarmNo = nullptr;
    QLabel *m_lblErrorComment = nullptr;
    QLabel *m_panels[5] = {};
    QTimer *m_timer1 = nullptr;
    QHash<QString, QObject *> m_controls;
    QHash<QString, QLabel *> m_lamps;
    bool m_unloaded = false;
};
