#pragma once

#include <functional>

class QWidget;

// Acts on the next modal window once it is shown (exec() has started its loop), so a test
// can answer a window that its code under test opens modally.
void whenModalOpens(std::function<void(QWidget *modal)> act);
