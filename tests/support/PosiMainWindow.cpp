#include "support/PosiMainWindow.h"

#include "tables/DevSetting.h"
#include "app/MainCommands.h"
#include "core/MainForm.h"
#include "app/frmMain.h"
#include "app/MainLinkProbe.h"
#include "positions/PosiEditor.h"
#include "positions/PosiFileCommands.h"
#include "tables/PosiTable.h"

PosiMainWindow::PosiMainWindow(const std::function<void()> &beforeTable)
{
    frmMain::setScreenWidthForLoad(1280);
    w = new frmMain;
    positions::attachPosiEditing(*w);
    wireMainCommands(*w);
    positions::registerPosiFileCommands();
    for (int a = 0; a < kAxisCount; ++a)
        gAxisUnused[a] = a != 0;
    gDevLead[0] = 2;
    gDevPPR[0] = 400;
    gDevMaxPulse[0] = 20000;
    gStrokeMm[0] = 100;
    if (beforeTable)
        beforeTable();
    InitPosiData();
    gPosiNoFrom = gPosiNoDefFrom = 1;
    gPosiNoTo = gPosiNoDefTo = 3;
    w->QzDataHyoji_3();
}

PosiMainWindow::~PosiMainWindow()
{
    delete w;
    core::mainform::clearCommands();
    app::setLinkProbe({});
}
