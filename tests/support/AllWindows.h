#pragma once

#include <QList>
#include <functional>

class QWidget;

// Every window of the program, made as its callers make it: `main` is the main window, the
// owner of the others (the main window's own entry returns it). For the tests that go
// through them all; a window class without an entry here is found by them.
struct ProgramWindow
{
    const char *name;
    std::function<QWidget *(QWidget *main)> make;
};

QList<ProgramWindow> programWindows();
