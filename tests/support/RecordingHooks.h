#pragma once

#include "link/WindowHooks.h"

#include <QStringList>

// Fakes of the windows the link touches: every call is written to one log, in order, so that
// a test can assert what the windows would have been told. Registered while they live.
class RecordingHooks : public link::MainWindowCommands,
                       public link::MoveWindowHooks,
                       public link::IoMonitorHooks,
                       public link::TransferProgress
{
public:
    RecordingHooks();
    ~RecordingHooks() override;
    RecordingHooks(const RecordingHooks &) = delete;
    RecordingHooks &operator=(const RecordingHooks &) = delete;

    QStringList log;
    bool progressOpen = false;
    int progressValue = -1;
    int progressMaximum = -1;

    void CMDBTN_Yuko() override { log << QStringLiteral("CMDBTN_Yuko"); }
    void ToolBar_Yuko() override { log << QStringLiteral("ToolBar_Yuko"); }
    void Menyu_Yuko() override { log << QStringLiteral("Menyu_Yuko"); }
    void MenuFunction_Yuko() override { log << QStringLiteral("MenuFunction_Yuko"); }
    void enableResetButton() override { log << QStringLiteral("cmdReset"); }

    void MoveStateHyoji(int value) override { log << QStringLiteral("MoveStateHyoji %1").arg(value); }
    void MoveCMDBTN_Yuko() override { log << QStringLiteral("MoveCMDBTN_Yuko"); }
    void setReachedPosition(const QString &text) override { log << QStringLiteral("lblkanryoNo ") + text; }
    void enableDwellControls() override { log << QStringLiteral("dwell controls"); }

    void clearReadFlag() override { log << QStringLiteral("read flag cleared"); }
    void clearOutputPending() override { log << QStringLiteral("output pending cleared"); }

    void open(int captionId, int maximum) override;
    void setValue(int value) override { progressValue = value; }
    void close() override;

    // The entries of the log that begin with `prefix`.
    QStringList entries(const QString &prefix) const;
};
