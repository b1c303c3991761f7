#include "editors/frmParameta2.h"

#include "actuators/DevCatalogue.h"
#include "actuators/DevWinFlags.h"
#include "actuators/PendingSnapshot.h"
#include "core/BusyGuard.h"
#include "core/FormText.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "core/Padding.h"
#include "core/WinFlags.h"
#include "tables/ParaInput.h"
#include "editors/frmDevice.h"
#include "link/ParaReread.h"
#include "tables/ParaSet.h"
#include "tables/ParaWindowKeep.h"
#include "editors/ParaWindowCommands.h"
#include "link/LinkHooks.h"
#include "platform/Beep.h"
#include "platform/Dialogs.h"
#include "platform/FocusGuard.h"
#include "platform/KeyInput.h"
#include "platform/Screen.h"
#include "platform/ScrollPane.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QAbstractItemView>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using tables::ParaField;

namespace {

QPointer<frmParameta2> g_window;
const QColor kGrey(224, 224, 224);

const char *const kKindNames[frmParameta2::KindCount] = {
    "txtHomeOffset", "txtHomePush",  "txtHomeVel",      "txtHomeOfsVel",    "txtHomePushVel",
    "txtHomeOrder",  "txtJogHighVel", "txtAxisStroke",  "txtAxisLead",      "txtAxisPulse",
    "comboAxisAutoDrv", "comboEtcJhOrQz", "comboActSize", "comboActSpeed",  "comboActStroke",
    "comboPgFunc",   "txtPgAlarm",   "txtPgCheckTimer", "txtLsSerchTimer",  "comboSoftLimit",
    "comboM0Disable"};

// The parameter item behind each kind of field, which holds its width and its limits.
constexpr int kKindItems[frmParameta2::KindCount] = {1,  2,  3,  4,  5,  6,  10, 7,  8,  9,  11,
                                                     12, 29, 30, 31, 14, 15, 23, 24, 25, 26};

// The numeric field behind each text kind.
std::optional<ParaField> paraFieldOf(int kind)
{
    switch (kind) {
    case frmParameta2::HomeOffset: return ParaField::HomeOffset;
    case frmParameta2::HomePush: return ParaField::HomePush;
    case frmParameta2::HomeVel: return ParaField::HomeVel;
    case frmParameta2::HomeOfsVel: return ParaField::HomeOfsVel;
    case frmParameta2::HomePushVel: return ParaField::HomePushVel;
    case frmParameta2::HomeOrder: return ParaField::HomeOrder;
    case frmParameta2::JogHighVel: return ParaField::JogHighVel;
    case frmParameta2::AxisStroke: return ParaField::AxisStroke;
    case frmParameta2::AxisLead: return ParaField::AxisLead;
    case frmParameta2::AxisPulse: return ParaField::AxisPulse;
    case frmParameta2::PgAlarm: return ParaField::PgAlarm;
    case frmParameta2::PgCheckTimer: return ParaField::PgCheckTimer;
    case frmParameta2::LsSerchTimer: return ParaField::LsSerchTimer;
    default: return std::nullopt;
    }
}

QString textOf(const QWidget *w)
{
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (auto *c = qobject_cast<const QComboBox *>(w))
        return c->currentText();
    return {};
}

void setTextOf(QWidget *w, const QString &text)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(text);
    else if (auto *c = qobject_cast<QComboBox *>(w)) {
        if (c->isEditable())
            c->setEditText(text);
        else if (text.isEmpty())
            c->setCurrentIndex(-1);
    }
}

void setGrey(QWidget *w, bool grey)
{
    QPalette p = w->palette();
    const QColor base = grey ? kGrey : QApplication::palette(w).color(QPalette::Base);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::Button, grey ? kGrey : QApplication::palette(w).color(QPalette::Button));
    w->setPalette(p);
    w->setProperty("greyed", grey);
}

void lock(QWidget *w)
{
    w->setEnabled(false);
    setGrey(w, true);
}

void unlock(QWidget *w)
{
    w->setEnabled(true);
    setGrey(w, false);
}

void fillList(QComboBox *c, std::initializer_list<int> ids)
{
    int value = 0;
    for (int id : ids)
        c->addItem(LoadResText(id), value++);
    c->setCurrentIndex(-1);
}

// The entry at the value's position; a value with no entry leaves no selection, so the blank
// test of the next command catches it rather than a stale choice being taken for it.
void showAtPosition(QWidget *w, int value)
{
    auto *c = static_cast<QComboBox *>(w);
    c->setCurrentIndex(value >= 0 && value < c->count() ? value : -1);
}

int selectedValue(const QWidget *w)
{
    auto *c = static_cast<const QComboBox *>(w);
    return c->currentIndex() < 0 ? 0 : c->currentData().toInt();
}

// Replaces a list's entries and keeps the text it showed.
void refill(QComboBox *c, const QStringList &entries)
{
    const QString text = c->currentText();
    c->blockSignals(true);
    c->clear();
    c->addItems(entries);
    c->setEditText(text);
    c->blockSignals(false);
}

QComboBox *newCombo(QWidget *parent, const QString &name, bool editable)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(editable);
    c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QLineEdit *newEdit(QWidget *parent, const QString &name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QLabel *axisHeader(QWidget *parent, const char *array, int axis)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(axis));
    core::formtext::tag(l, 220 + axis);
    return l;
}

// A row caption with the fixed mark "*" where the row carries one.
QLabel *rowCaption(QWidget *parent, const QString &caption, bool mark, int &markIndex)
{
    auto *l = new QLabel((mark ? QStringLiteral("* ") : QStringLiteral("  ")) + caption, parent);
    l->setAccessibleName(caption);
    if (mark)
        l->setObjectName(QStringLiteral("lblKomejirusi_%1").arg(markIndex++));
    return l;
}

} // namespace

