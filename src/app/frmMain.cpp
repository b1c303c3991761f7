#include "app/frmMain.h"

#include "app/MainLinkProbe.h"
#include "actuators/DevDesignation.h"
#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/BusyGuard.h"
#include "core/FormText.h"
#include "core/Messages.h"
#include "tables/AxisScale.h"
#include "core/Module2Calc.h"
#include "link/OnlineMode.h"
#include "app/ToolbarPictures.h"
#include "link/ErrorList.h"
#include "link/LinkHooks.h"
#include "link/LinkState.h"
#include "link/WindowHooks.h"
#include "platform/Dialogs.h"
#include "platform/FixedGrid.h"
#include "platform/FocusGuard.h"
#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "operation/StopOnExit.h"
#include "positions/PosiGrid.h"
#include "positions/PosiFileCommands.h"
#include "positions/PosiGridText.h"
#include "tables/PosiTable.h"
#include "positions/frmSelectPosiNo3.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QPointer<frmMain> g_instance;

// The command groups the link switches back on by itself.
class LinkSwitches : public link::MainWindowCommands
{
public:
    void CMDBTN_Yuko() override { ::CMDBTN_Yuko(); }
    void ToolBar_Yuko() override { ::ToolBar_Yuko(); }
    void Menyu_Yuko() override { ::Menyu_Yuko(); }
    void MenuFunction_Yuko() override { ::MenuFunction_Yuko(); }
    void enableResetButton() override
    {
        if (MainFormPort *form = core::mainform::form())
            form->setControlEnabled(QStringLiteral("cmdReset"), true);
    }
};
LinkSwitches g_linkSwitches;
int g_screenWidthForLoad = 0;

constexpr int kTwips = positions::posigrid::kTwipsPerPixel;
int px(int twips)
{
    return (twips + kTwips / 2) / kTwips;
}

// What each toolbar key runs.
const QHash<QString, QString> &toolbarCommands()
{
    static const QHash<QString, QString> t = {
        {QStringLiteral("New"), QStringLiteral("mnuFileNew_Click")},
        {QStringLiteral("Open"), QStringLiteral("OpenPosiFile")},
        {QStringLiteral("Save"), QStringLiteral("SavePosiFileCheck")},
        {QStringLiteral("Print"), QStringLiteral("mnuFilePrint_Click")},
        {QStringLiteral("Read"), QStringLiteral("GetPosidataFromCt")},
        {QStringLiteral("Load"), QStringLiteral("LoadPosidataToCt")},
        {QStringLiteral("Shogo"), QStringLiteral("PosiDataCtShogoCmd")},
        {QStringLiteral("LineCopy"), QStringLiteral("mnuEditLineCopy_Click")},
        {QStringLiteral("LinePaste"), QStringLiteral("mnuEditLinePaste_Click")},
        {QStringLiteral("CellCopy"), QStringLiteral("mnuEditCellCopy_Click")},
        {QStringLiteral("CellPaste"), QStringLiteral("mnuEditCellPaste_Click")},
        {QStringLiteral("InputOutput"), QStringLiteral("ShowIoWindow")},
        {QStringLiteral("MoveTest"), QStringLiteral("ShowMoveWindow")},
        {QStringLiteral("Group"), QStringLiteral("ShowGrpWindow")},
        {QStringLiteral("SqMacro"), QStringLiteral("ShowSqMcrWindow")}};
    return t;
}

const QHash<QString, int> &toolbarTips()
{
    static const QHash<QString, int> t = {
        {QStringLiteral("New"), 300},       {QStringLiteral("Open"), 301},
        {QStringLiteral("Save"), 302},      {QStringLiteral("Print"), 303},
        {QStringLiteral("Read"), 304},      {QStringLiteral("Load"), 305},
        {QStringLiteral("Shogo"), 306},     {QStringLiteral("LineCopy"), 307},
        {QStringLiteral("LinePaste"), 308}, {QStringLiteral("CellCopy"), 340},
        {QStringLiteral("CellPaste"), 341}, {QStringLiteral("InputOutput"), 309},
        {QStringLiteral("MoveTest"), 310},  {QStringLiteral("Group"), 311},
        {QStringLiteral("SqMacro"), 312}};
    return t;
}

