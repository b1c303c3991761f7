#include "support/RecordingHooks.h"

#include "link/LinkHooks.h"

RecordingHooks::RecordingHooks()
{
    link::setMainWindowCommands(this);
    link::setMoveWindowHooks(this);
    link::setIoMonitorHooks(this);
    link::setTransferProgress(this);
    link::setHomeLampHook([this](bool shown) { log << QStringLiteral("home lamp %1").arg(shown ? "on" : "off"); });
    link::setStatusPanelHook([this](int panel, const QString &text) {
        log << QStringLiteral("panel %1: %2").arg(panel).arg(text);
    });
}

RecordingHooks::~RecordingHooks()
{
    link::resetWindowHooks();
    link::setHomeLampHook({});
    link::setStatusPanelHook({});
}

void RecordingHooks::open(int captionId, int maximum)
{
    progressOpen = true;
    progressMaximum = maximum;
    progressValue = 0;
    log << QStringLiteral("progress %1 of %2").arg(captionId).arg(maximum);
}

void RecordingHooks::close()
{
    if (progressOpen)
        log << QStringLiteral("progress closed at %1").arg(progressValue);
    progressOpen = false;
}

QStringList RecordingHooks::entries(const QString &prefix) const
{
    QStringList found;
    for (const QString &entry : log)
        if (entry.startsWith(prefix))
            found << entry;
    return found;
}
