#include "support/AllWindows.h"

#include "actuators/frmDevice2.h"
#include "actuators/frmDevice3.h"
#include "app/frmAbout.h"
#include "app/frmOptions2.h"
#include "app/frmSplash.h"
#include "core/Messages.h"
#include "core/frmSelection.h"
#include "editors/frmDevice.h"
#include "editors/frmGrp.h"
#include "editors/frmParameta2.h"
#include "editors/frmSqMcr.h"
#include "link/frmProcessing.h"
#include "link/frmTrance.h"
#include "operation/frmIOCheck.h"
#include "operation/frmJOG.h"
#include "operation/frmMove.h"
#include "tables/PosiTable.h"
#include "tables/SyogoKekka.h"
#include "positions/frmDataShogo.h"
#include "positions/frmPrintSelect.h"
#include "positions/frmSelectPosiNo2.h"
#include "positions/frmSelectPosiNo3.h"
#include "positions/frmSelectPosiNo4.h"
#include "positions/frmSyogoKekka.h"

#include <QLabel>
#include <QRadioButton>

QList<ProgramWindow> programWindows()
{
    return {
        {"frmMain", [](QWidget *main) { return main; }},
        {"frmSplash", [](QWidget *) { return new frmSplash; }},
        {"frmSelection", [](QWidget *main) {
             auto *w = new frmSelection(main);
             w->setWindowTitle(LoadResText(471));
             w->lblSelectSetumei()->setText(LoadResText(1));
             w->optSelectKomoku(0)->setText(LoadResText(2));
             w->optSelectKomoku(1)->setText(LoadResText(3));
             w->setMode(1);
             return w;
         }},
        {"frmAbout", [](QWidget *main) { return new frmAbout(main); }},
        {"frmOptions2", [](QWidget *main) { return new frmOptions2(main); }},
        {"frmParameta2", [](QWidget *main) { return new frmParameta2(main); }},
        {"frmDevice", [](QWidget *main) { return new frmDevice(new frmParameta2(main)); }},
        {"frmGrp", [](QWidget *main) { return new frmGrp(main); }},
        {"frmSqMcr", [](QWidget *main) { return new frmSqMcr(main); }},
        {"frmDevice2", [](QWidget *main) { return new frmDevice2(main); }},
        {"frmDevice3", [](QWidget *main) { return new frmDevice3(main); }},
        {"frmTrance", [](QWidget *main) { return new frmTrance(main); }},
        {"frmProcessing", [](QWidget *main) { return new frmProcessing(main); }},
        {"frmMove", [](QWidget *main) { return new frmMove(main); }},
        {"frmJOG", [](QWidget *main) { return new frmJOG(main); }},
        {"frmIOCheck", [](QWidget *main) { return new frmIOCheck(main); }},
        {"frmDataShogo", [](QWidget *main) { return new frmDataShogo(main); }},
        {"frmPrintSelect", [](QWidget *main) { return new frmPrintSelect(main); }},
        {"frmSelectPosiNo2", [](QWidget *main) { return new frmSelectPosiNo2(main); }},
        {"frmSelectPosiNo3", [](QWidget *main) { return new frmSelectPosiNo3(main); }},
        {"frmSelectPosiNo4", [](QWidget *main) { return new frmSelectPosiNo4(false, main); }},
        {"frmSyogoKekka", [](QWidget *main) {
             gPosiNoFrom = 1;
             gPosiCellFlag[4][2] = gPosiCellFlag[4][19] = true;
             gPosiNgCount = 1;
             return new frmSyogoKekka(main);
         }},
    };
}
