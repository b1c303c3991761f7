#include "operation/frmIOCheck.h"

#include "core/BusyGuard.h"
#include "core/FormText.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "tables/IoBits.h"
#include "operation/IoSignals.h"
#include "platform/Dialogs.h"
#include "platform/FocusGuard.h"
#include "platform/Screen.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kLampSize = 18;
const char *const kLitInput = "background-color: #ff4040; border: 1px solid #802020; border-radius: 9px;";
const char *const kLitOutput = "background-color: #30d040; border: 1px solid #207020; border-radius: 9px;";
const char *const kDark = "background-color: #ffffff; border: 1px solid #808080; border-radius: 9px;";

// The space a lamp takes stays when the lamp is dark, so the rows do not move.
void keepPlace(QWidget *w)
{
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
    w->setFixedSize(kLampSize, kLampSize);
}

QToolButton *lampButton(QWidget *parent, const QString &name, const QString &label, const char *style)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setAccessibleName(label);
    b->setToolTip(label);
    b->setStyleSheet(QString::fromLatin1(style));
    keepPlace(b);
    return b;
}

QWidget *mainWindow()
{
    return core::mainform::shownWindow();
}

int showIoCheck()
{
    frmIOCheck window(mainWindow());
    window.exec();
    return 0;
}

} // namespace

frmIOCheck::frmIOCheck(QWidget *mainWindow)
    : QDialog(mainWindow)
    , m_monitor(*this)
{
    setObjectName(QStringLiteral("frmIOCheck"));
    setModal(true);
    core::formtext::tagWindow(this, 701);

    framInput = new QGroupBox(QStringLiteral("INPUT"), this);
    framInput->setObjectName(QStringLiteral("framInput"));
    framOutput = new QGroupBox(QStringLiteral("OUTPUT"), this);
    framOutput->setObjectName(QStringLiteral("framOutput"));

    auto *inputs = new QGridLayout(framInput);
    const QList<operation::IoSignal> &in = operation::inputSignals();
    for (int i = 0; i < in.size(); ++i) {
        auto *place = new QLabel(framInput);
        place->setStyleSheet(QString::fromLatin1(kDark));
        keepPlace(place);
        auto *lamp = new QLabel(framInput);
        lamp->setObjectName(in[i].lamp);
        lamp->setAccessibleName(in[i].label);
        lamp->setStyleSheet(QString::fromLatin1(kLitInput));
        keepPlace(lamp);
        auto *label = new QLabel(in[i].label, framInput);
        const int row = i % 12;
        const int col = (i / 12) * 2;
        inputs->addWidget(place, row, col);
        inputs->addWidget(lamp, row, col);
        inputs->addWidget(label, row, col + 1);
        m_inputLamps.append(lamp);
    }

    auto *outputs = new QGridLayout(framOutput);
    const QList<operation::IoSignal> &out = operation::outputSignals();
    for (int i = 0; i < out.size(); ++i) {
        const int icon = operation::kFirstWhiteIcon + i;
        QToolButton *white = lampButton(framOutput, QStringLiteral("imgWhiteIcon%1").arg(icon), out[i].label, kDark);
        QToolButton *lamp = lampButton(framOutput, out[i].lamp, out[i].label, kLitOutput);
        auto *label = new QLabel(out[i].label, framOutput);
        const int row = i % 11;
        const int col = (i / 11) * 2;
        // The lamp lies over its white icon: whichever is visible takes the click.
        outputs->addWidget(white, row, col);
        outputs->addWidget(lamp, row, col);
        outputs->addWidget(label, row, col + 1);
        connect(white, &QToolButton::clicked, this, [this, icon] { imgWhiteIcon_Click(icon); });
        connect(lamp, &QToolButton::clicked, this, [this, i] { outputLamp_Click(i); });
        m_whiteIcons.append(white);
        m_outputLamps.append(lamp);
    }

    cmdIoMonitor = new QPushButton(this);
    cmdIoMonitor->setObjectName(QStringLiteral("cmdIoMonitor"));
    core::formtext::tag(cmdIoMonitor, 702);
    cmdIoWinClose = new QPushButton(this);
    cmdIoWinClose->setObjectName(QStringLiteral("cmdIoWinClose"));
    core::formtext::tag(cmdIoWinClose, 703);
    chkIgnore = new QCheckBox(this);
    chkIgnore->setObjectName(QStringLiteral("chkIgnore"));
    core::formtext::tag(chkIgnore, 705);
    connect(cmdIoMonitor, &QPushButton::clicked, this, &frmIOCheck::cmdIoMonitor_Click);
    connect(cmdIoWinClose, &QPushButton::clicked, this, &frmIOCheck::cmdIoWinClose_Click);

    auto *frames = new QHBoxLayout;
    frames->addWidget(framInput);
    frames->addWidget(framOutput);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(chkIgnore, 1);
    buttons->addWidget(cmdIoMonitor);
    buttons->addWidget(cmdIoWinClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);

    m_timerInputOutput1 = new QTimer(this);
    m_timerInputOutput1->setInterval(300);
    connect(m_timerInputOutput1, &QTimer::timeout, this, &frmIOCheck::timerInputOutput1_Timer);
    m_timerBtnOff = new QTimer(this);
    m_timerBtnOff->setInterval(500);
    connect(m_timerBtnOff, &QTimer::timeout, this, &frmIOCheck::TimerBtnOff_Timer);

    // Form_Load
    platform::placeBesideOwner(this, mainWindow);
    Set_FormStr(this);
    AllLED_Off();
    // Enter must not start the monitoring, whose "0CM01" makes the controller ignore its inputs.
    platform::noDefaultButton(*this);
    // Nor Space on a start or an output the operator did not aim at. Close takes the first
    // focus: the tick box would take Space as the ignoring mode the next start sends ("0CM01").
    QList<QAbstractButton *> acting{cmdIoMonitor};
    for (QToolButton *b : std::as_const(m_whiteIcons))
        acting.append(b);
    for (QToolButton *b : std::as_const(m_outputLamps))
        acting.append(b);
    platform::keepFocusOffActs(*this, cmdIoWinClose, acting);
    m_timerBtnOff->start();
    m_timerInputOutput1->start();
}