frmParameta2::frmParameta2(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmParameta2"));
    setAttribute(Qt::WA_DeleteOnClose);
    core::formtext::tagWindow(this, 601);

    for (int k = 0; k < KindCount; ++k) {
        for (int a = 0; a < kAxisCount; ++a) {
            const QString name = QStringLiteral("%1_%2").arg(QLatin1String(kKindNames[k])).arg(a);
            if (kKindNames[k][0] == 't') {
                auto *e = newEdit(this, name);
                e->installEventFilter(this);
                if (const std::optional<ParaField> field = paraFieldOf(k))
                    e->setValidator(tables::newParaFieldValidator(*field, e));
                m_field[k][a] = e;
            } else {
                // Only the actuator lists take typed text; every other list is a choice.
                const bool editable = k == ActSize || k == ActSpeed || k == ActStroke;
                m_field[k][a] = newCombo(this, name, editable);
            }
        }
    }

    int mark = 0;
    // The content scrolls where a small screen cannot show it whole.
    auto *content = new QWidget;
    content->setAccessibleName(LoadResText(601));
    auto *outer = new QHBoxLayout(content);
    auto *leftCol = new QVBoxLayout;
    auto *rightCol = new QVBoxLayout;
    outer->addLayout(leftCol);
    outer->addLayout(rightCol);

    // A per-axis frame: the headers, then one row of four fields per kind.
    const auto axisFrame = [&](const char *name, int id, const char *header,
                               const QList<std::pair<QString, int>> &rows, bool marked) {
        auto *frame = new QGroupBox(this);
        frame->setObjectName(QLatin1String(name));
        core::formtext::tag(frame, id);
        auto *grid = new QGridLayout(frame);
        for (int a = 0; a < kAxisCount; ++a)
            grid->addWidget(axisHeader(frame, header, a), 0, 1 + a);
        int r = 1;
        for (const auto &[caption, kind] : rows) {
            const bool starred = marked && !(caption.startsWith(QLatin1String("6. SEQ"))
                                             || caption.startsWith(QLatin1String("2. ALM")));
            QLabel *lbl = rowCaption(frame, caption, starred, mark);
            grid->addWidget(lbl, r, 0);
            // A list whose choices are longer than one axis column shows two axes a line, each
            // named, so that every choice shows whole in both languages.
            const bool paired = kind == AxisAutoDrv || kind == PgFunc;
            auto *pairs = paired ? new QGridLayout : nullptr;
            for (int a = 0; a < kAxisCount; ++a) {
                m_field[kind][a]->setParent(frame);
                m_field[kind][a]->setAccessibleName(caption + QStringLiteral(" AXIS %1").arg(a + 1));
                if (!paired) {
                    grid->addWidget(m_field[kind][a], r, 1 + a);
                    continue;
                }
                auto *block = new QHBoxLayout;
                block->addWidget(axisHeader(frame, kind == PgFunc ? "lblPgFuncAxis" : "lblAutoDrvAxis", a));
                block->addWidget(m_field[kind][a], 1);
                pairs->addLayout(block, a / 2, a % 2);
            }
            if (paired) {
                lbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
                grid->addLayout(pairs, r, 1, 1, 4);
            }
            lbl->setBuddy(m_field[kind][0]);
            ++r;
        }
        return std::make_pair(frame, grid);
    };

    auto home = axisFrame("framHomePara", 602, "lblHomeAxis",
                          {{QStringLiteral("1. OFFSET"), HomeOffset}, {QStringLiteral("2. PUSH"), HomePush},
                           {QStringLiteral("3. VEL"), HomeVel}, {QStringLiteral("4. OFSVEL"), HomeOfsVel},
                           {QStringLiteral("5. PUSHVEL"), HomePushVel}, {QStringLiteral("6. SEQ"), HomeOrder}},
                          true);
    leftCol->addWidget(home.first);

    auto axis = axisFrame("framAxisPara", 603, "lblAxisParaAxis",
                          {{QStringLiteral("1. STROKE"), AxisStroke}, {QStringLiteral("2. LEAD"), AxisLead},
                           {QStringLiteral("3. PULSE"), AxisPulse}, {QStringLiteral("4. JOG VEL"), JogHighVel},
                           {QStringLiteral("5. AutoDrive"), AxisAutoDrv}, {QStringLiteral("6. TYPE"), EtcJhOrQz}},
                          true);
    // "5. AutoDrive" carries no mark.
    if (auto *autoLbl = qobject_cast<QLabel *>(axis.second->itemAtPosition(5, 0)->widget())) {
        autoLbl->setText(QStringLiteral("  5. AutoDrive"));
    }
    auto *cmdCalculate = new QPushButton(QStringLiteral("?"), axis.first);
    cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    cmdCalculate->setAccessibleName(QStringLiteral("?"));
    cmdCalculate->setFixedSize(18, 18);
    // Beside its row's caption, as the layout has it: no column of its own widens the frame.
    axis.second->addWidget(cmdCalculate, 1, 0, Qt::AlignRight | Qt::AlignVCenter);
    axis.second->setColumnMinimumWidth(
        0, axis.first->fontMetrics().horizontalAdvance(QStringLiteral("* 1. STROKE")) + cmdCalculate->width() + 6);
    // The actuator row: size, speed and stroke of each axis, two axes a line.
    auto *actLbl = rowCaption(axis.first, QStringLiteral("7. ACTUATOR"), true, mark);
    axis.second->addWidget(actLbl, 7, 0);
    auto *actGrid = new QGridLayout;
    for (int a = 0; a < kAxisCount; ++a) {
        auto *block = new QHBoxLayout;
        for (int k : {ActSize, ActSpeed, ActStroke}) {
            m_field[k][a]->setParent(axis.first);
            m_field[k][a]->setAccessibleName(QStringLiteral("7. ACTUATOR AXIS %1 %2")
                                                 .arg(a + 1)
                                                 .arg(k == ActSize ? QStringLiteral("size")
                                                      : k == ActSpeed ? QStringLiteral("speed")
                                                                      : QStringLiteral("stroke")));
            block->addWidget(m_field[k][a]);
        }
        actGrid->addWidget(axisHeader(axis.first, "lblActuatorAxis", a), 2 * (a / 2), a % 2);
        actGrid->addLayout(block, 2 * (a / 2) + 1, a % 2);
        m_txtActuator[a] = newEdit(axis.first, QStringLiteral("txtActuator_%1").arg(a));
        m_txtActuator[a]->setAccessibleName(QStringLiteral("Actuator AXIS %1").arg(a + 1));
        m_txtActuator[a]->hide();
    }
    axis.second->addLayout(actGrid, 7, 1, 1, 4);
    leftCol->addWidget(axis.first);

    auto pg = axisFrame("framPgPara", 604, "lblPgAxis",
                        {{QStringLiteral("1. FUNCTION"), PgFunc}, {QStringLiteral("2. ALM"), PgAlarm}}, true);
    leftCol->addWidget(pg.first);

    // The single values.
    auto *etc = new QGroupBox(this);
    etc->setObjectName(QStringLiteral("framEtcPara"));
    core::formtext::tag(etc, 605);
    auto *etcGrid = new QGridLayout(etc);
    m_comboHomeOut = newCombo(etc, QStringLiteral("comboHomeOut"), false);
    m_comboEtcAlmCode = newCombo(etc, QStringLiteral("comboEtcAlmCode"), false);
    m_comboEtcGrpEnable = newCombo(etc, QStringLiteral("comboEtcGrpEnable"), false);
    m_comboSmInTimer = newCombo(etc, QStringLiteral("comboSmInTimer"), false);
    m_txtSmTimeoutTimer = newEdit(etc, QStringLiteral("txtSmTimeoutTimer"));
    m_txtSmTimeoutTimer->installEventFilter(this);
    m_txtSmTimeoutTimer->setValidator(tables::newParaFieldValidator(ParaField::SmTimeoutTimer, m_txtSmTimeoutTimer));
    const auto singleRow = [&mark](QGridLayout *grid, int row, const QString &caption, QWidget *w, bool starred,
                                   int span = 1) {
        auto *lbl = rowCaption(w->parentWidget(), caption, starred, mark);
        lbl->setBuddy(w);
        w->setAccessibleName(caption);
        grid->addWidget(lbl, row, 0);
        grid->addWidget(w, row, 1, 1, span);
    };
    singleRow(etcGrid, 0, QStringLiteral("1. HOME OUT"), m_comboHomeOut, false);
    singleRow(etcGrid, 1, QStringLiteral("2. ALM CODE"), m_comboEtcAlmCode, false);
    singleRow(etcGrid, 2, QStringLiteral("3. GRP ENABLE"), m_comboEtcGrpEnable, false);
    singleRow(etcGrid, 3, QStringLiteral("4. SM TIMEOUT"), m_comboSmInTimer, false);
    singleRow(etcGrid, 4, QStringLiteral("5. SM TIMER"), m_txtSmTimeoutTimer, false);
    rightCol->addWidget(etc);

    auto *sp = new QGroupBox(this);
    sp->setObjectName(QStringLiteral("framTokusyuPara"));
    core::formtext::tag(sp, 606);
    auto *spGrid = new QGridLayout(sp);
    m_chkTokuParaChange = new QCheckBox(sp);
    m_chkTokuParaChange->setObjectName(QStringLiteral("chkTokuParaChange"));
    core::formtext::tag(m_chkTokuParaChange, 619);
    spGrid->addWidget(m_chkTokuParaChange, 0, 0, 1, 5);
    m_txtOneAxis = newEdit(sp, QStringLiteral("txtOneAxis"));
    m_txtOneAxis->installEventFilter(this);
    m_txtOneAxis->setValidator(tables::newParaFieldValidator(ParaField::OneAxis, m_txtOneAxis));
    m_comboAutoHome = newCombo(sp, QStringLiteral("comboAutoHome"), false);
    m_comboStopPause = newCombo(sp, QStringLiteral("comboStopPause"), false);
    m_comboAccDcc = newCombo(sp, QStringLiteral("comboAccDcc"), false);
    singleRow(spGrid, 1, QStringLiteral("1. AXIS"), m_txtOneAxis, true);
    singleRow(spGrid, 2, QStringLiteral("2. AUTO HOME"), m_comboAutoHome, false, 2);
    for (int a = 0; a < kAxisCount; ++a)
        spGrid->addWidget(axisHeader(sp, "blSpAxis", a), 3, 1 + a);
    int spRow = 4;
    for (const auto &[caption, kind] : QList<std::pair<QString, int>>{
             {QStringLiteral("3. PG TIMER"), PgCheckTimer}, {QStringLiteral("4. LS TIMER"), LsSerchTimer},
             {QStringLiteral("5. SOFT LIMIT"), SoftLimit}, {QStringLiteral("6. M0 ENABLE"), M0Disable}}) {
        auto *lbl = rowCaption(sp, caption, false, mark);
        lbl->setBuddy(m_field[kind][0]);
        spGrid->addWidget(lbl, spRow, 0);
        for (int a = 0; a < kAxisCount; ++a) {
            m_field[kind][a]->setParent(sp);
            m_field[kind][a]->setAccessibleName(caption + QStringLiteral(" AXIS %1").arg(a + 1));
            spGrid->addWidget(m_field[kind][a], spRow, 1 + a);
        }
        ++spRow;
    }
    singleRow(spGrid, spRow++, QStringLiteral("7. STOP/PAUSE"), m_comboStopPause, false, 2);
    singleRow(spGrid, spRow++, QStringLiteral("8. ACC/DCC"), m_comboAccDcc, false, 2);
    rightCol->addWidget(sp);

    // The commands.
    const auto commandButton = [this](QWidget *parent, const char *name, int id) {
        auto *b = new QPushButton(parent);
        b->setObjectName(QLatin1String(name));
        core::formtext::tag(b, id);
        return b;
    };
    auto *printRow = new QHBoxLayout;
    auto *cmdParaFilePrint = commandButton(this, "cmdParaFilePrint", 607);
    auto *cmdParaPrint = commandButton(this, "cmdParaPrint", 608);
    auto *cmdIniPrm = commandButton(this, "cmdIniPrm", 609);
    printRow->addWidget(cmdParaFilePrint);
    printRow->addWidget(cmdParaPrint);
    printRow->addWidget(cmdIniPrm);
    rightCol->addLayout(printRow);

    m_SSTabPrm = new QTabWidget(this);
    m_SSTabPrm->setObjectName(QStringLiteral("SSTabPrm"));
    auto *fileTab = new QWidget(m_SSTabPrm);
    auto *ctTab = new QWidget(m_SSTabPrm);
    auto *fileRow = new QHBoxLayout(fileTab);
    auto *cmdReadParaFile = commandButton(fileTab, "cmdReadParaFile", 616);
    auto *cmdSaveParaFile = commandButton(fileTab, "cmdSaveParaFile", 617);
    auto *cmdConpareFile = commandButton(fileTab, "cmdConpareFile", 618);
    fileRow->addWidget(cmdReadParaFile);
    fileRow->addWidget(cmdSaveParaFile);
    fileRow->addWidget(cmdConpareFile);
    auto *ctRow = new QHBoxLayout(ctTab);
    auto *cmdParaRead = commandButton(ctTab, "cmdParaRead", 613);
    auto *cmdParaWrite = commandButton(ctTab, "cmdParaWrite", 614);
    auto *cmdConpareCT = commandButton(ctTab, "cmdConpareCT", 615);
    ctRow->addWidget(cmdParaRead);
    ctRow->addWidget(cmdParaWrite);
    ctRow->addWidget(cmdConpareCT);
    m_SSTabPrm->addTab(fileTab, LayoutText(610));
    m_SSTabPrm->addTab(ctTab, LayoutText(611));
    core::formtext::tagTab(fileTab, 610);
    core::formtext::tagTab(ctTab, 611);
    rightCol->addWidget(m_SSTabPrm);
    rightCol->addStretch(1);
    m_pane = new platform::ScrollPane(content, this);
    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->addWidget(m_pane);
    m_commands = {cmdReadParaFile, cmdSaveParaFile, cmdParaRead, cmdParaWrite, cmdConpareFile,
                  cmdConpareCT, cmdParaFilePrint, cmdParaPrint, cmdIniPrm, cmdCalculate};
    const auto wire = [this](QPushButton *b, auto body) {
        connect(b, &QPushButton::clicked, this, [this, body] { runCommand([this, body] { body(*this); }); });
    };
    wire(cmdParaRead, &GetParametaValue);
    wire(cmdParaWrite, &ParaWriteToCt);
    wire(cmdConpareCT, &ParaCtShogo);
    wire(cmdConpareFile, &ParaFileShogo);
    wire(cmdReadParaFile, &ParaFileRead);
    wire(cmdSaveParaFile, &SaveParaFileAs);
    wire(cmdParaPrint, &ParaPrint);
    wire(cmdParaFilePrint, &ParaFilePrint);
    connect(cmdCalculate, &QPushButton::clicked, this, [this] {
        frmDevice calculator(this);
        calculator.exec();
    });
    // The factory parameters keep the main window's commands as they are.
    connect(cmdIniPrm, &QPushButton::clicked, this, [this] {
        if (commandRefused())
            return;
        BusyGuard busy;
        followCurrentActuators();
        ParaCMDBTN_Muko();
        IniParaSet(*this);
        m_madeFor = tables::ActuatorSet::current();
        ParaCMDBTN_Yuko();
    });

    // The controller's commands take the focus only by the operator's aim.
    platform::keepFocusOffActs(*this, nullptr, {cmdParaRead, cmdParaWrite, cmdConpareCT});
    // Opening, in order: place, texts, lists, lock, actuator lists, axis states.
    platform::placeBesideOwner(this, parent);
    Set_FormStr(this);
    for (QPushButton *b : std::as_const(m_commands))
        b->setAccessibleName(b->text());
    m_chkTokuParaChange->setAccessibleName(m_chkTokuParaChange->text());
    for (int a = 0; a < kAxisCount; ++a) {
        fillList(static_cast<QComboBox *>(m_field[AxisAutoDrv][a]), {641, 642});
        auto *type = static_cast<QComboBox *>(m_field[EtcJhOrQz][a]);
        for (int v = 0; v < tables::kParaTypeCount; ++v)
            type->addItem(LoadResText(tables::kParaTypeText + v), v);
        type->setCurrentIndex(-1);
        fillList(static_cast<QComboBox *>(m_field[PgFunc][a]), {652, 653, 654});
        fillList(static_cast<QComboBox *>(m_field[SoftLimit][a]), {655, 656});
        fillList(static_cast<QComboBox *>(m_field[M0Disable][a]), {655, 656});
        for (int k : {PgCheckTimer, LsSerchTimer, SoftLimit, M0Disable})
            lock(m_field[k][a]);
    }
    fillList(m_comboHomeOut, {657, 658, 659, 660});
    fillList(m_comboEtcAlmCode, {661, 662});
    fillList(m_comboEtcGrpEnable, {655, 656});
    fillList(m_comboSmInTimer, {655, 656});
    fillList(m_comboAutoHome, {663, 664});
    fillList(m_comboStopPause, {667, 668});
    for (QWidget *w : specialSingles())
        lock(w);
    m_SSTabPrm->setCurrentIndex(1);

    ActComboInit();
    for (int a = 0; a < kAxisCount; ++a) {
        for (int k : {ActSize, ActSpeed, ActStroke})
            static_cast<QComboBox *>(m_field[k][a])->setEditText(QString());
        auto *size = static_cast<QComboBox *>(m_field[ActSize][a]);
        auto *speed = static_cast<QComboBox *>(m_field[ActSpeed][a]);
        connect(size, &QComboBox::activated, this, [this, a] { ActSize_Change(a); });
        connect(speed, &QComboBox::activated, this, [this, a] { ActSpeed_Change(a); });
        size->installEventFilter(this);
        speed->installEventFilter(this);
    }
    // What the window showed as it was last closed, before the axes not in use are emptied;
    // only while the actuators it was made for are current.
    showKept();
    m_madeFor = tables::ActuatorSet::current();
    fitFieldWidths();
    YukoJikuHyojiSettei();
    setParaAxisUseHook([this] { YukoJikuHyojiSettei(); });
    tables::setParaWindowActuatorsHook([this] { followCurrentActuators(); });

    connect(m_chkTokuParaChange, &QCheckBox::toggled, this, [this] { chkTokuParaChange_Click(); });
}