// Controls whose handler only forwards to another procedure run that procedure directly.
QString commandOf(const QString &control)
{
    static const QHash<QString, QString> forward = {
        {QStringLiteral("cmdPosiFileOpen"), QStringLiteral("OpenPosiFile")},
        {QStringLiteral("mnuFileOpen"), QStringLiteral("OpenPosiFile")},
        {QStringLiteral("cmdPosiRead"), QStringLiteral("GetPosidataFromCt")},
        {QStringLiteral("mnuFileGetfromCt"), QStringLiteral("GetPosidataFromCt")},
        {QStringLiteral("cmdPosiLoad"), QStringLiteral("LoadPosidataToCt")},
        {QStringLiteral("mnuFileLoadtoCt"), QStringLiteral("LoadPosidataToCt")},
        {QStringLiteral("cmdPosiSaveFile"), QStringLiteral("mnuFileSaveAs_Click")},
        {QStringLiteral("mnuFuncAlmReset"), QStringLiteral("cmdReset_Click")},
        {QStringLiteral("mnuShowTeaching"), QStringLiteral("cmdJogTeach_Click")}};
    return forward.value(control, control + QStringLiteral("_Click"));
}

QPixmap lampPixmap(const QColor &colour)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(96, 96, 96), 1));
    p.setBrush(colour);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    return pm;
}

QPixmap logoPixmap()
{
    QPixmap pm(64, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 70, 140));
    p.drawRoundedRect(QRectF(0.5, 0.5, 63, 23), 5, 5);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(13);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("QZ-W4"));
    return pm;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    g_instance = this;
    core::mainform::setWindow(this);
    buildMenus();
    buildToolBar();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(px(120), px(120), px(120), 0);
    layout->addWidget(buildDataFrame(), 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(buildStatusFrame());
    bottom->addWidget(buildAlarmFrame(), 1);
    layout->addLayout(bottom);
    setCentralWidget(central);
    buildStatusBar();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(500);
    connect(m_timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);

    core::mainform::registerForm(this);
    setOnlineLampHook([this](bool shown) {
        if (QLabel *l = m_lamps.value(QStringLiteral("imgGreenLedOnline")))
            l->setVisible(shown);
    });
    setPulsePerMmHook([this](const QString &p2, const QString &p3) {
        setStatusPanel(2, p2);
        setStatusPanel(3, p3);
    });
    link::setAlarmPanelHook([this](const link::AlarmPanel &p) { showAlarm(p.lampShown, p.alarmNo, p.comment); });
    link::setHomeLampHook([this](bool shown) { showHomeLamp(shown); });
    link::setStatusPanelHook([this](int panel, const QString &text) { setStatusPanel(panel, text); });
    link::setMainWindowCommands(&g_linkSwitches);
    const link::AlarmPanel &alarm = link::alarmPanel();
    showAlarm(alarm.lampShown, alarm.alarmNo, alarm.comment);
    setDeviceNameHook([this] {
        positions::posigrid::BulkChange hidden(*m_grid);
        for (int a = 0; a < kAxisCount; ++a) {
            setDeviceLabel(a, gDevTypeLabel[a]);
            setAxisHeading(a, DevGridHeading(a));
        }
        GridCursorTop();
    });

    setMinimumSize(px(12400), px(5600));
    Form_Load();
    // The positions take the first focus; a read, a write or the alarm's reset only by aim.
    platform::keepFocusOffActs(*this, m_grid->body(),
                               {button(QStringLiteral("cmdPosiRead")), button(QStringLiteral("cmdPosiLoad")),
                                button(QStringLiteral("cmdReset"))});
    m_timer1->start();
}

frmMain::~frmMain()
{
    if (core::mainform::form() == this)
        core::mainform::registerForm(nullptr);
    setOnlineLampHook(nullptr);
    setPulsePerMmHook(nullptr);
    setDeviceNameHook(nullptr);
    link::setAlarmPanelHook(nullptr);
    link::setHomeLampHook(nullptr);
    link::setStatusPanelHook(nullptr);
    if (&link::mainWindowCommands() == &g_linkSwitches)
        link::setMainWindowCommands(nullptr);
}

frmMain *frmMain::instance()
{
    return g_instance.data();
}

void frmMain::setScreenWidthForLoad(int pxWidth)
{
    g_screenWidthForLoad = pxWidth;
}

QAction *frmMain::action(const QString &name) const
{
    return qobject_cast<QAction *>(m_controls.value(name));
}

QPushButton *frmMain::button(const QString &name) const
{
    return qobject_cast<QPushButton *>(m_controls.value(name));
}

QLabel *frmMain::statusPanel(int panel) const
{
    return panel >= 1 && panel <= 5 ? m_panels[panel - 1] : nullptr;
}