frmIOCheck::~frmIOCheck()
{
    Form_Unload();
}

void frmIOCheck::cmdIoMonitor_Click()
{
    // A stop must always get through; only a start is an operation of its own.
    if (!m_monitor.IoCheckTyu() && commandRefused())
        return;
    cmdIoMonitor->setEnabled(false);
    cmdIoWinClose->setEnabled(false);
    chkIgnore->setEnabled(false);
    m_timerBtnOff->start();
    m_monitor.requestStartStop();
}

void frmIOCheck::TimerBtnOff_Timer()
{
    m_timerBtnOff->stop();
    cmdIoMonitor->setEnabled(true);
}

void frmIOCheck::timerInputOutput1_Timer()
{
    m_monitor.timerInputOutput1_Timer();
}

void frmIOCheck::outputLamp_Click(int index)
{
    const QList<operation::IoSignal> &out = operation::outputSignals();
    if (index >= 0 && index < out.size())
        m_monitor.requestToggle(out[index].digit, out[index].bit, false);
}

void frmIOCheck::imgWhiteIcon_Click(int index)
{
    const QList<operation::IoSignal> &out = operation::outputSignals();
    const int i = index - operation::kFirstWhiteIcon;
    if (i >= 0 && i < out.size())
        m_monitor.requestToggle(out[i].digit, out[i].bit, true);
}

void frmIOCheck::IoStateHyoji()
{
    const QList<operation::IoSignal> &in = operation::inputSignals();
    for (int i = 0; i < in.size(); ++i)
        m_inputLamps[i]->setVisible(gInputBit[in[i].digit][in[i].bit]);
    const QList<operation::IoSignal> &out = operation::outputSignals();
    for (int i = 0; i < out.size(); ++i)
        m_outputLamps[i]->setVisible(gOutputBit[out[i].digit][out[i].bit]);
}

void frmIOCheck::AllLED_Off()
{
    for (QWidget *lamp : std::as_const(m_inputLamps))
        lamp->setVisible(false);
    for (QToolButton *lamp : std::as_const(m_outputLamps))
        lamp->setVisible(false);
}

void frmIOCheck::IoMonitorStartDisp()
{
    cmdIoMonitor->setText(LoadResText(704));
    cmdIoWinClose->setEnabled(false);
    chkIgnore->setEnabled(false);
}

void frmIOCheck::IoMonitorStopDisp()
{
    cmdIoMonitor->setText(LoadResText(702));
    cmdIoWinClose->setEnabled(true);
    chkIgnore->setEnabled(true);
}

bool frmIOCheck::ignoreExternalInput() const
{
    return chkIgnore->isChecked();
}

void frmIOCheck::cmdIoWinClose_Click()
{
    if (commandRefused())
        return;
    close();
}

void frmIOCheck::reject()
{
    // Escape is the close box.
    if (!m_monitor.mayClose())
        return;
    Form_Unload();
    QDialog::reject();
}

void frmIOCheck::closeEvent(QCloseEvent *event)
{
    if (!m_monitor.mayClose()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QDialog::closeEvent(event);
}

void frmIOCheck::Form_Unload()
{
    m_timerInputOutput1->stop();
    m_timerBtnOff->stop();
}

namespace operation {

void registerIoCheckCommands()
{
    const auto fromButton = [] {
        CMDBTN_Muko();
        EditCMD_Muko();
        showIoCheck();
        CMDBTN_Yuko();
        return 0;
    };
    core::mainform::setCommand(QStringLiteral("cmdOpenIoWin_Click"), fromButton);
    core::mainform::setCommand(QStringLiteral("ShowIoWindow"), fromButton);
    core::mainform::setCommand(QStringLiteral("mnuShowState_Click"), [] {
        EditCMD_Muko();
        return showIoCheck();
    });
}

} // namespace operation
