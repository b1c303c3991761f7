#pragma once

#include <QString>
#include <initializer_list>

// The text of message N in the current language. A text missing in that language falls
// back to the other one, then to the empty text; either way a log line names it.
QString LoadResText(int id);

// The Japanese text of N: what a window's layout carries before Set_FormStr replaces it.
QString LayoutText(int id);

// Texts joined by CR LF, the way every message box builds its prompt.
QString ResLines(std::initializer_list<int> ids, const QString &separator = QStringLiteral("\r\n"));

// A message box of the given texts; returns the button chosen.
int ResMsgBox(std::initializer_list<int> ids, int style = 0);
