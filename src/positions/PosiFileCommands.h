#pragma once

#include "positions/PosiFile.h"

#include <QString>

// The main window's position file commands: Open, Save and Save As.

// Set when the operator cancelled a save's file dialog. Callers that save before going on
// clear it, run the save, and stop when the save reports anything but "saved".
extern bool SaveCancelFlag;
// The full path the table was opened from or last saved to; empty while it has no file.
extern QString gPosiFilePath;

// Results of the save commands.
constexpr int kPosiSaved = 0;
constexpr int kPosiSaveFailed = 1;  // the operator has been told (422)
constexpr int kPosiSaveStopped = 2; // cancelled, or the check found faults and showed them

// The open command: every command off, the open, commands on again.
int OpenPosiFile();
// The open itself: 0 when the file's positions are in the table; otherwise the table, the
// ranges, the name and the actuators are as they were and the operator has been told why.
int OpenPosiFile2();

// Writes the working range to path; 0 written, 1 failed (nothing told).
int SaveFileAs2(const QString &path);
// Save: the displayed range to the table's file (a dialog when it has none).
int SavePosiFile();
int SavePosiFileCheck();
int mnuFileSave_Click();
// Save As: range window, check, question 405, dialog, write.
int SavePosiFileAs();
int mnuFileSaveAs_Click();

namespace positions {

// The display name of a file: without folder and without its last four characters.
QString posiFileDisplayName(const QString &path);
// After an open or a save: the table is the file's, its name shown, and unchanged since.
void adoptTableFile(const QString &path);

// The file's content as SaveFileAs2 writes it: the working range of the table with the
// designations the main window shows. False when the range holds no valid position numbers.
bool posiFileImageFromTable(PosiFileImage &image);
// The file image's rows into gPosiWork and the image's other parts, for its range; the rows
// of the range the file has no line for get the defaults of a new table.
void takePosiFileImage(const PosiFileImage &image);

// The position file as the open and the verification against a file read it: readPosiFile
// with the retries, the operator told why it failed. 0 read into image; 1 failed (484, with
// the damaged line and the file named: with its position, 3011, without, 3016, or as the line
// the file ends inside, 3050); 2 another kind of file (21, 20). On anything but 0 the image is
// as it was.
int readPosiFileReported(const QString &path, PosiFileImage &image);

// Puts the open and save commands under the names the main window runs.
void registerPosiFileCommands();
void resetPosiFileState();

} // namespace positions
