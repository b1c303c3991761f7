#include "actuators/DeviceChange.h"

#include "actuators/CurrentActuators.h"
#include "actuators/DevCatalogue.h"
#include "actuators/DevDesignation.h"
#include "actuators/DevSettingStore.h"
#include "actuators/DevWinFlags.h"
#include "actuators/PendingSnapshot.h"
#include "actuators/frmDevice2.h"
#include "actuators/frmDevice3.h"
#include "core/AppSettings.h"
#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "tables/PosiUnits.h"
#include "link/OnlineMode.h"
#include "core/frmSelection.h"
#include "tables/ParaFile.h"
#include "link/ParaReread.h"
#include "tables/StdParaList.h"
#include "link/CommandSet.h"
#include "link/LinkState.h"
#include "link/WindowHooks.h"
#include "tables/PosiDataCheck.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"


namespace {

QWidget *mainWindow()
{
    return core::mainform::shownWindow();
}

// Everything that follows the current actuators once the parameters in force changed; the
// controller still holds the old ones, so the system works offline.
void takeNewActuators(bool store)
{
    actuators::makeActuatorsCurrent(store ? 0 : actuators::DoNotStore);
    if (!gOfflineMode)
        SetOfflineMode();
}

// One designation parsed against the catalogue; nullopt when it cannot be taken.
struct ParsedDesignation
{
    QString family; // "QZ" or "JH"
    QString size;
    QString speed;
    int stroke = 0;
    bool newType = false;
    bool vertical = false;
    bool withPG = false;
};

// The catalogue's option codes for DevFileShogo: the first look-up of a pass may tell that
// the catalogue cannot be read; the others stay quiet.
struct QuietOnceLookups
{
    bool mayTell = true;
    int pg(const QString &size, const QString &speed, int stroke)
    {
        if (!mayTell)
            return actuators::devPgOptionQuiet(size, speed, stroke);
        mayTell = false;
        return DevListLookup4(size, speed, stroke);
    }
    int vertical(const QString &size, const QString &speed, int stroke)
    {
        if (!mayTell)
            return actuators::devVerticalOptionQuiet(size, speed, stroke);
        mayTell = false;
        return DevListLookup5(size, speed, stroke);
    }
};

std::optional<ParsedDesignation> parseWith(QuietOnceLookups &lookups, const QString &d,
                                                     const QString &newTypeEntry, bool vertical)
{
    ParsedDesignation p;
    if (d.startsWith(QLatin1String("QZ-"))) {
        p.family = QStringLiteral("QZ");
        p.newType = newTypeEntry == QLatin1String("NEW");
    } else if (d.startsWith(QLatin1String("JH-"))) {
        p.family = QStringLiteral("JH");
        p.newType = false;
    } else {
        return std::nullopt;
    }

    QString marks;
    if (d.mid(6, 1) == QLatin1String("-")) {
        // The short form: a two-character size without its leading blank.
        p.size = QLatin1Char(' ') + d.mid(3, 2);
        p.speed = d.mid(5, 1);
        QString digits;
        for (int i = 7; i < d.size() && d.at(i) >= QLatin1Char('0') && d.at(i) <= QLatin1Char('9'); ++i)
            digits += d.at(i);
        if (digits.isEmpty())
            return std::nullopt;
        bool ok = false;
        p.stroke = digits.left(5).toInt(&ok);
        if (!ok)
            return std::nullopt;
        marks = d.mid(10);
    } else {
        p.size = d.mid(3, 3);
        p.speed = d.mid(6, 1);
        const QString digits = d.mid(8, 3).trimmed();
        bool ok = false;
        p.stroke = digits.toInt(&ok);
        if (!ok)
            return std::nullopt;
        marks = d.mid(11);
    }
    if (CheckDevCode(p.size, p.speed, p.stroke) != 0)
        return std::nullopt;
    if (IsNewTypeSize(p.size))
        p.newType = true;
    marks = marks.left(3);

    const int vertCode = lookups.vertical(p.size, p.speed, p.stroke);
    if (vertCode == 99)
        return std::nullopt;
    if (vertCode == 2)
        p.vertical = true;
    else if (vertCode == 0)
        p.vertical = false;
    else if (marks.contains(QLatin1Char('V')))
        p.vertical = true;
    else
        p.vertical = p.newType ? vertical : false;

    const int pgCode = lookups.pg(p.size, p.speed, p.stroke);
    if (pgCode == 99)
        return std::nullopt;
    if (pgCode == 2)
        p.withPG = true;
    else if (pgCode == 0)
        p.withPG = false;
    else
        p.withPG = marks.contains(QLatin1Char('E'));
    return p;
}

void takeIntoPending(int a, const ParsedDesignation &p)
{
    if (p.family == QLatin1String("QZ")) {
        gDevFamily[a] = p.family;
        gDevSetteiFamily[a] = p.family;
    }
    gDevSetteiNewType[a] = p.newType;
    gDevSetteiSize[a] = p.size;
    gDevSetteiSpeed[a] = p.speed;
    gDevSetteiStroke[a] = p.stroke;
    gDevSetteiVertical[a] = p.vertical;
    gDevSetteiWithPG[a] = p.withPG;
}

int showDevice3()
{
    frmDevice3 window(mainWindow());
    window.exec();
    return window.CancelFlag() ? -1 : 0;
}

} // namespace

