#include "positions/PosiFileCommands.h"

#include "actuators/CurrentActuators.h"
#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "actuators/DeviceChange.h"
#include "core/BusyGuard.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "tables/PosiUnits.h"
#include "core/frmSelection.h"
#include "tables/ParaFile.h"
#include "tables/StdParaList.h"
#include "platform/Dialogs.h"
#include "tables/CellEntry.h"
#include "positions/PosiFile.h"
#include "positions/PosiFileDevice.h"
#include "tables/PosiImage.h"
#include "tables/PosiTable.h"

#include <array>

namespace {

// What the open changes before it knows whether it will succeed: the actuator setting and the
// file's designations, which the designation check reads from the image.
struct OpenUndo
{
    positions::DevSettingSnapshot devices = positions::DevSettingSnapshot::take();
    QString fileDev[4];
    QString fileNewOld[4];

    OpenUndo()
    {
        for (int a = 0; a < 4; ++a) {
            fileDev[a] = gPosiFileDev[a];
            fileNewOld[a] = gPosiFileNewOld[a];
        }
    }

    // Puts everything back; the open's result then is 1.
    int refuse() const
    {
        devices.restore();
        for (int a = 0; a < 4; ++a) {
            gPosiFileDev[a] = fileDev[a];
            gPosiFileNewOld[a] = fileNewOld[a];
        }
        return 1;
    }
};

enum ActuatorChoice { UseSystem = 0, UseFileDefaults = 1, UseParameterFile = 2 };

// Comments holding characters the file's encoding cannot hold (another program wrote the file)
// would make the table unsaveable, and control characters (a byte that does not decode arrives
// as one) would be saved as something else: they are cleaned as a line paste cleans them. The
// positions cleaned.
QList<int> cleanComments(PosiFileImage &image)
{
    QList<int> cleaned;
    for (PosiFileLine &line : image.lines) {
        QVariant &comment = line.items[kPosiFileItems - 1];
        if (tables::commentNeedsCleaning(comment.toString())) {
            comment = tables::cleanComment(comment.toString());
            cleaned << line.no;
        }
    }
    return cleaned;
}

} // namespace

int OpenPosiFile()
{
    BusyGuard busy;
    AllCMD_Muko();
    const int result = OpenPosiFile2();
    AllCMD_Yuko();
    unlockGrid();
    return result;
}

int OpenPosiFile2()
{
    lockGrid(GridCursor::ToTop);

    platform::FileDialogRequest request;
    request.title = LoadResText(364);
    request.filter = LoadResText(351);
    request.defaultExt = QStringLiteral("qzd");
    request.mustExist = true;
    const QString path = platform::getOpenFileName(request);
    if (path.isEmpty()) {
        ResMsgBox({367});
        return 1;
    }

    PosiFileImage image;
    if (positions::readPosiFileReported(path, image) != 0)
        return 1;
    const QList<int> cleaned = cleanComments(image);

    // From here on a refusal puts back what was changed.
    const OpenUndo undo;
    for (int a = 0; a < 4; ++a) {
        gPosiFileDev[a] = image.dev[a];
        gPosiFileNewOld[a] = image.newOld[a];
    }
    LetDevSettingToDevSettei();
    bool useDiffers = false;
    for (int a = 0; a < kAxisCount; ++a) {
        gDevSetteiUnused[a] = positions::isUnusedDesignation(image.dev[a]);
        useDiffers = useDiffers || gDevSetteiUnused[a] != gAxisUnused[a];
    }
    std::array<bool, kAxisCount> fileOnlyFailed{};
    if (DevFileShogo(&fileOnlyFailed) != 0)
        return undo.refuse();

    if (CompareActuatorSettingOfPosifile2PC() == 1 || useDiffers) {
        const int choice = ShowSelection2(LoadResText(471), LoadResText(44), LoadResText(45),
                                          LoadResText(46), LoadResText(47), 1);
        switch (choice) {
        case UseSystem:
            LetDevSettingToDevSettei();
            break;
        case UseFileDefaults:
            // The file's actuators are taken whole: one the catalogue cannot place refuses.
            for (int a = 0; a < kAxisCount; ++a) {
                if (!gDevSetteiUnused[a] && fileOnlyFailed[size_t(a)]) {
                    ResMsgBox({4, 5});
                    return undo.refuse();
                }
            }
            ReflectFileDevice2PcDevice();
            if (SetStdParameta() != 0)
                return undo.refuse();
            actuators::makeActuatorsCurrent(actuators::PositionsLeft);
            break;
        case UseParameterFile: {
            const int loaded = LoadParaFile();
            if (loaded == -1) {
                ResMsgBox({367});
                return undo.refuse();
            }
            if (loaded != 0)
                return undo.refuse();
            // The parameter file names no new-type flags: the current ones stay.
            actuators::makeActuatorsCurrent(actuators::KeepNewTypeFlags | actuators::PositionsLeft);
            break;
        }
        default:
            break;
        }
    }

    DispDeviceName();
    for (int a = 0; a < kAxisCount; ++a) {
        if (gDevIsQz[a])
            gDevFamily[a] = QStringLiteral("QZ");
    }

    positions::takePosiFileImage(image);
    gPosiNoFrom = gPosiNoDefFrom = image.noFrom();
    gPosiNoTo = gPosiNoDefTo = image.noTo();
    CopyGridToPosiData();
    PulseToMm_Table();
    QzDataHyoji_3();
    CulcStrokeMm();
    DispPulsePerMm();

    positions::adoptTableFile(path);
    if (!cleaned.isEmpty()) {
        // The table no longer holds what the file holds.
        gDataChanged = true;
        tables::tellCleanedComments(cleaned);
    }
    return 0;
}
