#include "support/TestEnv.h"

#include "actuators/DevCatalogue.h"
#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "actuators/DevWinFlags.h"
#include "core/AppSettings.h"
#include "core/WinFlags.h"
#include "link/OnlineMode.h"
#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "core/PrintLayout.h"
#include "tables/GrpTable.h"
#include "tables/ParaSet.h"
#include "tables/SmTable.h"
#include "tables/StdParaList.h"
#include "link/LinkState.h"
#include "tables/IoBits.h"
#include "platform/PrintDialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"
#include "tables/CellEntry.h"
#include "tables/PosiTable.h"
#include "positions/PosiFileCommands.h"
#include "tables/PosiImage.h"
#include "positions/PosiPrintCommands.h"
#include "positions/PosiTransfer.h"
#include "actuators/DevDesignation.h"

#include <QSettings>
#include <QTest>

TestEnv::TestEnv()
{
    platform::SettingsStore::useFile(settingsFile());
    resetAll();
}

TestEnv::~TestEnv()
{
    // A box the test did not script is a failure of the test, not a hang.
    if (!m_dialogs.unexpected().isEmpty())
        QTest::qFail(qPrintable(QStringLiteral("unexpected dialogs: ")
                                + m_dialogs.unexpected().join(QStringLiteral(" | "))),
                     __FILE__, __LINE__);
    platform::SettingsStore::useUserStore();
    platform::setProgramFolder(QString());
    setOnlineLampHook({});
    setPulsePerMmHook({});
}

QString TestEnv::settingsFile() const
{
    return m_dir.filePath(QStringLiteral("settings.ini"));
}

QString TestEnv::tempPath(const QString &name) const
{
    return m_dir.filePath(name);
}

void TestEnv::storeSettings(const QList<QPair<QString, QString>> &values)
{
    QSettings s(settingsFile(), QSettings::IniFormat);
    for (const auto &kv : values)
        s.setValue(QStringLiteral("Settings/") + kv.first, kv.second);
    s.sync();
}

void TestEnv::resetAll()
{
    platform::resetSharedPrinter();
    core::settings::resetAppSettings();
    tables::resetDevSetting();
    actuators::resetDevCatalogue();
    actuators::resetDevDesignation();
    tables::resetParaSet();
    tables::resetStdParaList();
    tables::resetGrpTable();
    tables::resetSmTable();
    tables::resetPosiTable();
    tables::resetEditState();
    tables::resetPosiImage();
    positions::resetPosiFileState();
    positions::resetPosiTransferState();
    positions::resetPosiPrintState();
    link::resetLinkState();
    core::printing::resetPrintLayout();
    actuators::resetDevWinFlags();
    core::winflags::resetWinFlags();
    tables::resetIoBits();
}