void frmParameta2::fitFieldWidths()
{
    // The window must fit a 1024 x 768 screen in both languages: every per-axis field gets
    // one width, enough for every choice of the lists one column wide and any value the
    // filters let through; the lists with longer choices show two axes a line.
    QComboBox probe;
    // Every choice of a list one axis column wide, in the current language.
    for (int id : {655, 656})
        probe.addItem(LoadResText(id));
    for (int v = 0; v < tables::kParaTypeCount; ++v)
        probe.addItem(LoadResText(tables::kParaTypeText + v));
    probe.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const int field = qMax(1215 / 15, probe.sizeHint().width());
    const int spacing = 4;
    const auto fit = [](QWidget *w, int width) {
        w->setFixedWidth(width);
        if (auto *c = qobject_cast<QComboBox *>(w)) {
            c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            c->setMinimumContentsLength(1);
            c->view()->setMinimumWidth(c->view()->sizeHintForColumn(0) + 2 * c->view()->frameWidth() + 8);
        }
    };
    for (int k = 0; k < KindCount; ++k) {
        if (k == ActSize || k == ActSpeed || k == ActStroke)
            continue;
        for (int a = 0; a < kAxisCount; ++a) {
            if (k == AxisAutoDrv || k == PgFunc) {
                // Two axes a line: each list takes what its half of the row leaves.
                auto *c = static_cast<QComboBox *>(m_field[k][a]);
                c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                c->setMinimumContentsLength(1);
                c->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
                continue;
            }
            fit(m_field[k][a], field);
        }
    }
    // One actuator block (size, speed, stroke) spans two axis columns, in the layout's
    // proportions 735 : 615 : 975.
    const int block = 2 * field + spacing - 2 * spacing;
    for (int a = 0; a < kAxisCount; ++a) {
        fit(m_field[ActSize][a], block * 735 / 2325);
        fit(m_field[ActSpeed][a], block * 615 / 2325);
        fit(m_field[ActStroke][a], block - block * 735 / 2325 - block * 615 / 2325);
    }
    for (QWidget *w : std::initializer_list<QWidget *>{m_comboHomeOut, m_comboEtcAlmCode, m_comboEtcGrpEnable,
                                                      m_comboSmInTimer, m_txtSmTimeoutTimer})
        fit(w, 2 * field + spacing);
    // The special single lists span two axis columns, as the single values do.
    for (QWidget *w : specialSingles())
        fit(w, qobject_cast<QComboBox *>(w) ? 2 * field + spacing : field);
    for (QGridLayout *grid : findChildren<QGridLayout *>()) {
        grid->setHorizontalSpacing(spacing);
        grid->setVerticalSpacing(spacing);
        grid->setContentsMargins(6, 6, 6, 6);
    }
    m_pane->widget()->layout()->setContentsMargins(6, 6, 6, 6);
    m_pane->widget()->layout()->setSpacing(6);
}