// ---------------------------------------------------------------- building

QAction *frmMain::menuItem(QMenu *menu, const QString &name, int id)
{
    auto *a = new QAction(this);
    a->setObjectName(name);
    core::formtext::tag(a, id);
    menu->addAction(a);
    m_controls.insert(name, a);
    connect(a, &QAction::triggered, this, [this, name] { entry(commandOf(name)); });
    return a;
}

void frmMain::buildMenus()
{
    auto submenu = [this](QMenu *parentMenu, const QString &name, int id) {
        QMenu *m = parentMenu ? parentMenu->addMenu(QString()) : menuBar()->addMenu(QString());
        m->setObjectName(name);
        core::formtext::tag(m, id);
        // The title's action is what the switches enable and disable.
        m->menuAction()->setObjectName(name);
        m_controls.insert(name, m->menuAction());
        return m;
    };

    QMenu *file = submenu(nullptr, QStringLiteral("mnuFile"), 250);
    menuItem(file, QStringLiteral("mnuFileNew"), 251);
    menuItem(file, QStringLiteral("mnuFileOpen"), 252);
    menuItem(file, QStringLiteral("mnuFileGetfromCt"), 253);
    file->addSeparator();
    menuItem(file, QStringLiteral("mnuFileSave"), 254);
    menuItem(file, QStringLiteral("mnuFileSaveAs"), 255);
    menuItem(file, QStringLiteral("mnuFileLoadtoCt"), 256);
    QMenu *shogo = submenu(file, QStringLiteral("mnuFileShogo"), 257);
    menuItem(shogo, QStringLiteral("mnuFileShogoCt"), 258);
    menuItem(shogo, QStringLiteral("mnuFileShogoFile"), 259);
    file->addSeparator();
    menuItem(file, QStringLiteral("mnuFilePageSetup"), 260);
    menuItem(file, QStringLiteral("mnuFilePrint"), 261);
    file->addSeparator();
    menuItem(file, QStringLiteral("mnuFileExit"), 262);

    QMenu *edit = submenu(nullptr, QStringLiteral("mnuEdit"), 263);
    menuItem(edit, QStringLiteral("mnuEditGyoInsert"), 264);
    menuItem(edit, QStringLiteral("mnuEditGyoDelete"), 265);
    edit->addSeparator();
    menuItem(edit, QStringLiteral("mnuEditLineCopy"), 266);
    menuItem(edit, QStringLiteral("mnuEditLinePaste"), 267);
    menuItem(edit, QStringLiteral("mnuEditCellCopy"), 268);
    menuItem(edit, QStringLiteral("mnuEditCellPaste"), 269);

    QMenu *view = submenu(nullptr, QStringLiteral("mnuView"), 270);
    QAction *toolBar = menuItem(view, QStringLiteral("mnuViewToolBar"), 271);
    QAction *statusBar = menuItem(view, QStringLiteral("mnuViewStatusBar"), 272);
    toolBar->setCheckable(true);
    toolBar->setChecked(true);
    statusBar->setCheckable(true);
    statusBar->setChecked(true);
    view->addSeparator();
    menuItem(view, QStringLiteral("mnuShowState"), 273);
    menuItem(view, QStringLiteral("mnuShowMove"), 274);
    menuItem(view, QStringLiteral("mnuShowGroup"), 275);
    menuItem(view, QStringLiteral("mnuShowSqMcr"), 276);
    menuItem(view, QStringLiteral("mnuShowTeaching"), 277);
    view->addSeparator();
    menuItem(view, QStringLiteral("mnuViewOption"), 278);

    QMenu *settingsMenu = submenu(nullptr, QStringLiteral("mnuSettings"), 279);
    QMenu *device = submenu(settingsMenu, QStringLiteral("mnuSettingsDevice"), 280);
    menuItem(device, QStringLiteral("mnuSettingsDeviceOnline"), 281);
    menuItem(device, QStringLiteral("mnuSettingsDeviceOffline"), 282);
    QMenu *parameter = submenu(settingsMenu, QStringLiteral("mnuSettingsPara"), 284);
    menuItem(parameter, QStringLiteral("mnuSettingsParameter"), 283);
    settingsMenu->addSeparator();
    menuItem(settingsMenu, QStringLiteral("mnuSettingsOffline"), 294);

    QMenu *function = submenu(nullptr, QStringLiteral("mnuFunctionCt"), 285);
    menuItem(function, QStringLiteral("mnuFuncAlmReset"), 286);
    menuItem(function, QStringLiteral("mnuFuncCtversion"), 287);
    menuItem(function, QStringLiteral("mnuFuncGetAxis"), 288);
    // Items the layout keeps hidden; their commands are still the window's.
    menuItem(function, QStringLiteral("mnuFuncTest"), 281)->setVisible(false);

    QMenu *help = submenu(nullptr, QStringLiteral("mnuHelp"), 290);
    menuItem(help, QStringLiteral("mnuHelpAbout"), 292);
}

