#include "operation/frmJOG.h"

#include "tables/DevSetting.h"
#include "core/AppSettings.h"
#include "core/BusyGuard.h"
#include "core/FormText.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/SerialLink.h"
#include "operation/JogCommand.h"
#include "platform/Dialogs.h"
#include "platform/FixedGrid.h"
#include "platform/FocusGuard.h"
#include "tables/GridCells.h"
#include "tables/PosiDataCheck.h"
#include "positions/PosiGridText.h"
#include "tables/PosiTable.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kTwipsPerPixel = 15;
const QColor kGrey(0xE0, 0xE0, 0xE0);
const QColor kWhite(0xFF, 0xFF, 0xFF);

int px(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

void paintLabel(QLabel *label, const QColor &colour)
{
    label->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #808080;").arg(colour.name()));
}

QWidget *mainWindow()
{
    return core::mainform::shownWindow();
}

} // namespace

frmJOG::frmJOG(QWidget *mainWindow)
    : QDialog(mainWindow)
    , m_control(*this)
{
    setObjectName(QStringLiteral("frmJOG"));
    setModal(true);
    core::formtext::tagWindow(this, 2201);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    core::formtext::tag(Frame1, 2207);
    auto *modes = new QVBoxLayout(Frame1);
    for (int i = 0; i < 4; ++i) {
        optJOG[i] = new QRadioButton(Frame1);
        optJOG[i]->setObjectName(QStringLiteral("optJOG%1").arg(i));
        core::formtext::tag(optJOG[i], 2208 + i);
        modes->addWidget(optJOG[i]);
    }
    optJOG[0]->setChecked(true);

    auto *buttons = new QGridLayout;
    for (int i = 0; i < operation::jog::kButtons; ++i) {
        cmdJOG[i] = new QPushButton(this);
        cmdJOG[i]->setObjectName(QStringLiteral("cmdJOG%1").arg(i));
        core::formtext::tag(cmdJOG[i], 2213 + i);
        cmdJOG[i]->setAutoRepeat(false);
        // Enter on a focused jog button is no click: a press and a release at once.
        cmdJOG[i]->setAutoDefault(false);
        cmdJOG[i]->setDefault(false);
        // The mouse is the hold-to-run device: a held key comes as X11's auto-repeat, a release
        // and a press again, which cannot always be told from the key let go. Tab passes the
        // jog buttons by and no key presses them; a click still gives the focus, whose loss
        // stops the feed.
        cmdJOG[i]->setFocusPolicy(Qt::ClickFocus);
        cmdJOG[i]->installEventFilter(this);
        connect(cmdJOG[i], &QPushButton::pressed, this, [this, i] { cmdJOG_MouseDown(i); });
        connect(cmdJOG[i], &QPushButton::released, this, [this, i] { cmdJOG_MouseUp(i); });
        buttons->addWidget(cmdJOG[i], i / 2, i % 2);
    }

    lblGenzaitiHyoji = new QLabel(this);
    lblGenzaitiHyoji->setObjectName(QStringLiteral("lblGenzaitiHyoji"));
    auto *positions = new QGridLayout;
    positions->addWidget(lblGenzaitiHyoji, 0, 0, 1, 2);
    for (int a = 0; a < 4; ++a) {
        auto *caption = new QLabel(LoadResText(1405 + a), this);
        lblPosi[a] = new QLabel(this);
        lblPosi[a]->setObjectName(QStringLiteral("lblPosi%1").arg(a + 1));
        lblPosi[a]->setAccessibleName(caption->text());
        lblPosi[a]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblPosi[a]->setMinimumWidth(px(1000));
        caption->setBuddy(lblPosi[a]);
        positions->addWidget(caption, a + 1, 0);
        positions->addWidget(lblPosi[a], a + 1, 1);
    }
    lblPosiNo = new QLabel(this);
    lblPosiNo->setObjectName(QStringLiteral("lblPosiNo"));
    lblJogVEL = new QLabel(this);
    lblJogVEL->setObjectName(QStringLiteral("lblJogVEL"));
    // A bare number says nothing: each value has its caption beside it.
    const struct
    {
        QLabel *value;
        const char *name;
        int id;
    } captioned[] = {{lblPosiNo, "lblPosiNoCaption", 248}, {lblJogVEL, "lblJogVELCaption", 225}};
    for (int i = 0; i < 2; ++i) {
        auto *caption = new QLabel(this);
        caption->setObjectName(QLatin1String(captioned[i].name));
        core::formtext::tag(caption, captioned[i].id);
        caption->setBuddy(captioned[i].value);
        captioned[i].value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        positions->addWidget(caption, 5 + i, 0);
        positions->addWidget(captioned[i].value, 5 + i, 1);
    }

    cmdJOGST = new QPushButton(this);
    cmdJOGST->setObjectName(QStringLiteral("cmdJOGST"));
    core::formtext::tag(cmdJOGST, 2203);
    cmdJOGWrite = new QPushButton(this);
    cmdJOGWrite->setObjectName(QStringLiteral("cmdJOGWrite"));
    core::formtext::tag(cmdJOGWrite, 2205);
    cmdJOGend = new QPushButton(this);
    cmdJOGend->setObjectName(QStringLiteral("cmdJOGend"));
    core::formtext::tag(cmdJOGend, 2204);
    connect(cmdJOGST, &QPushButton::clicked, this, &frmJOG::cmdJOGST_Click);
    connect(cmdJOGWrite, &QPushButton::clicked, this, &frmJOG::cmdJOGWrite_Click);
    connect(cmdJOGend, &QPushButton::clicked, this, &frmJOG::cmdJOGend_Click);

    flgdJOGPosi = new platform::FixedGrid(1, 5, this);
    flgdJOGPosi->setObjectName(QStringLiteral("flgdJOGPosi"));
    connect(flgdJOGPosi, &platform::FixedGrid::cellPressed, this,
            [this](int row, int) { flgdJOGPosi_Click(row); });

    auto *left = new QVBoxLayout;
    left->addWidget(Frame1);
    left->addLayout(buttons);
    left->addLayout(positions);
    auto *commands = new QHBoxLayout;
    commands->addWidget(cmdJOGST);
    commands->addWidget(cmdJOGWrite);
    commands->addWidget(cmdJOGend);
    left->addLayout(commands);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(flgdJOGPosi, 1);

    m_timerTusin = new QTimer(this);
    m_timerTusin->setInterval(50);
    connect(m_timerTusin, &QTimer::timeout, this, &frmJOG::timerTusin_Timer);
    m_timerDelay = new QTimer(this);
    m_timerDelay->setInterval(300);
    connect(m_timerDelay, &QTimer::timeout, this, &frmJOG::TimerDelay_Timer);

    platform::placeBesideOwner(this, mainWindow);
    Form_Load();
    // Enter must not click Start, whose home return moves the axes, nor end the window.
    platform::noDefaultButton(*this);
    // Nor Space on a Start or a jog button the operator did not aim at: the rows of the
    // window's table take the first focus.
    QList<QAbstractButton *> acting{cmdJOGST};
    for (QPushButton *b : cmdJOG)
        acting.append(b);
    platform::keepFocusOffActs(*this, flgdJOGPosi->body(), acting);
}

