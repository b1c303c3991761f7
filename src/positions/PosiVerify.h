#pragma once

// The verification of the position table against a position file or the controller. The
// differences are shown in the result window frmSyogoKekka; a verification changes neither
// the table, nor its name, nor the changed flag.

// The main window's Verify button: asks file or controller.
int cmdPosiVerify_Click();
int PosiDataShogo();
// The toolbar's "Shogo": against the controller without asking.
int PosiDataCtShogoCmd();
// Against a file: the displayed range, a file dialog, the range window of the overlap.
int PosiDataFileShogo2();
// Against the controller: the range window, then the controller's positions of that range.
int PosiDataCtShogo();

namespace positions {
void registerPosiVerifyCommands();
}