frmParameta2 *frmParameta2::instance()
{
    return g_window;
}

frmParameta2 *frmParameta2::showWindow()
{
    if (!g_window) {
        auto *main = core::mainform::window();
        g_window = new frmParameta2(main);
    }
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
    return g_window;
}

bool frmParameta2::isGreyed(const QWidget *w)
{
    return w->property("greyed").toBool();
}

QList<QWidget *> frmParameta2::specialSingles() const
{
    return {m_txtOneAxis, m_comboAutoHome, m_comboStopPause, m_comboAccDcc};
}

// ------------------------------------------------------------------ actuator lists

void frmParameta2::ActComboInit()
{
    // The catalogue is read once here; an unreadable one has been reported by the reader.
    if (ReadDevList() != 0)
        return;
    for (int a = 0; a < kAxisCount; ++a)
        ActComboSet(a);
}

void frmParameta2::ActComboSet(int axis)
{
    if (gAxisUnused[axis])
        return;
    ActSizeListSet(axis);
    ActSize_Change(axis);
}

void frmParameta2::ActSize_Change(int axis)
{
    if (gAxisUnused[axis])
        return;
    const QString s = textOf(m_field[ActSize][axis]);
    SetDevListData(axis, s);
    ActSpeedListSet(axis, s);
    ActStrokeListSet(axis);
}