void frmMain::buildToolBar()
{
    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(20, 20));
    // The View menu alone shows and hides the toolbar.
    m_toolBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    for (const QString &key : core::cmdswitch::toolbarKeys()) {
        if (key.isEmpty()) {
            m_toolBar->addSeparator();
            continue;
        }
        auto *a = new QAction(app::toolbarpics::icon(key), QString(), this);
        const QString name = QStringLiteral("tb") + key;
        a->setObjectName(name);
        a->setProperty("Key", key);
        // An icon-only button is named by its action's text: the tool tip's text.
        core::formtext::tag(a, toolbarTips().value(key));
        core::formtext::tagTip(a, toolbarTips().value(key));
        m_toolBar->addAction(a);
        m_controls.insert(name, a);
        connect(a, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
    }
    auto *spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    m_picture1 = new QLabel(m_toolBar);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setPixmap(logoPixmap());
    m_picture1->setAccessibleName(LoadResText(201));
    m_toolBar->addWidget(m_picture1);
}

QPushButton *frmMain::commandButton(QWidget *parent, const QString &name, int id, int tipId)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(name);
    if (id > 0)
        core::formtext::tag(b, id);
    if (tipId > 0)
        core::formtext::tagTip(b, tipId);
    m_controls.insert(name, b);
    connect(b, &QPushButton::clicked, this, [this, name] { entry(commandOf(name)); });
    return b;
}

QWidget *frmMain::buildDataFrame()
{
    m_frmDataEdit = new QGroupBox(this);
    m_frmDataEdit->setObjectName(QStringLiteral("frmDataEdit"));
    core::formtext::tag(m_frmDataEdit, 202);
    auto *v = new QVBoxLayout(m_frmDataEdit);

    m_grid = new platform::FixedGrid(positions::posigrid::kHeadingRows, positions::posigrid::kGridCols, m_frmDataEdit);
    m_grid->setObjectName(QStringLiteral("flgdData"));
    m_grid->setAccessibleName(LoadResText(202));
    connect(m_grid, &platform::FixedGrid::cellDoubleClicked, this, [this] { flgdData_DblClick(); });
    // The comment column follows the grid's own width, which settles after the window's.
    connect(m_grid, &platform::FixedGrid::viewportResized, this, [this] { fitLayout(); }, Qt::QueuedConnection);
    // The edit commands come back when the cursor reaches a position row.
    connect(m_grid, &platform::FixedGrid::cursorMoved, this, [](int row, int) {
        if (row >= positions::posigrid::kHeadingRows)
            SetEditCmdState();
    });
    v->addWidget(m_grid, 1);

    auto *row = new QHBoxLayout;
    const struct
    {
        const char *name;
        int id;
        int tip;
    } buttons[] = {{"cmdPosiFileOpen", 203, 313}, {"cmdPosiSaveFile", 204, 314},
                   {"cmdPosiVerify", 205, 315},   {"cmdPosiRead", 206, 316},
                   {"cmdPosiLoad", 207, 317},     {"cmdInsertLine", 208, 318},
                   {"cmdDeleteLine", 209, 319},   {"cmdJogTeach", 210, 320}};
    for (const auto &b : buttons) {
        row->addWidget(commandButton(m_frmDataEdit, QLatin1String(b.name), b.id, b.tip));
        if (QLatin1String(b.name) == QLatin1String("cmdPosiLoad"))
            row->addSpacing(px(240));
    }
    // Window openers the toolbar and the menus offer; the layout keeps them out of sight.
    const struct
    {
        const char *name;
        int id;
    } hidden[] = {{"cmdOpenIoWin", 309}, {"cmdOpenMoveWin", 310}, {"cmdOpenGrpWindow", 311},
                  {"cmdSqMcrWinOpen", 312}, {"cmdParaHyoji", 283}};
    for (const auto &b : hidden)
        commandButton(m_frmDataEdit, QLatin1String(b.name), b.id, 0)->hide();
    row->addStretch(1);
    m_picture2 = new QLabel(m_frmDataEdit);
    m_picture2->setObjectName(QStringLiteral("Picture2"));
    m_picture2->setPixmap(logoPixmap());
    m_picture2->setAccessibleName(LoadResText(201));
    m_picture2->hide();
    row->addWidget(m_picture2);
    v->addLayout(row);
    return m_frmDataEdit;
}

