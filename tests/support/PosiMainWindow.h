#pragma once

#include <functional>

class frmMain;

// The main window wired as the program wires it for the position commands (editing, the main
// commands, Open and Save), holding a new table of positions 1 to 3 on axis 1 alone (lead 2 mm,
// 400 pulses per revolution, 20000 pulses at most, stroke 100 mm). Build it inside a TestEnv.
struct PosiMainWindow
{
    // `beforeTable` runs once the window is wired and the axis set, before the table is made
    // and shown: for more commands or another display unit.
    explicit PosiMainWindow(const std::function<void()> &beforeTable = {});
    ~PosiMainWindow();
    PosiMainWindow(const PosiMainWindow &) = delete;
    PosiMainWindow &operator=(const PosiMainWindow &) = delete;

    frmMain *w = nullptr;
};
