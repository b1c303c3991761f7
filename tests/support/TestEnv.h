#pragma once

#include "platform/DialogScript.h"

#include <QTemporaryDir>

// A fresh process state for one test: settings in a temporary file, every subsystem reset,
// and dialogs answered by a script.
class TestEnv
{
public:
    TestEnv();
    ~TestEnv();

    QString settingsFile() const;
    QString tempPath(const QString &name) const;
    platform::DialogScript &dialogs() { return m_dialogs; }

    // Writes "key=value" pairs into the settings file as another program run would have.
    void storeSettings(const QList<QPair<QString, QString>> &values);

    static void resetAll();

private:
    QTemporaryDir m_dir;
    platform::DialogScript m_dialogs;
};