namespace actuators {

void wireDeviceCommands()
{
    core::mainform::setCommand(QStringLiteral("cmdChangeDev_Click"), [] {
        cmdChangeDev_Click();
        return 0;
    });
    core::mainform::setCommand(QStringLiteral("mnuSettingsDeviceOffline_Click"), [] {
        mnuSettingsDeviceOffline_Click();
        return 0;
    });
    core::mainform::setCommand(QStringLiteral("mnuSettingsDeviceOnline_Click"), [] {
        mnuSettingsDeviceOnline_Click();
        return 0;
    });
    core::mainform::setCommand(QStringLiteral("mnuFuncTest_Click"), [] { return showDevice3(); });
}

int convertPositionsToNewActuators()
{
    gPosiNoFrom = gPosiNoDefFrom;
    gPosiNoTo = gPosiNoDefTo;
    const int check = PosiDataCheck3();
    if (check == 0) {
        if (gDispMmUnit)
            PulseToMm_Table();
        else
            MmToPulse_Table();
    }
    DispDeviceName();
    DispPulsePerMm();
    if (check == 0)
        QzDataHyoji_3();
    else if (check == 1)
        ResMsgBox({1526});
    return check;
}

} // namespace actuators

void cmdChangeDev_Click()
{
    // Held across the factory-parameter and parameter-file loads and their retry pauses.
    BusyGuard busy;
    EditCMD_Muko();
    if (MainFormPort *form = core::mainform::form())
        form->setControlEnabled(QStringLiteral("cmdChangeDev"), false);
    Change_Device();
    if (MainFormPort *form = core::mainform::form())
        form->setControlEnabled(QStringLiteral("cmdChangeDev"), true);
}

int OpenDeviceWindow()
{
    const PendingSnapshot before = PendingSnapshot::capture();
    gDevWinOnline = false;
    gDevOptEdit = true;
    gDevWinCalled = true;
    int result = -1;
    {
        frmDevice2 window(mainWindow());
        window.exec();
        if (!window.CancelFlag())
            result = SetStdParameta() == 0 ? 0 : 1;
    }
    gDevWinCalled = false;
    // Under the start-up's lock the operator must get through with what was chosen.
    if (result == -1 || (result == 1 && !gDevSelectLock))
        before.restore();
    return result;
}

void Change_Device()
{
    bool store = true;
    for (;;) {
        const int choice = ShowSelection(LoadResText(471), LoadResText(41), LoadResText(42), LoadResText(43), 1);
        if (choice == 0) {
            const int r = OpenDeviceWindow();
            if (r == -1)
                return;
            if (r == 1) {
                if (!gDevSelectLock)
                    return;
                store = false;
            }
            break;
        }
        // LoadParaFile retries and tells its own failures; a cancel or a failure asks again.
        gRetryCount = 0;
        if (LoadParaFile() == 0)
            break;
    }
    takeNewActuators(store);
}

int DevChangeFromCt()
{
    const int differs = ReadCtSetting();
    if (differs == -1) {
        SetOfflineMode();
        return 1;
    }
    if (differs == 0)
        return 0;
    const int choice = ShowSelection(LoadResText(471), LoadResText(371), LoadResText(372), LoadResText(373), 0);
    if (choice == -1)
        return -1;
    if (choice == 1)
        return 0;
    const int read = GetParametaValue2();
    link::transferProgress().close();
    if (read != 0)
        return 1;
    // The positions are read from the controller next: they are not converted.
    actuators::makeActuatorsCurrent(actuators::KeepNewTypeFlags | actuators::PositionsLeft);
    return 0;
}

int DevFileShogo(std::array<bool, kAxisCount> *fileOnlyFailed)
{
    QuietOnceLookups lookups;
    std::optional<ParsedDesignation> parsed[kAxisCount];
    std::array<bool, kAxisCount> failedFileOnly{};
    for (int a = 0; a < kAxisCount; ++a) {
        if (gDevSetteiUnused[a])
            continue;
        const bool inSystem = !gAxisUnused[a];
        if (!inSystem)
            lookups.mayTell = false; // the file's own axes are parsed without a word
        const bool mayTell = lookups.mayTell;
        parsed[a] = parseWith(lookups, gPosiFileDev[a], gPosiFileNewOld[a], gDevSetteiVertical[a]);
        if (!inSystem)
            lookups.mayTell = mayTell;
        if (parsed[a])
            continue;
        if (inSystem) {
            ResMsgBox({4, 5});
            return 1;
        }
        failedFileOnly[a] = true;
    }
    for (int a = 0; a < kAxisCount; ++a) {
        if (parsed[a])
            takeIntoPending(a, *parsed[a]);
    }
    if (fileOnlyFailed)
        *fileOnlyFailed = failedFileOnly;
    return 0;
}

void mnuSettingsDeviceOffline_Click()
{
    EditCMD_Muko();
    cmdChangeDev_Click();
}

void mnuSettingsDeviceOnline_Click()
{
    EditCMD_Muko();
    for (bool &failed : gDevListReadFailed)
        failed = false;
    SearchDevList();
    for (int a = 0; a < kAxisCount; ++a) {
        if (!gAxisUnused[a] && gDevListReadFailed[a])
            return;
    }
    showDevice3();
}