frmJOG::~frmJOG()
{
    // Nothing may run on a window that is going (its buttons release as they go): only a
    // feed still running is stopped.
    for (QPushButton *b : cmdJOG)
        disconnect(b, nullptr, this, nullptr);
    m_control.dropPendingAction();
    Form_Unload();
}

void frmJOG::Form_Load()
{
    Set_FormStr(this);
    flgdJOGPosi->setAccessibleName(windowTitle());
    for (QLabel *value : {lblPosiNo, lblJogVEL})
        value->setAccessibleName(findChild<QLabel *>(value->objectName() + QStringLiteral("Caption"))->text());
    const tables::GridCells *main = tables::checkGrid();
    const int mainRows = main ? main->rows() : tables::kGridHeadingRows;
    flgdJOGPosi->setRows(qMax(1, mainRows - 1));
    JogGridStateOff();
    GridStateOff();
    for (int r = 1; r < flgdJOGPosi->rows(); ++r) {
        flgdJOGPosi->setText(r, 0, main->text(r + 1, 0));
        for (int c = 1; c <= 4; ++c)
            flgdJOGPosi->setText(r, c, main->text(r + 1, 4 * c));
    }

    flgdJOGPosi->setRowHeight(0, px(300));
    flgdJOGPosi->setBodyRowHeight(px(250));
    flgdJOGPosi->setColumnWidth(0, px(400));
    flgdJOGPosi->setColumnAlignment(0, Qt::AlignCenter);
    const QString unit = LoadResText(gDispMmUnit ? 2222 : 2221);
    for (int c = 1; c <= 4; ++c) {
        const QString word = gLanguage == 1 ? QString() : QStringLiteral("AXIS");
        const QString heading = word + QString::number(c) + unit;
        // Never narrower than its heading, so "AXISn(mm)" is not cut.
        flgdJOGPosi->setColumnWidth(c, qMax(px(1000), flgdJOGPosi->fontMetrics().horizontalAdvance(heading) + 10));
        flgdJOGPosi->setColumnAlignment(c, Qt::AlignCenter);
        flgdJOGPosi->setText(0, c, heading);
    }
    // Every column in view beside the vertical scroll bar: no sideways scrolling to reach axis 4.
    int gridWidth = 0;
    for (int c = 0; c <= 4; ++c)
        gridWidth += flgdJOGPosi->columnWidth(c);
    flgdJOGPosi->setMinimumWidth(gridWidth + style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                                 + 4 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
    lblGenzaitiHyoji->setText(LoadResText(gDispMmUnit ? 2223 : 2212));

    m_selectRowNo = 1;
    lblPosiNo->setText(flgdJOGPosi->rows() > 1 ? flgdJOGPosi->text(1, 0) : QString());
    colourRows();
    JogGridStateOn();
    GridStateOn();
    GridCursorTop();

    JogCMDBTN_Muko();
    lblJogVEL->setText(QStringLiteral("100"));
    bool grey[4] = {false, false, false, false};
    setPositionLabelsLit(grey);
    m_changed = false;
    LoadJogSetting();
}

void frmJOG::colourRows()
{
    for (int r = 1; r < flgdJOGPosi->rows(); ++r) {
        for (int c = 1; c <= 4; ++c) {
            const QColor colour = gAxisUnused[c - 1] ? kGrey : r == m_selectRowNo ? positions::posigrid::lightYellow() : QColor();
            flgdJOGPosi->setBackground(r, c, colour);
        }
    }
}

int frmJOG::option() const
{
    for (int i = 0; i < 4; ++i) {
        if (optJOG[i]->isChecked())
            return i;
    }
    return 0;
}

void frmJOG::cmdJOGST_Click()
{
    if (commandRefused())
        return;
    m_control.start();
}

bool frmJOG::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        for (QPushButton *b : cmdJOG) {
            if (watched == b && (key == Qt::Key_Space || key == Qt::Key_Select))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmJOG::cmdJOG_MouseDown(int index)
{
    // Only queued: the window's own tick sends it, so a press is taken while that tick waits.
    if (!(QApplication::mouseButtons() & Qt::LeftButton) && QApplication::mouseButtons() != Qt::NoButton)
        return;
    m_control.press(index, option(), lblJogVEL->text().toInt());
}

void frmJOG::cmdJOG_MouseUp(int index)
{
    m_control.release(index, option());
    // The feed is over: a later Space must not start another on the button the mouse held.
    platform::FocusGuard::actEnded(*this);
}

void frmJOG::timerTusin_Timer()
{
    m_control.timerTusin_Timer();
}

void frmJOG::TimerDelay_Timer()
{
    m_control.TimerDelay_Timer();
    m_timerDelay->stop();
}

void frmJOG::cmdJOGWrite_Click()
{
    if (commandRefused())
        return;
    if (m_selectRowNo < 1 || m_selectRowNo >= flgdJOGPosi->rows())
        return;
    for (int a = 0; a < 4; ++a) {
        if (!gAxisUnused[a])
            flgdJOGPosi->setText(m_selectRowNo, a + 1, lblPosi[a]->text());
    }
    m_changed = true;
}

void frmJOG::flgdJOGPosi_Click(int row)
{
    if (row < 1 || row >= flgdJOGPosi->rows())
        return;
    m_selectRowNo = row;
    JogGridStateOff();
    lblPosiNo->setText(flgdJOGPosi->text(row, 0));
    colourRows();
    flgdJOGPosi->setCursor(row, 1);
    JogGridStateOn();
}

void frmJOG::cmdJOGend_Click()
{
    if (commandRefused())
        return;
    // Clicked while the tick waits for a reply: done as soon as that exchange has returned.
    m_control.whenLinkFree([this] {
        m_control.JogEnd();
        close();
    });
}

void frmJOG::JogGridStateOff()
{
    flgdJOGPosi->setRedraw(false);
    flgdJOGPosi->setScrollBars(false);
}

void frmJOG::JogGridStateOn()
{
    flgdJOGPosi->setScrollBars(true);
    flgdJOGPosi->setRedraw(true);
}

bool frmJOG::queryUnload()
{
    // Never in the middle of an exchange of this window's tick or start.
    if (commandRefused())
        return false;
    // Closing ends a JOG feed like every other way out: its stop goes first.
    m_control.stopFeed();
    if (!m_changed) {
        CommPortClose();
        return true;
    }
    const int answer = ResMsgBox({2224}, platform::MbYesNoCancel | platform::MbQuestion);
    if (answer == platform::IdCancel) {
        CommPortClose();
        return false;
    }
    if (answer == platform::IdYes) {
        if (tables::GridCells *main = tables::checkGrid()) {
            GridStateOff();
            bool changed = false;
            for (int r = 1; r < flgdJOGPosi->rows() && r + 1 < main->rows(); ++r) {
                for (int c = 1; c <= 4; ++c) {
                    const QString text = flgdJOGPosi->text(r, c);
                    if (main->text(r + 1, 4 * c) != text) {
                        main->setText(r + 1, 4 * c, text);
                        changed = true;
                    }
                }
            }
            // Taught positions are unsaved data like any typed in.
            if (changed)
                gDataChanged = true;
            GridCursorTop();
            GridStateOn();
        }
    }
    CommPortClose();
    return true;
}

void frmJOG::reject()
{
    // Escape is the close box. While the tick waits for a reply the close follows that exchange;
    // a second request while the first is under way adds nothing.
    if (m_closing || commandRefused())
        return;
    if (JogControl::exchangeUnderWay()) {
        m_control.whenLinkFree([this] { close(); });
        return;
    }
    m_closing = true;
    const bool closing = queryUnload();
    m_closing = false;
    if (!closing)
        return;
    Form_Unload();
    QDialog::reject();
}

void frmJOG::closeEvent(QCloseEvent *event)
{
    // QDialog's own close runs reject(), which asks the question.
    QDialog::closeEvent(event);
}

void frmJOG::Form_Unload()
{
    m_timerTusin->stop();
    m_timerDelay->stop();
    m_control.windowGoes();
}

void frmJOG::showPresentPosition(int axis, const QString &text)
{
    lblPosi[axis & 3]->setText(text);
}

void frmJOG::setPositionLabelsLit(const bool (&lit)[4])
{
    for (int a = 0; a < 4; ++a)
        paintLabel(lblPosi[a], lit[a] ? kWhite : kGrey);
}

void frmJOG::enableStart(bool on)
{
    cmdJOGST->setEnabled(on);
}

void frmJOG::enableJogControls()
{
    Frame1->setEnabled(true);
    for (int i = 0; i < operation::jog::kButtons; ++i)
        cmdJOG[i]->setEnabled(!gAxisUnused[i / 2]);
    cmdJOGWrite->setEnabled(true);
    cmdJOGend->setEnabled(true);
}

void frmJOG::JogCMDBTN_Muko()
{
    Frame1->setEnabled(false);
    for (QPushButton *b : cmdJOG)
        b->setEnabled(false);
    cmdJOGWrite->setEnabled(false);
    cmdJOGend->setEnabled(false);
    cmdJOGST->setEnabled(true);
}

void frmJOG::setCommTimer(bool on)
{
    if (on)
        m_timerTusin->start();
    else
        m_timerTusin->stop();
}

void frmJOG::startPressGate()
{
    m_timerDelay->start();
}

void frmJOG::restoreGridState()
{
    flgdJOGPosi->setRedraw(true);
}

namespace operation {

void registerJogCommands()
{
    core::mainform::setCommand(QStringLiteral("cmdJogTeach_Click"), [] {
        CMDBTN_Muko();
        ToolBar_Muko();
        Menyu_Muko();
        EditCMD_Muko();
        lockGrid(GridCursor::ToTop);
        const bool rows = Check_flgdLineNo() != 1;
        if (rows) {
            frmJOG window(mainWindow());
            window.exec();
        }
        CMDBTN_Yuko();
        ToolBar_Yuko();
        Menyu_Yuko();
        // The grid keeps the taught text: it is repainted, not refilled from the table.
        unlockGrid();
        return rows ? 0 : 1;
    });
}

} // namespace operation