void frmParameta2::ActSpeed_Change(int axis)
{
    if (gAxisUnused[axis])
        return;
    ActStrokeListSet(axis);
}

void frmParameta2::ActSizeListSet(int axis)
{
    auto *c = static_cast<QComboBox *>(m_field[ActSize][axis]);
    QStringList entries;
    for (int i = 0; i < gDevSizeCount[axis] && i < kDevListChoices; ++i)
        entries << gDevSizeList[axis][i];
    refill(c, entries);
    if (!c->currentText().isEmpty())
        return;
    if (ActSizeSelect(axis) == 0)
        c->setEditText(gDevSize[axis]);
    else if (c->count() > 0)
        c->setEditText(c->itemText(0));
}

void frmParameta2::ActSpeedListSet(int axis, const QString &size)
{
    auto *c = static_cast<QComboBox *>(m_field[ActSpeed][axis]);
    QStringList entries;
    for (int i = 0; i < gDevSpeedCount[axis] && i < kDevListChoices; ++i)
        entries << gDevSpeedList[axis][i];
    refill(c, entries);
    if (size == QLatin1String("E35") || size == QLatin1String(" 20"))
        c->setEditText(QStringLiteral("L"));
    if (!gDevSpeed[axis].isEmpty())
        c->setEditText(ActSpeedSelect(axis, gDevSpeed[axis]) == 0 ? gDevSpeed[axis]
                                                                   : (c->count() ? c->itemText(0) : QString()));
}

void frmParameta2::ActStrokeListSet(int axis)
{
    if (gAxisUnused[axis])
        return;
    auto *c = static_cast<QComboBox *>(m_field[ActStroke][axis]);
    const QString size = textOf(m_field[ActSize][axis]);
    const QString speed = textOf(m_field[ActSpeed][axis]);
    const int current = gDevStroke[axis];
    QStringList entries;
    QString text = c->currentText();
    bool first = true;
    bool found = false;
    for (int r = 1; r <= gDevListCount[axis] && r < kDevListRows; ++r) {
        const DevListRow &row = gDevList[axis][r];
        if (row.size != size || row.speed != speed)
            continue;
        if (row.stroke == current)
            found = true;
        entries << QString::number(row.stroke);
        if (found)
            text = QString::number(current);
        else if (first) {
            text = QString::number(row.stroke);
            first = false;
        }
    }
    refill(c, entries);
    c->setEditText(text);
    if (current == 0)
        return;
    c->setEditText(ActStrokeSelect(axis, current) == 0 ? QString::number(current)
                                                       : (c->count() ? c->itemText(0) : QString()));
}