QLabel *frmMain::makeLamp(QWidget *parent, const QString &name, const QColor &colour)
{
    // A white lamp with the lit one over it; the lit one is shown or hidden.
    auto *base = new QLabel(parent);
    base->setPixmap(lampPixmap(Qt::white));
    base->setFixedSize(16, 16);
    auto *lit = new QLabel(base);
    lit->setObjectName(name);
    lit->setPixmap(lampPixmap(colour));
    lit->setGeometry(0, 0, 16, 16);
    lit->hide();
    m_lamps.insert(name, lit);
    return base;
}

QWidget *frmMain::buildStatusFrame()
{
    auto *frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("frmTrancefer"));
    core::formtext::tag(frame, 211);
    frame->setMinimumWidth(px(6495));
    frame->setMinimumHeight(px(1215));
    auto *v = new QVBoxLayout(frame);
    auto *top = new QHBoxLayout;

    const struct
    {
        const char *frame;
        int id;
        int tip;
        const char *lamp;
        QColor colour;
    } lamps[] = {{"FrameHome", 217, 321, "imgHomeGreen", QColor(0, 200, 0)},
                 {"FramePort", 218, 322, "imgPortGreen", QColor(0, 200, 0)},
                 {"FrameOnLine", 249, 323, "imgGreenLedOnline", QColor(0, 200, 0)}};
    for (const auto &l : lamps) {
        auto *box = new QGroupBox(frame);
        box->setObjectName(QLatin1String(l.frame));
        core::formtext::tag(box, l.id);
        core::formtext::tagTip(box, l.tip);
        auto *bl = new QHBoxLayout(box);
        bl->setContentsMargins(6, 2, 6, 2);
        bl->addWidget(makeLamp(box, QLatin1String(l.lamp), l.colour), 0, Qt::AlignCenter);
        top->addWidget(box);
    }
    auto *fileCaption = new QLabel(frame);
    core::formtext::tag(fileCaption, 212);
    m_lblFileName = new QLabel(frame);
    m_lblFileName->setObjectName(QStringLiteral("lblFileName"));
    m_lblFileName->setFrameShape(QFrame::StyledPanel);
    m_lblFileName->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    fileCaption->setBuddy(m_lblFileName);
    top->addWidget(fileCaption);
    top->addWidget(m_lblFileName, 1);
    v->addLayout(top);

    auto *bottom = new QHBoxLayout;
    auto *names = new QGridLayout;
    for (int a = 0; a < 4; ++a) {
        auto *caption = new QLabel(frame);
        core::formtext::tag(caption, 1405 + a);
        m_lblDeviceType[a] = new QLabel(frame);
        m_lblDeviceType[a]->setObjectName(QStringLiteral("lblDeviceType%1").arg(a));
        m_lblDeviceType[a]->setAccessibleName(LoadResText(1405 + a));
        QFont mono = m_lblDeviceType[a]->font();
        mono.setStyleHint(QFont::TypeWriter);
        mono.setFamily(QStringLiteral("monospace"));
        m_lblDeviceType[a]->setFont(mono);
        m_lblDeviceType[a]->setMinimumWidth(
            QFontMetrics(mono).horizontalAdvance(QStringLiteral("QZ-E35L-100E_")) + 4);
        caption->setBuddy(m_lblDeviceType[a]);
        names->addWidget(caption, a / 2, (a % 2) * 2);
        names->addWidget(m_lblDeviceType[a], a / 2, (a % 2) * 2 + 1);
    }
    bottom->addLayout(names, 1);
    bottom->addWidget(commandButton(frame, QStringLiteral("cmdChangeDev"), 214, 0), 0, Qt::AlignBottom);
    v->addLayout(bottom);
    return frame;
}

