#pragma once

class frmMain;

// The main window's commands of the options, About, offline and close items, registered
// under the handler names the window's controls run.
void wireMainCommands(frmMain &window);
