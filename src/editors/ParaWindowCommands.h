#pragma once

class frmParameta2;

// The bodies of the parameter window's file, controller and factory commands. Each runs
// inside the window's command frame (its own and the main window's commands disabled).

void GetParametaValue(frmParameta2 &w);
void ParaWriteToCt(frmParameta2 &w);
void ParaCtShogo(frmParameta2 &w);
void ParaFileShogo(frmParameta2 &w);
// 0 only when the data were written to a file.
int SaveParaFileAs(frmParameta2 &w);
void ParaFileRead(frmParameta2 &w);
void IniParaSet(frmParameta2 &w);

namespace editors {
// The blank test, intake and range check every command that uses the fields runs first; the
// refusal messages are the given pairs. true when the fields may be used.
bool takeParaFields(frmParameta2 &w, int invalidFirst, int invalidSecond);
}

void ParaPrint(frmParameta2 &w);
void ParaFilePrint(frmParameta2 &w);