QWidget *frmMain::buildAlarmFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("ALARM"), this);
    frame->setObjectName(QStringLiteral("FrameAlarm"));
    frame->setMinimumHeight(px(1215));
    auto *h = new QHBoxLayout(frame);
    h->addWidget(makeLamp(frame, QStringLiteral("imgAlarmLed"), QColor(230, 0, 0)));
    auto *noCaption = new QLabel(frame);
    core::formtext::tag(noCaption, 215);
    m_lblAlarmNo = new QLabel(frame);
    m_lblAlarmNo->setObjectName(QStringLiteral("lblAlarmNo"));
    m_lblAlarmNo->setMinimumWidth(px(400));
    noCaption->setBuddy(m_lblAlarmNo);
    m_lblErrorComment = new QLabel(QStringLiteral("No Error"), frame);
    m_lblErrorComment->setObjectName(QStringLiteral("lblErrorComment"));
    m_lblErrorComment->setWordWrap(true);
    h->addWidget(noCaption);
    h->addWidget(m_lblAlarmNo);
    h->addWidget(m_lblErrorComment, 1);
    h->addWidget(commandButton(frame, QStringLiteral("cmdReset"), 216, 0));
    return frame;
}

void frmMain::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    const int widths[5] = {200, 150, 150, 90, 70};
    for (int i = 0; i < 5; ++i) {
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        m_panels[i]->setMinimumWidth(widths[i]);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        // Panel texts such as "<1>1Pulse= 0.005mm" are no markup: every panel draws them as
        // they are, in the bar's one font.
        m_panels[i]->setTextFormat(Qt::PlainText);
        bar->addPermanentWidget(m_panels[i], i == 0 ? 1 : 0);
    }
}

// ---------------------------------------------------------------- load, close, layout

void frmMain::Form_Load()
{
    for (int a = 0; a < kAxisCount; ++a) {
        gDevSize[a].clear();
        gDevSpeed[a].clear();
        gDevStroke[a] = 0;
        m_lblDeviceType[a]->clear();
    }
    gHomeDone = false;
    LoadErrorList();
    Set_FormStr(this);
    positions::posigrid::layoutGrid(*m_grid);
    showFileName(gPosiFileName);
    const QStringList version = QStringLiteral(QZ_VERSION).split(QLatin1Char('.'));
    setWindowTitle(LoadResText(201) + QStringLiteral(" Ver") + version.value(0)
                   + QLatin1Char('.') + version.value(1) + version.value(2)
                   + QLatin1Char('E'));
    platform::setApplicationTitle(LoadResText(201));
    gPosiNoFrom = gPosiNoTo = 0;
    gPosiNoDefFrom = gPosiNoDefTo = 0;
    int screenWidth = g_screenWidthForLoad;
    if (screenWidth <= 0 && QGuiApplication::primaryScreen())
        screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    if (screenWidth > 800) {
        resize(px(15360), px(10755));
        // That size is the whole screen's width: under a frame and beside a panel it is made
        // to fit once the window manager has framed it.
        platform::keepOnDesktop(this);
    } else {
        resize(px(12400), px(8250));
        setWindowState(windowState() | Qt::WindowMaximized);
        ResMsgBox({435, 436});
    }
    setStatusPanel(4, QDate::currentDate().toString(Qt::ISODate));
    setStatusPanel(5, QTime::currentTime().toString(QStringLiteral("HH:mm")));
    EditCMD_Muko();
}

bool frmMain::Form_QueryUnload()
{
    ExitCancelled = false;
    SaveCancelFlag = false;
    // No exit in the middle of a transfer, a file write or a print.
    if (BusyGuard::busy()) {
        ExitCancelled = true;
        return false;
    }
    if (!gDataChanged) {
        if (ResMsgBox({390}, platform::MbOkCancel | platform::MbQuestion) != platform::IdOk) {
            ExitCancelled = true;
            return false;
        }
        if (app::linkProbe().closePort)
            app::linkProbe().closePort();
        return true;
    }
    const int answer = ResMsgBox({391}, platform::MbYesNoCancel | platform::MbQuestion);
    if (answer == platform::IdYes) {
        // Only a save that really wrote the data lets the program end.
        const int saved = core::mainform::runCommand(QStringLiteral("mnuFileSaveAs_Click"));
        if (saved != kPosiSaved || SaveCancelFlag) {
            SaveCancelFlag = false;
            ExitCancelled = true;
            return false;
        }
        return true;
    }
    if (answer == platform::IdNo)
        return true;
    ExitCancelled = true;
    return false;
}

void frmMain::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_timer1->stop();
    StoreSettingsAtExit();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_unloaded) {
        event->accept();
        return;
    }
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    // The program is going: what it owes the controller goes first.
    operation::settleControllerAtNormalExit();
    Form_Unload();
    event->accept();
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The width snaps back to 12400 twips only while the window is not maximized: maximized it
    // takes the screen's width, however narrow, with its close box on the screen.
    if (event->type() == QEvent::WindowStateChange)
        setMinimumWidth(isMaximized() ? 0 : px(12400));
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        QWidget *focus = QApplication::focusWidget();
        m_grid->setVisible(true);
        if (focus)
            focus->setFocus();
    }
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    fitLayout();
}