int frmParameta2::ActSizeSelect(int axis) const
{
    auto *c = static_cast<QComboBox *>(m_field[ActSize][axis]);
    return c->findText(gDevSize[axis], Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0 ? 0 : 1;
}

int frmParameta2::ActSpeedSelect(int axis, const QString &speed) const
{
    auto *c = static_cast<QComboBox *>(m_field[ActSpeed][axis]);
    return c->findText(speed, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0 ? 0 : 1;
}

int frmParameta2::ActStrokeSelect(int axis, int stroke) const
{
    auto *c = static_cast<QComboBox *>(m_field[ActStroke][axis]);
    for (int i = 0; i < c->count(); ++i) {
        if (tables::paraTextInteger(c->itemText(i), false) == stroke)
            return 0;
    }
    return 1;
}

// ------------------------------------------------------------------ display

void frmParameta2::YukoJikuHyojiSettei()
{
    const bool unlocked = m_chkTokuParaChange->isChecked();
    for (int k = 0; k < KindCount; ++k) {
        for (int a = 0; a < kAxisCount; ++a) {
            QWidget *f = m_field[k][a];
            const bool special = k >= PgCheckTimer;
            if (gAxisUnused[a]) {
                if (!special) {
                    if (k != AxisAutoDrv && k != EtcJhOrQz && k != PgFunc)
                        setTextOf(f, QString());
                    setGrey(f, true);
                } else if (unlocked) {
                    setTextOf(f, QString());
                    setGrey(f, true);
                }
            } else if (!special) {
                setGrey(f, false);
            } else if (unlocked) {
                unlock(f);
            }
        }
    }
}

void frmParameta2::ParametaHyoji()
{
    const auto num = [](qint64 v) { return QString::number(v); };
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        setTextOf(m_field[HomeOffset][a], num(gPrmHomeOffset[a]));
        setTextOf(m_field[HomePush][a], num(gPrmHomePush[a]));
        setTextOf(m_field[HomeVel][a], num(gPrmHomeVel[a]));
        setTextOf(m_field[HomeOfsVel][a], num(gPrmHomeOfsVel[a]));
        setTextOf(m_field[HomePushVel][a], num(gPrmHomePushVel[a]));
        setTextOf(m_field[HomeOrder][a], num(gPrmHomeOrder[a]));
        setTextOf(m_field[AxisStroke][a], num(gPrmAxisStroke[a]));
        setTextOf(m_field[AxisLead][a], num(gPrmAxisLead[a]));
        setTextOf(m_field[AxisPulse][a], num(gPrmAxisPulse[a]));
        setTextOf(m_field[JogHighVel][a], num(gPrmJogHighVel[a]));
        showAtPosition(m_field[AxisAutoDrv][a], gPrmAutoDrv[a]);
        // A TYPE value without an entry shows none, which the blank test then catches.
        auto *type = static_cast<QComboBox *>(m_field[EtcJhOrQz][a]);
        type->setCurrentIndex(type->findData(gPrmJhOrQz[a]));
        m_txtActuator[a]->setText(gPrmActuator[a]);
        setTextOf(m_field[ActSize][a], gPrmActSize[a]);
        setTextOf(m_field[ActSpeed][a], gPrmActSpeed[a]);
        setTextOf(m_field[ActStroke][a], num(gPrmActStroke[a]));
        showAtPosition(m_field[PgFunc][a], gPrmPgFunc[a]);
        setTextOf(m_field[PgAlarm][a], num(gPrmPgAlarm[a]));
        setTextOf(m_field[PgCheckTimer][a], num(gPrmPgCheckTimer[a]));
        setTextOf(m_field[LsSerchTimer][a], num(gPrmLsSerchTimer[a]));
        showAtPosition(m_field[SoftLimit][a], gPrmSoftLimit[a]);
        showAtPosition(m_field[M0Disable][a], gPrmM0Disable[a]);
    }
    showAtPosition(m_comboHomeOut, gPrmHomeOut);
    showAtPosition(m_comboEtcAlmCode, gPrmAlmCode);
    showAtPosition(m_comboEtcGrpEnable, gPrmGrpEnable);
    showAtPosition(m_comboSmInTimer, gPrmSmTimeoutSel);
    m_txtSmTimeoutTimer->setText(num(gPrmSmTimerVal));
    m_txtOneAxis->setText(num(gAxisMask));
    showAtPosition(m_comboAutoHome, gPrmAutoHome);
    showAtPosition(m_comboStopPause, gPrmStopPause);
}

void frmParameta2::chkTokuParaChange_Click()
{
    if (!m_chkTokuParaChange->isChecked()) {
        for (int a = 0; a < kAxisCount; ++a) {
            for (int k : {PgCheckTimer, LsSerchTimer, SoftLimit, M0Disable})
                lock(m_field[k][a]);
        }
        for (QWidget *w : specialSingles())
            lock(w);
        return;
    }
    if (ResMsgBox({671, 672}, platform::MbYesNo | platform::MbExclamation) != platform::IdYes) {
        m_chkTokuParaChange->setChecked(false);
        return;
    }
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        for (int k : {PgCheckTimer, LsSerchTimer, SoftLimit, M0Disable})
            unlock(m_field[k][a]);
    }
    for (QWidget *w : specialSingles())
        unlock(w);
}

// ------------------------------------------------------------------ input

int frmParameta2::TorikomiParametaValue()
{
    // All or nothing: a text that does not fit stops the intake and puts back what it took.
    tables::ParaSetGuard set;
    const PendingSnapshot pending = PendingSnapshot::capture();
    m_intakeFailed = intakeFields() != 0;
    if (m_intakeFailed) {
        pending.restore();
        return 1;
    }
    set.keep();
    return 0;
}

