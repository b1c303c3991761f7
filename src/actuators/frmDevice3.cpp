#include "actuators/frmDevice3.h"

#include "actuators/ChosenActuators.h"
#include "actuators/CurrentActuators.h"
#include "actuators/DevDesignation.h"
#include "actuators/DevSettingStore.h"
#include "actuators/DeviceChange.h"
#include "tables/DevSetting.h"
#include "actuators/DevWinFlags.h"
#include "core/BusyGuard.h"
#include "core/FormText.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "tables/ParaInput.h"
#include "link/ParaReread.h"
#include "tables/ParaSet.h"
#include "tables/StdParaList.h"
#include "link/CommandSet.h"
#include "link/CtWriteMode.h"
#include "link/Exchange.h"
#include "link/LinkState.h"
#include "link/OnlineMode.h"
#include "link/ParaTransfer.h"
#include "link/SerialLink.h"
#include "link/WindowHooks.h"
#include "platform/Dialogs.h"
#include "platform/FocusGuard.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

frmDevice3::frmDevice3(QWidget *parent)
    : QDialog(parent)
    , m_panels(DevicePanels::Kind::Online)
{
    setObjectName(QStringLiteral("frmDevice3"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    core::formtext::tagWindow(this, 1501);

    auto *commands = new QWidget(this);
    m_cmdPrmCtWrite = new QPushButton(commands);
    m_cmdPrmCtWrite->setObjectName(QStringLiteral("cmdPrmCtWrite"));
    core::formtext::tag(m_cmdPrmCtWrite, 1503);
    m_cmdPrmCtWrite->setMinimumHeight(855 / 15);
    m_cmdDeviceCancel = new QPushButton(commands);
    m_cmdDeviceCancel->setObjectName(QStringLiteral("cmdDeviceCancel"));
    core::formtext::tag(m_cmdDeviceCancel, 1404);
    m_cmdSyosai = new QPushButton(commands);
    m_cmdSyosai->setObjectName(QStringLiteral("cmdSyosai"));
    core::formtext::tag(m_cmdSyosai, 1502);
    // The online window's own OK is never offered: Detail Edit runs its Set.
    m_cmdDeviceSet = new QPushButton(commands);
    m_cmdDeviceSet->setObjectName(QStringLiteral("cmdDeviceSet"));
    m_cmdDeviceSet->setText(QStringLiteral("OK"));
    m_cmdDeviceSet->setVisible(false);
    m_cmdDeviceSet->setEnabled(false);

    auto *column = new QVBoxLayout(commands);
    column->addWidget(m_cmdPrmCtWrite);
    column->addSpacing(24);
    column->addWidget(m_cmdDeviceCancel);
    column->addStretch();
    column->addWidget(m_cmdSyosai);
    column->addWidget(m_cmdDeviceSet);

    auto *layout = new QVBoxLayout(this);
    actuators::devicewindow::buildPanels(this, layout, commands, m_controls);
    actuators::devicewindow::placeBesideMainWindow(this);
    Set_FormStr(this);

    m_panels.Form_Load();
    actuators::devicewindow::showState(m_panels, m_controls);
    actuators::devicewindow::connectPanels(this, m_panels, m_controls);

    // Enter (taking a stroke picked in a list) must not run Change and Write or Detail Edit.
    platform::noDefaultButton(*this);
    // Opened, or back from a box, Space must not run Change and Write either.
    platform::keepFocusOffActs(*this, m_cmdDeviceCancel, {m_cmdPrmCtWrite});

    connect(m_cmdPrmCtWrite, &QPushButton::clicked, this, &frmDevice3::cmdPrmCtWrite_Click);
    connect(m_cmdSyosai, &QPushButton::clicked, this, &frmDevice3::cmdSyosai_Click);
    connect(m_cmdDeviceCancel, &QPushButton::clicked, this, &frmDevice3::cmdDeviceCancel_Click);
}

void frmDevice3::cmdDeviceSet_Click()
{
    m_panels.cmdDeviceSet_Click();
    done(QDialog::Accepted);
}

void frmDevice3::cmdSyosai_Click()
{
    gDevSyosaiReq = true;
    // Timer2 opens the parameter window once this modal window has gone.
    EnableTimer2();
    cmdDeviceSet_Click();
}

void frmDevice3::cmdDeviceCancel_Click()
{
    m_panels.cmdDeviceCancel_Click();
    done(QDialog::Rejected);
}

void frmDevice3::reject()
{
    // Esc or the close box while Change and Write waits on the controller must not end it.
    if (m_writing)
        return;
    cmdDeviceCancel_Click();
}

void frmDevice3::Device3CMDBTN_Muko()
{
    m_cmdPrmCtWrite->setEnabled(false);
    m_cmdDeviceCancel->setEnabled(false);
    m_cmdSyosai->setEnabled(false);
    for (int a = 0; a < kAxisCount; ++a) {
        m_controls.axis[a].framAxis->setEnabled(false);
    }
}

void frmDevice3::Device3CMDBTN_Yuko()
{
    m_cmdPrmCtWrite->setEnabled(true);
    m_cmdDeviceCancel->setEnabled(true);
    m_cmdSyosai->setEnabled(true);
    for (int a = 0; a < kAxisCount; ++a) {
        m_controls.axis[a].framAxis->setEnabled(true);
    }
}

void frmDevice3::cmdPrmCtWrite_Click()
{
    if (commandRefused())
        return;
    {
        BusyGuard busy;
        m_writing = true;
        Device3CMDBTN_Muko();
        changeAndWrite();
        // No way out leaves the progress window on screen: it refuses to be closed by hand.
        link::transferProgress().close();
        m_writing = false;
        CommPortClose();
        Device3CMDBTN_Yuko();
    }
    // The pending set stands as the sequence left it: closing is not a Cancel.
    done(QDialog::Accepted);
}

void frmDevice3::showAxisUse()
{
    DispDeviceName();
    DispAxisData();
    for (int a = 0; a < kAxisCount; ++a)
        m_panels.setAxisEnable(a, gAxisUnused[a] ? 0 : 1);
    actuators::devicewindow::showState(m_panels, m_controls);
}

void frmDevice3::changeAndWrite()
{
    // Nothing reaches the controller before every chosen actuator is known to be writable.
    if (!actuators::chosenActuatorsWritable(m_panels))
        return;
    if (!link::enterCtWriteMode())
        return;
    bool unusedBefore[kAxisCount];
    std::copy(std::begin(gAxisUnused), std::end(gAxisUnused), std::begin(unusedBefore));
    const int maskBefore = gAxisMask;

    QString stop; // this sequence's own reason for a stop; the link's are held
    bool blocksSent = false;
    bool written = false;
    bool portDead = false;
    {
        link::HeldTells held;
        {
            link::TransferModeGuard transferMode;
            transferMode.entered();
            written = writeChosenActuators(stop, blocksSent);
            if (written)
                transferMode.left();
            // Whether the link declared the port dead, before the silent mode command answers.
            portDead = !written && gOfflineMode;
        }
        if (!written) {
            followControllerAxisUse(held.take(), stop, portDead, blocksSent, unusedBefore, maskBefore);
            return;
        }
    }
    takeWrittenActuators();
}

bool frmDevice3::writeChosenActuators(QString &stop, bool &blocksSent)
{
    gDevWinOnline = true;
    gAxisMaskNew = 0;
    bool unused[kAxisCount];
    for (int a = 0; a < kAxisCount; ++a) {
        unused[a] = !actuators::chosenAxisUsed(m_panels, a);
        if (!unused[a])
            gAxisMaskNew += 1 << a;
    }
    // A step the link told about stops with the link's text alone.
    const auto stopsAt = [&stop](const link::LinkStep &step) {
        if (step.failed())
            stop = step.followUpText(LoadResText(377));
        return step.failed();
    };
    // From here on a stop may leave the controller with the new axis use.
    if (stopsAt(link::runStep([] { return RewriteParaBlock2(gAxisMaskNew); })))
        return false;
    for (int a = 0; a < kAxisCount; ++a)
        gAxisUnused[a] = unused[a];
    if (stopsAt(link::runStep(&ReadAxisUse)))
        return false;
    if (ReadParaFromCt() != 0 || SetParametaFromTable() != 0)
        return false;
    actuators::takeChosenActuators(m_panels);
    if (SetStdParameta2() != 0)
        return false;
    if (ParametaValueCheck2() != 0) {
        stop = ResLines({1524, 1525});
        return false;
    }
    const int written = WriteParaToCt_Device();
    blocksSent = written != kParaWriteNotBegun;
    return written == 0;
}

void frmDevice3::followControllerAxisUse(const QStringList &linkTold, const QString &stop, bool portDead,
                                         bool blocksSent, const bool (&unusedBefore)[kAxisCount],
                                         int maskBefore)
{
    QStringList lines = linkTold;
    if (!stop.isEmpty())
        lines.prepend(stop);
    // Blocks cut on their way are told as every cut write is.
    if (blocksSent)
        lines = link::cutWriteLines(lines, 377);
    link::transferProgress().close();
    // A port the link has just declared dead is not tried again: what the controller holds
    // cannot be known, and the operator is sent to read it.
    bool read = false;
    if (!portDead)
        lines += link::heldTells([&read] { read = ReadAxisUse() == 0; });
    if (!read) {
        // The system and its windows at least agree with each other again.
        std::copy(std::begin(unusedBefore), std::end(unusedBefore), std::begin(gAxisUnused));
        gAxisMask = maskBefore;
    }
    // Blocks the controller may have taken in part leave its parameters unknown as well.
    const bool unknown = !read || blocksSent;
    if (unknown)
        SetOfflineMode();
    showAxisUse();
    lines << LoadResText(2941);
    if (read)
        lines << LoadResText(2942);
    if (unknown)
        lines << LoadResText(2944);
    platform::msgBox(lines.join(QStringLiteral("\r\n")));
}

void frmDevice3::takeWrittenActuators()
{
    // The link's word on the mode command or the read-back goes into the box that says the
    // set was written: one failure, one box.
    QStringList told;
    const link::LinkStep left = link::runStep([&told] {
        int result = 0;
        told = link::heldTells([&result] {
            int mode = 0;
            result = SetCtCommMode(0, mode);
            gTusinNow = false;
        });
        return result;
    });
    // Told with the outcome below when the link has not told it.
    const QString leftText = left.followUpText(LoadResText(377));
    // A controller that did not take the mode command is not asked for its parameters.
    int reread = 1;
    if (!left.failed())
        told += link::heldTells([&reread] { reread = GetParametaValue2(); });
    link::transferProgress().close();
    hide();
    // The controller took the whole set: the chosen actuators are current whether or not they
    // could be read back (the parameter set then holds what was written).
    actuators::makeActuatorsCurrent();
    DispAxisData();
    QStringList lines = told;
    if (!leftText.isEmpty())
        lines << leftText;
    lines << LoadResText(1527);
    if (reread != 0)
        lines << LoadResText(2921);
    platform::msgBox(lines.join(QStringLiteral("\r\n")));
}
