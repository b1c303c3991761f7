#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The window shown for a fixed time before anything else at start-up. Its texts are the same
// in both languages.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kSplashMs = 2000;

    explicit frmSplash(QWidget *parent = nullptr);

    QTimer *timerSplash() const { return m_timerSplash; }
    QLabel *lblVersion() const { return m_lblVersion; }

    // "Version " + major + "." + minor + revision + "E": 1.5.0 gives "Version 1.50E".
    static QString versionLine(const QString &version);

    // Shows the window, lets it paint, switches its timer on and returns once the timer has
    // set gSplashEnd (cleared again on return). The interval is the timer's own.
    void runUntilEnded();

private:
    void timerSplash_Timer();

    QTimer *m_timerSplash;
    QLabel *m_lblVersion;
};