int frmParameta2::intakeFields()
{
    // A box's text is read strictly in its field's form, the stroke list's as a whole number;
    // each at the width of the item it goes into.
    const auto number = [this](int kind, int a) {
        const tables::ParaItem &item = tables::paraItem(kKindItems[kind]);
        const QString text = textOf(m_field[kind][a]);
        const std::optional<ParaField> field = paraFieldOf(kind);
        const auto v = field ? tables::paraFieldInteger(*field, text)
                             : tables::paraTextInteger(text, tables::paraItemWide(item.number));
        if (v)
            item.setValueAt(a, *v);
        return v.has_value();
    };
    const auto choice = [this](int kind, int a) {
        tables::paraItem(kKindItems[kind]).setValueAt(a, selectedValue(m_field[kind][a]));
    };
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        for (int kind : {HomeOffset, HomePush, HomeVel, HomeOfsVel, HomePushVel, HomeOrder, AxisStroke, AxisLead,
                         AxisPulse, JogHighVel}) {
            if (!number(kind, a))
                return 1;
        }
        choice(AxisAutoDrv, a);
        choice(EtcJhOrQz, a);
        gPrmActuator[a].clear();
        gPrmActSize[a] = gDevSetteiSize[a] = textOf(m_field[ActSize][a]);
        gPrmActSpeed[a] = gDevSetteiSpeed[a] = textOf(m_field[ActSpeed][a]).trimmed();
        if (!number(ActStroke, a))
            return 1;
        gDevSetteiStroke[a] = gPrmActStroke[a];
        tables::rebuildActuatorCode(a);
        choice(PgFunc, a);
        for (int kind : {PgAlarm, PgCheckTimer, LsSerchTimer}) {
            if (!number(kind, a))
                return 1;
        }
        choice(SoftLimit, a);
        choice(M0Disable, a);
    }
    gPrmHomeOut = selectedValue(m_comboHomeOut);
    gPrmAlmCode = selectedValue(m_comboEtcAlmCode);
    gPrmGrpEnable = selectedValue(m_comboEtcGrpEnable);
    gPrmSmTimeoutSel = selectedValue(m_comboSmInTimer);
    const auto timer = tables::paraFieldInteger(ParaField::SmTimeoutTimer, m_txtSmTimeoutTimer->text());
    if (!timer)
        return 1;
    gPrmSmTimerVal = int(*timer);
    const auto mask = tables::paraFieldInteger(ParaField::OneAxis, m_txtOneAxis->text());
    if (!mask)
        return 1;
    gAxisMask = int(*mask);
    gPrmAutoHome = selectedValue(m_comboAutoHome);
    gPrmStopPause = selectedValue(m_comboStopPause);
    return 0;
}

int frmParameta2::ParametaValueCheck() const
{
    // A text the intake could not take leaves an item behind that no longer is what is shown.
    const int checked = ::ParametaValueCheck();
    return m_intakeFailed ? 1 : checked;
}

void frmParameta2::CheckParaBlank()
{
    gParaEmpty = false;
    for (int a = 0; a < kAxisCount; ++a) {
        if (gAxisUnused[a])
            continue;
        for (int k = 0; k < KindCount; ++k) {
            if (textOf(m_field[k][a]).isEmpty())
                gParaEmpty = true;
        }
    }
    for (QWidget *w : {static_cast<QWidget *>(m_comboHomeOut), static_cast<QWidget *>(m_comboEtcAlmCode),
                       static_cast<QWidget *>(m_comboEtcGrpEnable), static_cast<QWidget *>(m_comboSmInTimer),
                       static_cast<QWidget *>(m_txtSmTimeoutTimer), static_cast<QWidget *>(m_txtOneAxis),
                       static_cast<QWidget *>(m_comboAutoHome), static_cast<QWidget *>(m_comboStopPause)}) {
        if (textOf(w).isEmpty())
            gParaEmpty = true;
    }
}

void frmParameta2::enterPressed(QLineEdit *box)
{
    const auto focusFirstEnabled = [](std::initializer_list<QWidget *> order) {
        for (QWidget *w : order) {
            if (w && w->isEnabled()) {
                w->setFocus();
                return;
            }
        }
    };
    QWidget *home0 = m_field[HomeOffset][0];
    if (box == m_txtSmTimeoutTimer) {
        focusFirstEnabled({m_txtOneAxis, home0});
        return;
    }
    if (box == m_txtOneAxis) {
        focusFirstEnabled({m_field[PgCheckTimer][0], home0});
        return;
    }
    for (int k = 0; k < KindCount; ++k) {
        for (int a = 0; a < kAxisCount; ++a) {
            if (m_field[k][a] != box)
                continue;
            if (a < kAxisCount - 1 && m_field[k][a + 1]->isEnabled()) {
                m_field[k][a + 1]->setFocus();
                return;
            }
            QWidget *next = nullptr;
            switch (k) {
            case HomeOffset: next = m_field[HomePush][0]; break;
            case HomePush: next = m_field[HomeVel][0]; break;
            case HomeVel: next = m_field[HomeOfsVel][0]; break;
            case HomeOfsVel: next = m_field[HomePushVel][0]; break;
            case HomePushVel: next = m_field[HomeOrder][0]; break;
            case HomeOrder: next = m_field[AxisStroke][0]; break;
            case AxisStroke: next = m_field[AxisLead][0]; break;
            case AxisLead: next = m_field[AxisPulse][0]; break;
            case AxisPulse: next = m_field[AxisAutoDrv][0]; break;
            case JogHighVel: next = m_field[AxisStroke][0]; break;
            case PgAlarm: next = m_comboHomeOut; break;
            case PgCheckTimer: next = m_field[LsSerchTimer][0]; break;
            case LsSerchTimer: next = m_field[SoftLimit][0]; break;
            default: break;
            }
            // A special field of an axis not in use is disabled: the focus goes on from the start.
            focusFirstEnabled({next, home0});
            return;
        }
    }
}

void frmParameta2::focusLeft(QLineEdit *box)
{
    std::optional<ParaField> field;
    if (box == m_txtSmTimeoutTimer)
        field = ParaField::SmTimeoutTimer;
    for (int k = 0; k < KindCount && !field; ++k) {
        for (int a = 0; a < kAxisCount; ++a) {
            if (m_field[k][a] == box)
                field = paraFieldOf(k);
        }
    }
    if (!field || tables::paraFieldAccepted(*field, box->text()))
        return;
    box->clear();
    platform::beep();
}

