#pragma once

namespace editors {
// Wires the main window's openers of the group and macro windows.
void registerDataWindowCommands();

// The group and macro tables as the program starts (every group 1 to 1, every step END).
// Run once by the start-up; the windows keep the tables for the whole run, so what a closed
// window showed, typed, read from a file or from the controller, is there when it opens again.
void initGrpSmTables();
}
