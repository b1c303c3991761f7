#include "support/SimFixture.h"

#include "tables/DevSetting.h"
#include "tables/GrpTable.h"
#include "tables/ParaSet.h"
#include "tables/SmTable.h"
#include "link/LinkState.h"
#include "tables/IoBits.h"

#include <QFile>
#include <QTest>

bool SimFixture::start(QString *error)
{
    if (!m_session.start(error))
        return false;
    m_model.install(m_session.controller());
    return true;
}

void SimFixture::startOrFail()
{
    QString error;
    const bool started = start(&error);
    QVERIFY2(started, qPrintable(error));
}

void SimFixture::reset()
{
    m_fixedPath.clear();
    m_atBoxes.clear();
    m_hooks.reset();
    m_dialogs.reset();
    m_session.reset();
    m_session.useSimulator();
    m_model.reset();
    tables::resetDevSetting();
    ClearParaArrays();
    ClearParaTable();
    tables::resetGrpTable();
    tables::resetSmTable();
    tables::resetIoBits();
    m_dialogs = std::make_unique<platform::DialogScript>();
    m_hooks = std::make_unique<RecordingHooks>();
    gTimeOutMs = 1000;
}

void SimFixture::recordReceivedAtBoxes()
{
    m_atBoxes.clear();
    m_dialogs->onBox([this](const platform::DialogScript::Box &) { m_atBoxes << received(); });
}

bool SimFixture::restartController(QString *error)
{
    m_session.controller().stop();
    if (!m_session.controller().start(error))
        return false;
    if (!m_fixedPath.isEmpty())
        return useFixedPath(m_fixedPath);
    m_session.useSimulator();
    return true;
}

bool SimFixture::useFixedPath(const QString &path)
{
    QFile::remove(path);
    if (!QFile::link(m_session.controller().devicePath(), path))
        return false;
    m_fixedPath = path;
    qputenv("QZW4_PORT_DEVICE", QFile::encodeName(path));
    return true;
}

void SimFixture::useAxes(int mask)
{
    for (int i = 0; i < kAxisCount; ++i)
        gAxisUnused[i] = (mask & (1 << i)) == 0;
    m_model.setAxisMask(mask);
}

QStringList SimFixture::received() const
{
    return const_cast<sim::SimSession &>(m_session).controller().receivedLines();
}