bool frmParameta2::eventFilter(QObject *watched, QEvent *event)
{
    if (auto *combo = qobject_cast<QComboBox *>(watched)) {
        if (event->type() == QEvent::FocusOut) {
            for (int a = 0; a < kAxisCount; ++a) {
                if (combo == m_field[ActSize][a])
                    ActSize_Change(a);
                else if (combo == m_field[ActSpeed][a])
                    ActSpeed_Change(a);
            }
        }
        return QWidget::eventFilter(watched, event);
    }
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        focusLeft(box);
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            enterPressed(box);
            return true;
        }
        const std::optional<QChar> typed = platform::typedCharacter(*key);
        if (!typed)
            return false;
        std::optional<ParaField> field;
        if (box == m_txtSmTimeoutTimer)
            field = ParaField::SmTimeoutTimer;
        else if (box == m_txtOneAxis)
            field = ParaField::OneAxis;
        for (int k = 0; k < KindCount && !field; ++k) {
            for (int a = 0; a < kAxisCount; ++a) {
                if (m_field[k][a] == box)
                    field = paraFieldOf(k);
            }
        }
        if (!field)
            return false;
        return platform::dropsTypedKey(*key, [&](QChar c) { return tables::paraKeyAccepted(*field, box->text(), c); });
    }
    return QWidget::eventFilter(watched, event);
}

// ------------------------------------------------------------------ commands

void frmParameta2::ParaCMDBTN_Muko()
{
    for (QPushButton *b : std::as_const(m_commands))
        b->setEnabled(false);
}

void frmParameta2::ParaCMDBTN_Yuko()
{
    for (QPushButton *b : std::as_const(m_commands))
        b->setEnabled(true);
}

void frmParameta2::runCommand(const std::function<void()> &body)
{
    if (commandRefused())
        return;
    BusyGuard busy;
    // Nothing made for actuators no longer current is read into the set, written or saved.
    followCurrentActuators();
    ParaCMDBTN_Muko();
    CMDBTN_Muko();
    ToolBar_Muko();
    Menyu_Muko();
    body();
    // What the command left the window showing is made for the actuators it left current.
    m_madeFor = tables::ActuatorSet::current();
    CMDBTN_Yuko();
    ToolBar_Yuko();
    Menyu_Yuko();
    ParaCMDBTN_Yuko();
}

frmParameta2::~frmParameta2()
{
    setParaAxisUseHook(nullptr);
    tables::setParaWindowActuatorsHook(nullptr);
}

void frmParameta2::closeEvent(QCloseEvent *event)
{
    // A command running in a wait below must finish before its window goes.
    if (BusyGuard::busy()) {
        event->ignore();
        return;
    }
    keepShown();
    event->accept();
}

QList<QWidget *> frmParameta2::valueFields() const
{
    QList<QWidget *> out;
    for (int k = 0; k < KindCount; ++k)
        for (int a = 0; a < kAxisCount; ++a)
            out << m_field[k][a];
    for (QLineEdit *e : m_txtActuator)
        out << e;
    out << m_comboHomeOut << m_comboEtcAlmCode << m_comboEtcGrpEnable << m_comboSmInTimer << m_txtSmTimeoutTimer;
    out << specialSingles();
    return out;
}

void frmParameta2::keepShown() const
{
    tables::ParaWindowKeep &kept = tables::keptParaWindow();
    kept.clear();
    // A choice list by its entry, which stands for the same value in either language.
    for (const QWidget *w : valueFields()) {
        const auto *c = qobject_cast<const QComboBox *>(w);
        kept.fields.insert(w->objectName(), c && !c->isEditable() ? QVariant(c->currentIndex()) : QVariant(textOf(w)));
    }
    kept.madeFor = m_madeFor;
}

void frmParameta2::showKept()
{
    const QHash<QString, QVariant> kept = tables::keptParaWindow().fieldsForCurrentActuators();
    for (QWidget *w : valueFields()) {
        const auto it = kept.constFind(w->objectName());
        if (it == kept.constEnd())
            continue;
        if (auto *e = qobject_cast<QLineEdit *>(w))
            e->setText(it->toString());
        else if (auto *c = qobject_cast<QComboBox *>(w); c && c->isEditable())
            c->setEditText(it->toString());
        else if (c)
            c->setCurrentIndex(it->toInt() < c->count() ? it->toInt() : -1);
    }
}

void frmParameta2::followCurrentActuators()
{
    const tables::ActuatorSet now = tables::ActuatorSet::current();
    if (now == m_madeFor)
        return;
    showAfresh();
    m_madeFor = now;
}

void frmParameta2::showAfresh()
{
    // As a new window opens: every value empty, the special parameters locked, the actuator
    // lists built for the current actuators from the catalogue already read, with no choice.
    for (QWidget *w : valueFields()) {
        if (auto *e = qobject_cast<QLineEdit *>(w))
            e->clear();
        else if (auto *c = qobject_cast<QComboBox *>(w); c && c->isEditable())
            c->setEditText(QString());
        else if (c)
            c->setCurrentIndex(-1);
    }
    {
        const QSignalBlocker quiet(m_chkTokuParaChange);
        m_chkTokuParaChange->setChecked(false);
    }
    chkTokuParaChange_Click();
    for (int a = 0; a < kAxisCount; ++a) {
        ActComboSet(a);
        for (int k : {ActSize, ActSpeed, ActStroke})
            static_cast<QComboBox *>(m_field[k][a])->setEditText(QString());
    }
    YukoJikuHyojiSettei();
}

void CheckParaBlank()
{
    gParaEmpty = false;
    if (frmParameta2 *w = frmParameta2::instance())
        w->CheckParaBlank();
}

void ParaCMDBTN_Muko()
{
    if (frmParameta2 *w = frmParameta2::instance())
        w->ParaCMDBTN_Muko();
}

void ParaCMDBTN_Yuko()
{
    if (frmParameta2 *w = frmParameta2::instance())
        w->ParaCMDBTN_Yuko();
}

namespace editors {

void registerParameterWindowCommands()
{
    const auto open = [] {
        frmParameta2::showWindow();
        return 0;
    };
    for (const char *name : {"cmdParaHyoji_Click", "mnuShowParameta_Click"})
        core::mainform::setCommand(QLatin1String(name), open);
    // The Settings menu's detail edit warns first; No leaves everything as it was.
    core::mainform::setCommand(QStringLiteral("mnuSettingsParameter_Click"), [open] {
        if (ResMsgBox({410, 411}, platform::MbYesNo | platform::MbExclamation) != platform::IdYes)
            return 1;
        return open();
    });
    link::setParameterWindowHooks(
        [] {
            const bool asked = gDevSyosaiReq;
            gDevSyosaiReq = false;
            return asked;
        },
        [] { frmParameta2::showWindow(); });
}

} // namespace editors
