#pragma once

#include "platform/DialogScript.h"
#include "sim/ControllerModel.h"
#include "sim/SimSession.h"
#include "support/RecordingHooks.h"

#include <QStringList>
#include <memory>

// A test's whole controller: the simulator serving the controller model, the link and the
// parameter, group, macro and actuator data as in a fresh process, recording window fakes
// and a dialog script. start() once per test case, reset() before every test.
class SimFixture
{
public:
    bool start(QString *error);
    // start() from a test program's initTestCase: a simulator that does not start fails it,
    // with the reason.
    void startOrFail();
    void reset();
    // Axes in use in the system and in the controller's block 0 (bit i = axis i + 1).
    void useAxes(int mask);
    // The port names a device that does not exist until the next reset().
    void useMissingDevice() { m_session.useMissingDevice(); }
    // The port names the simulator again (after useMissingDevice or a restart).
    void useSimulator() { m_session.useSimulator(); }
    // A controller whose port vanished comes back on a new device; the model keeps its state.
    // With a fixed path in use, the path then names the new device.
    bool restartController(QString *error = nullptr);
    // The port names `path`, a link to the controller's device, as a USB adapter's device
    // name stays the same when it is plugged in again; until the next reset().
    bool useFixedPath(const QString &path);

    sim::ControllerModel &model() { return m_model; }
    sim::ControllerSim &controller() { return m_session.controller(); }
    RecordingHooks &hooks() { return *m_hooks; }
    platform::DialogScript &dialogs() { return *m_dialogs; }
    QStringList received() const;
    QStringList prompts() const { return m_dialogs->prompts(); }
    // From now until the next reset(), what the controller had received when each box was
    // asked, one list per box (a box that blocks must not come after the line it stands for).
    void recordReceivedAtBoxes();
    const QList<QStringList> &receivedAtBoxes() const { return m_atBoxes; }

private:
    // Declared first so that the simulator stops serving before the model goes.
    sim::ControllerModel m_model;
    sim::SimSession m_session;
    std::unique_ptr<platform::DialogScript> m_dialogs;
    std::unique_ptr<RecordingHooks> m_hooks;
    QString m_fixedPath;
    QList<QStringList> m_atBoxes;
};
