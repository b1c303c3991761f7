#pragma once

#include "actuators/DevicePanels.h"

class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLabel;
class QVBoxLayout;
class QWidget;

// What the two actuator setup windows share: the four axis panels, their mirroring of the
// panel state, and the wiring of the operator's actions into it.
namespace actuators::devicewindow {

struct AxisControls
{
    QGroupBox *framAxis = nullptr;
    QCheckBox *chkAxisEnable = nullptr;
    QWidget *PictureAxis = nullptr;
    QLabel *lblDeviceSize = nullptr;
    QLabel *lblDeviceSpeed = nullptr;
    QLabel *lblDeviceStroke = nullptr;
    QComboBox *comboDeviceSize = nullptr;
    QComboBox *comboDeviceSpeed = nullptr;
    QComboBox *comboDeviceStroke = nullptr;
    QCheckBox *chkNewOrOld = nullptr;
    QCheckBox *chkDevPgUse = nullptr;
    QCheckBox *chkDevVsiyou = nullptr;
};

struct Controls
{
    QLabel *lblDeviceSetumei = nullptr;
    AxisControls axis[kAxisCount];
    QLabel *cautions[3] = {nullptr, nullptr, nullptr}; // Label1 to Label3
};

// Builds the prompt, the two-by-two axis frames and the caution lines into the layout.
void buildPanels(QDialog *window, QVBoxLayout *layout, QWidget *commandColumn, Controls &c);
// Puts the state into the controls without running any of their handlers.
void showState(const DevicePanels &panels, Controls &c);
// Feeds the operator's clicks, choices and typing into the state; after each handler the
// state is shown again.
void connectPanels(QDialog *window, DevicePanels &panels, Controls &c);
// The window's place: a little right of and below the main window's corner.
void placeBesideMainWindow(QWidget *window);

} // namespace actuators::devicewindow
