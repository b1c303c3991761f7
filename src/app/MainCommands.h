#pragma once

#include <QString>

class frmMain;

// The main window's commands of the options, offline, Function menu and Help items,
// registered under the handler names the window's controls run.
void wireMainCommands(frmMain &window);

// The texts of the Function menu's answers: "Axis setting is 5." from the axes in use, and the
// version list of the controller and its axes in use.
QString axisSettingText();
QString ctVersionText();
