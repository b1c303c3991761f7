#pragma once

class frmMain;

// The start of the system: splash, stored settings, the main window, the choice between
// online and offline, then the online road through the controller or the offline road
// through the stored actuators, the catalogue and the actuator change. Returns the main
// window, which keeps the system running; its closing ends the process.
frmMain *Main(int splashMs = 2000);

// Every command that the main window's buttons, menus and toolbar run by name, wired, and the
// grid's editing attached.
void wireCommands(frmMain &window);
