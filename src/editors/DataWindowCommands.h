#pragma once

namespace editors {
// Wires the main window's openers of the group and macro windows.
void registerDataWindowCommands();
}
