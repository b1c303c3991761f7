#pragma once

#include <QString>

class QWidget;

// The help file's path: the program folder joined with the name the program is built with.
void SetHelpFile();
QString helpFilePath();

// Opens the help file; when there is none, shows the given message as an information box.
void ShowHelp(QWidget *owner, const QString &message);