void frmMain::fitLayout()
{
    positions::posigrid::fitCommentColumn(*m_grid);
}

// ---------------------------------------------------------------- View menu and timer

void frmMain::mnuViewStatusBar_Click()
{
    EditCMD_Muko();
    QAction *item = action(QStringLiteral("mnuViewStatusBar"));
    const bool show = statusBar()->isHidden();
    statusBar()->setVisible(show);
    item->setChecked(show);
}

void frmMain::mnuViewToolBar_Click()
{
    EditCMD_Muko();
    QAction *item = action(QStringLiteral("mnuViewToolBar"));
    const bool show = m_toolBar->isHidden();
    m_toolBar->setVisible(show);
    item->setChecked(show);
    // The logo shows in exactly one place: on the toolbar, or beside the buttons without it.
    m_picture2->setVisible(!show);
}

void frmMain::Timer1_Timer()
{
    const app::LinkProbe &link = app::linkProbe();
    if (QLabel *port = m_lamps.value(QStringLiteral("imgPortGreen")))
        port->setVisible(link.portOpen && link.portOpen());
    setStatusPanel(4, QDate::currentDate().toString(Qt::ISODate));
    setStatusPanel(5, QTime::currentTime().toString(QStringLiteral("HH:mm")));
    statusBar()->update();
    const bool alarm = link.alarmNow && link.alarmNow();
    const bool pending = link.eventMsgPending && link.eventMsgPending();
    const bool running = link.exchangeRunning && link.exchangeRunning();
    if (core::mainform::commModeRetryDue(gOfflineMode, alarm, pending, running) && link.commModeOn2) {
        if (link.commModeOn2() == 0 && link.clearEventMsg)
            link.clearEventMsg();
    }
}

// ---------------------------------------------------------------- commands

void frmMain::entry(const QString &command)
{
    if (commandRefused())
        return;
    static const QHash<QString, void (frmMain::*)()> own = {
        {QStringLiteral("mnuFileNew_Click"), &frmMain::mnuFileNew_Click},
        {QStringLiteral("mnuFileShogoCt_Click"), &frmMain::mnuFileShogoCt_Click},
        {QStringLiteral("mnuFileShogoFile_Click"), &frmMain::mnuFileShogoFile_Click},
        {QStringLiteral("mnuFileExit_Click"), &frmMain::mnuFileExit_Click},
        {QStringLiteral("mnuViewToolBar_Click"), &frmMain::mnuViewToolBar_Click},
        {QStringLiteral("mnuViewStatusBar_Click"), &frmMain::mnuViewStatusBar_Click}};
    if (const auto handler = own.value(command)) {
        if (!core::mainform::CommandRecorder::record(command, true))
            (this->*handler)();
        return;
    }
    core::mainform::runCommand(command);
}

void frmMain::tbToolBar_ButtonClick(const QString &key)
{
    const QString command = toolbarCommands().value(key);
    if (!command.isEmpty())
        entry(command);
}

void frmMain::mnuFileNew_Click()
{
    EditCMD_Muko();
    if (gDataChanged) {
        const int answer = ResMsgBox({394}, platform::MbYesNoCancel | platform::MbQuestion);
        if (answer == platform::IdCancel)
            return;
        if (answer == platform::IdYes) {
            // 0 saved; 2 the check found faults and has shown them; anything else a failed save.
            const int saved = core::mainform::runCommand(QStringLiteral("SavePosiFileCheck"));
            if (saved == 2)
                return;
            if (saved != 0) {
                ResMsgBox({395});
                return;
            }
        }
    }
    gPosiNewMode = true;
    const int keptFrom = gPosiNoDefFrom;
    const int keptTo = gPosiNoDefTo;
    gPosiNoDefFrom = 1;
    gPosiNoDefTo = 15;
    GridCursorTop();
    {
        frmSelectPosiNo3 range(this);
        range.exec();
    }
    if (gSelectCancel) {
        CMDBTN_Yuko();
        ToolBar_Yuko();
        Menyu_Yuko();
        gSelectCancel = false;
        gPosiNewMode = false;
        gPosiNoDefFrom = keptFrom;
        gPosiNoDefTo = keptTo;
        EditCMD_Muko();
        return;
    }
    gPosiNoDefFrom = gPosiNoFrom;
    gPosiNoDefTo = gPosiNoTo;
    {
        positions::posigrid::BulkChange hidden(*m_grid);
        m_grid->setRows(gPosiNoDefTo - gPosiNoDefFrom + 3);
        gPosiNewMode = false;
        InitPosiData();
        positions::posigrid::fill(*m_grid);
        gDataChanged = false;
        gPosiFileName = LoadResText(213);
        gPosiFilePath.clear();
        showFileName(gPosiFileName);
    }
    GridStateOn();
    EditCMD_Muko();
}

void frmMain::mnuFileShogoCt_Click()
{
    CMDBTN_Muko();
    ToolBar_Muko();
    Menyu_Muko();
    EditCMD_Muko();
    if (Check_flgdLineNo() != 1)
        core::mainform::runCommand(QStringLiteral("PosiDataCtShogo"));
    CMDBTN_Yuko();
    ToolBar_Yuko();
    Menyu_Yuko();
}

void frmMain::mnuFileShogoFile_Click()
{
    CMDBTN_Muko();
    ToolBar_Muko();
    Menyu_Muko();
    EditCMD_Muko();
    if (Check_flgdLineNo() != 1)
        core::mainform::runCommand(QStringLiteral("PosiDataFileShogo2"));
    CMDBTN_Yuko();
    ToolBar_Yuko();
    Menyu_Yuko();
}

void frmMain::flgdData_DblClick()
{
    if (commandRefused())
        return;
    const int c = m_grid->col();
    if (c >= 1 && c <= 16 && gAxisUnused[(c - 1) / 4])
        return;
    m_grid->editCurrentCell();
}

// ---------------------------------------------------------------- MainFormPort

void frmMain::setControlEnabled(const QString &control, bool on)
{
    QObject *o = m_controls.value(control);
    if (auto *a = qobject_cast<QAction *>(o))
        a->setEnabled(on);
    else if (auto *w = qobject_cast<QWidget *>(o))
        w->setEnabled(on);
}

void frmMain::setGridActive(bool on)
{
    m_grid->setEnabled(on);
    m_grid->setRedraw(on);
}

void frmMain::setGridRedraw(bool on)
{
    m_grid->setRedraw(on);
}

void frmMain::QzDataHyoji_3()
{
    positions::posigrid::fill(*m_grid);
}

void frmMain::DispAxisData()
{
    positions::posigrid::dispAxisData(*m_grid);
}

void frmMain::Change_DispUnit()
{
    positions::posigrid::changeDispUnit(*m_grid);
}

int frmMain::Check_flgdLineNo()
{
    return positions::posigrid::checkLineNo(*m_grid);
}

void frmMain::GridStateOff()
{
    positions::posigrid::stateOff(*m_grid);
}

void frmMain::GridStateOn()
{
    positions::posigrid::stateOn(*m_grid);
}

void frmMain::GridCursorTop()
{
    positions::posigrid::cursorTop(*m_grid);
}

void frmMain::showFileName(const QString &name)
{
    m_lblFileName->setText(name);
}

QString frmMain::deviceLabel(int axis) const
{
    return axis >= 0 && axis < 4 ? m_lblDeviceType[axis]->text() : QString();
}

void frmMain::setDeviceLabel(int axis, const QString &text)
{
    if (axis >= 0 && axis < 4)
        m_lblDeviceType[axis]->setText(text);
}

void frmMain::setAxisHeading(int axis, const QString &text)
{
    positions::posigrid::setAxisHeading(*m_grid, axis, text);
}

void frmMain::repaintWindow()
{
    update();
    m_grid->update();
}

void frmMain::showHomeLamp(bool shown)
{
    m_lamps.value(QStringLiteral("imgHomeGreen"))->setVisible(shown);
}

void frmMain::setStatusPanel(int panel, const QString &text)
{
    if (QLabel *l = statusPanel(panel)) {
        // One font per panel: a Japanese unit beside Latin digits would otherwise be drawn
        // in two fonts, differently in each panel.
        l->setFont(platform::wholeTextFont(statusBar()->font(), text));
        l->setText(text);
    }
}

void frmMain::showAlarm(bool lamp, const QString &number, const QString &comment)
{
    m_lamps.value(QStringLiteral("imgAlarmLed"))->setVisible(lamp);
    m_lblAlarmNo->setText(number);
    m_lblErrorComment->setText(comment);
}
