#include "actuators/DevicePanels.h"

#include "actuators/DevCatalogue.h"
#include "actuators/DevWinFlags.h"
#include "core/Messages.h"
#include "core/Module2Calc.h"
#include "platform/Dialogs.h"

// One operator action (a load, a click, a choice) is one operation: within it the catalogue's
// failure is told once, and a catalogue that could not be read is not read again.
class DevicePanelsOperation
{
public:
    explicit DevicePanelsOperation(DevicePanels &p)
        : m_p(p)
    {
        if (m_p.m_depth++ == 0) {
            m_p.m_lookupSpoke = false;
            m_p.m_catalogueFailed = false;
        }
    }
    ~DevicePanelsOperation() { --m_p.m_depth; }
    DevicePanelsOperation(const DevicePanelsOperation &) = delete;
    DevicePanelsOperation &operator=(const DevicePanelsOperation &) = delete;

private:
    DevicePanels &m_p;
};

namespace {

bool isOldTypeChoiceSize(const QString &size)
{
    return size == QLatin1String(" 35") || size == QLatin1String(" 28");
}

bool validAxis(int a)
{
    return a >= 0 && a < kAxisCount;
}

} // namespace

DevicePanels::DevicePanels(Kind kind)
    : m_kind(kind)
{
    for (Axis &x : axis) {
        // The texts the layout shows before the load puts the current setting in.
        x.comboDeviceSize.text = QStringLiteral(" 28");
        x.comboDeviceSpeed.text = QStringLiteral("H");
        x.comboDeviceStroke.text = QStringLiteral("100");
    }
    m_pendingAtLoad = PendingSnapshot::capture();
}

std::optional<int> DevicePanels::strokeValue(const QString &text)
{
    const double v = core::calc::roundHalfEven(tables::leadingNumber(text));
    if (v < -32768 || v > 32767)
        return std::nullopt;
    return int(v);
}

bool DevicePanels::forcesNewAndVertical(const QString &size)
{
    return size == QLatin1String("E35") || size == QLatin1String(" 20") || size == QLatin1String(" 42")
           || size == QLatin1String(" 99");
}

// ---- choice lists ----------------------------------------------------------------------

void DevicePanels::SetSizeList(int a)
{
    if (!validAxis(a))
        return;
    Combo &box = axis[a].comboDeviceSize;
    box.items.clear();
    for (int i = 0; i < gDevSizeCount[a] && i < kDevListChoices; ++i)
        box.items << gDevSizeList[a][i];
    if (!box.text.isEmpty())
        return;
    if (CheckSizeInList(a) == 0)
        box.text = gDevSize[a];
    else
        box.text = box.items.value(0);
}

void DevicePanels::SetSpeedList(int a, const QString &size)
{
    if (!validAxis(a))
        return;
    Combo &box = axis[a].comboDeviceSpeed;
    box.items.clear();
    for (int i = 0; i < gDevSpeedCount[a] && i < kDevListChoices; ++i)
        box.items << gDevSpeedList[a][i];
    if (size == QLatin1String("E35") || size == QLatin1String(" 20"))
        box.text = QStringLiteral("L");
    if (gDevSpeed[a].isEmpty())
        return;
    if (CheckSpeedInList(a, gDevSpeed[a]) == 0)
        box.text = gDevSpeed[a];
    else
        box.text = box.items.value(0);
}

void DevicePanels::SetStrokeList(int a, const QString &size, const QString &speed)
{
    Q_UNUSED(size);
    Q_UNUSED(speed);
    if (!validAxis(a) || axis[a].chkAxisEnable.value != 1)
        return;
    Combo &box = axis[a].comboDeviceStroke;
    box.items.clear();
    // The boxes as they stand, untrimmed, decide the rows.
    const QString shownSize = axis[a].comboDeviceSize.text;
    const QString shownSpeed = axis[a].comboDeviceSpeed.text;
    const QString current = QString::number(gDevStroke[a]);
    bool first = true;
    bool found = false;
    for (int r = 1; r <= gDevListCount[a] && r < kDevListRows; ++r) {
        const DevListRow &row = gDevList[a][r];
        if (row.size != shownSize || row.speed != shownSpeed)
            continue;
        if (row.stroke == gDevStroke[a])
            found = true;
        const QString item = QString::number(row.stroke, 'g', 15);
        box.items << item;
        if (found) {
            box.text = current;
        } else if (first) {
            box.text = item;
            first = false;
        }
    }
    if (gDevStroke[a] == 0)
        return;
    if (CheckStrokeInList(a, gDevStroke[a]) == 0)
        box.text = current;
    else
        box.text = box.items.value(0);
}

int DevicePanels::CheckSizeInList(int a) const
{
    if (!validAxis(a))
        return 1;
    return axis[a].comboDeviceSize.items.contains(gDevSize[a]) ? 0 : 1;
}

int DevicePanels::CheckSpeedInList(int a, const QString &speed) const
{
    if (!validAxis(a))
        return 1;
    return axis[a].comboDeviceSpeed.items.contains(speed) ? 0 : 1;
}

int DevicePanels::CheckStrokeInList(int a, int stroke) const
{
    if (!validAxis(a))
        return 1;
    for (const QString &item : axis[a].comboDeviceStroke.items) {
        if (tables::leadingNumber(item) == stroke)
            return 0;
    }
    return 1;
}

// ---- catalogue access within one operation ---------------------------------------------

int DevicePanels::readDevList()
{
    if (m_catalogueFailed)
        return 1;
    const int r = ReadDevList();
    m_catalogueFailed = r != 0;
    return r;
}

int DevicePanels::readDevList2(int a)
{
    if (m_catalogueFailed) {
        gDevListReadFailed[a] = true;
        return 1;
    }
    const int r = ReadDevList2(a);
    m_catalogueFailed = r != 0;
    return r;
}

int DevicePanels::lookupPg(const QString &size, const QString &speed, int stroke)
{
    if (m_catalogueFailed)
        return 99;
    if (!m_lookupSpoke) {
        m_lookupSpoke = true;
        return DevListLookup4(size, speed, stroke);
    }
    return actuators::devPgOptionQuiet(size, speed, stroke);
}

int DevicePanels::lookupVertical(const QString &size, const QString &speed, int stroke)
{
    if (m_catalogueFailed)
        return 99;
    if (!m_lookupSpoke) {
        m_lookupSpoke = true;
        return DevListLookup5(size, speed, stroke);
    }
    return actuators::devVerticalOptionQuiet(size, speed, stroke);
}

// ---- axis display ----------------------------------------------------------------------

void DevicePanels::DevAllAxisHyoji()
{
    DevicePanelsOperation op(*this);
    if (readDevList() != 0)
        return;
    for (int a = 0; a < kAxisCount; ++a)
        DevAxisHyoji(a);
}

void DevicePanels::DevAxisHyoji(int a)
{
    refresh(a, Refresh::Whole);
}

void DevicePanels::DevSizeChange(int a)
{
    refresh(a, Refresh::FromSize);
}

void DevicePanels::DevSpeedChange(int a)
{
    refresh(a, Refresh::FromSpeed);
}

void DevicePanels::DevAxisReload(int a)
{
    DevicePanelsOperation op(*this);
    if (!validAxis(a) || readDevList2(a) != 0)
        return;
    DevAxisHyoji(a);
}

void DevicePanels::DevNewOldChange(int a)
{
    DevicePanelsOperation op(*this);
    if (!validAxis(a) || readDevList2(a) != 0)
        return;
    DevSizeChange(a);
}

void DevicePanels::oldTypeBoxForOtherSizes(int a, Refresh from)
{
    // Hidden before it is cleared, so that clearing it is no choice of the old type.
    axis[a].chkNewOrOld.visible = false;
    if (m_kind == Kind::Offline || from == Refresh::FromSpeed)
        setNewOrOld(a, 0);
}

void DevicePanels::refresh(int a, Refresh from)
{
    DevicePanelsOperation op(*this);
    if (!validAxis(a))
        return;
    Axis &x = axis[a];
    if (x.chkAxisEnable.value != 1) {
        setAxisEnable(a, 0);
        x.pictureEnabled = false;
        x.pictureVisible = false;
        return;
    }
    if (from == Refresh::Whole)
        SetSizeList(a);
    const QString size = x.comboDeviceSize.text;
    if (isOldTypeChoiceSize(size))
        x.chkNewOrOld.visible = true;
    else
        oldTypeBoxForOtherSizes(a, from);
    if (from != Refresh::FromSpeed) {
        SetDevListData(a, size);
        SetSpeedList(a, size);
    }
    const QString speed = x.comboDeviceSpeed.text.trimmed();
    SetStrokeList(a, size, speed);
    const std::optional<int> stroke = strokeValue(x.comboDeviceStroke.text);
    if (!stroke)
        return;
    const int pg = lookupPg(size, speed, *stroke);
    if (pg == 99)
        return;
    const int vertical = lookupVertical(size, speed, *stroke);
    if (vertical == 99)
        return;

    if (pg == 0 || pg == 2) {
        x.chkDevPgUse.visible = false;
        x.chkDevPgUse.value = pg == 2 ? 1 : 0;
    } else {
        x.chkDevPgUse.visible = true;
        x.chkDevPgUse.value = gDevSetteiWithPG[a] ? 1 : 0;
    }
    if (gDevSetteiNewType[a]) {
        x.chkDevVsiyou.visible = false;
        x.chkDevVsiyou.value = 1;
    } else if (vertical == 0 || vertical == 2) {
        x.chkDevVsiyou.visible = false;
        x.chkDevVsiyou.value = vertical == 2 ? 1 : 0;
    } else if (m_kind == Kind::Offline && forcesNewAndVertical(size)) {
        // The offline Set makes these sizes vertical whatever the box shows: not offered.
        x.chkDevVsiyou.visible = false;
        x.chkDevVsiyou.value = 1;
    } else {
        x.chkDevVsiyou.visible = true;
        x.chkDevVsiyou.value = gDevSetteiVertical[a] ? 1 : 0;
    }
}

// ---- window handlers -------------------------------------------------------------------

void DevicePanels::setAxisEnable(int a, int value)
{
    DevicePanelsOperation op(*this);
    if (!validAxis(a) || axis[a].chkAxisEnable.value == value)
        return;
    axis[a].chkAxisEnable.value = value;
    chkAxisEnable_Click(a);
}

void DevicePanels::setNewOrOld(int a, int value)
{
    DevicePanelsOperation op(*this);
    if (!validAxis(a) || axis[a].chkNewOrOld.value == value)
        return;
    axis[a].chkNewOrOld.value = value;
    chkNewOrOld_Click(a);
}

void DevicePanels::chkAxisEnable_Click(int a)
{
    DevicePanelsOperation op(*this);
    if (!validAxis(a))
        return;
    Axis &x = axis[a];
    if (x.chkAxisEnable.value == 1) {
        x.pictureEnabled = true;
        x.pictureVisible = true;
        DevAxisReload(a);
    } else {
        x.pictureEnabled = false;
        x.pictureVisible = false;
    }
}

void DevicePanels::chkNewOrOld_Click(int a)
{
    DevicePanelsOperation op(*this);
    if (!validAxis(a) || !axis[a].chkNewOrOld.visible)
        return;
    if (axis[a].chkNewOrOld.value == 0)
        gDevSetteiNewType[a] = true;
    else if (axis[a].chkNewOrOld.value == 1)
        gDevSetteiNewType[a] = false;
    DevNewOldChange(a);
}

void DevicePanels::comboDeviceSize_Click(int a)
{
    DevSizeChange(a);
}

void DevicePanels::comboDeviceSpeed_Click(int a)
{
    DevSpeedChange(a);
}

void DevicePanels::Form_Load()
{
    DevicePanelsOperation op(*this);
    m_pendingAtLoad = PendingSnapshot::capture();
    CancelFlag = false;
    if (m_kind == Kind::Online)
        gDevWinOnline = true;

    for (int a = 0; a < kAxisCount; ++a) {
        Axis &x = axis[a];
        if (m_kind == Kind::Online) {
            if (gAxisUnused[a]) {
                setAxisEnable(a, 0);
                continue;
            }
            setAxisEnable(a, 1);
        } else if (gAxisUnused[a]) {
            continue;
        }
        x.comboDeviceSize.text = gDevSize[a];
        x.comboDeviceSpeed.text = gDevSpeed[a];
        x.comboDeviceStroke.text = QString::number(gDevStroke[a]);
        setNewOrOld(a, gAxisNewType[a] ? 0 : 1);
        if (m_kind == Kind::Online)
            continue;
        if (gDevWinCalled) {
            if (isOldTypeChoiceSize(gDevSize[a])) {
                x.chkNewOrOld.visible = true;
            } else {
                setNewOrOld(a, 1);
                x.chkNewOrOld.visible = false;
            }
        } else {
            x.chkNewOrOld.visible = false;
        }
    }

    if (m_kind == Kind::Offline && gDevOptEdit) {
        for (int a = 0; a < kAxisCount; ++a)
            setAxisEnable(a, gAxisUnused[a] ? 0 : 1);
    }
    for (Axis &x : axis) {
        x.chkDevPgUse.enabled = x.chkDevPgUse.visible = gDevOptEdit;
        x.chkDevVsiyou.enabled = x.chkDevVsiyou.visible = gDevOptEdit;
    }
    cancelShown = m_kind == Kind::Online || !gDevSelectLock;
    DevAllAxisHyoji();
}

void DevicePanels::cmdDeviceSet_Click()
{
    DevicePanelsOperation op(*this);
    if (m_kind == Kind::Offline) {
        bool requested[kAxisCount];
        bool changed = false;
        for (int a = 0; a < kAxisCount; ++a) {
            requested[a] = axis[a].chkAxisEnable.value == 0;
            changed = changed || requested[a] != gAxisUnused[a];
        }
        if (changed) {
            const int answer = platform::msgBox(ResLines({1151, 1152}), platform::MbYesNo, LoadResText(1150));
            if (answer == platform::IdYes) {
                for (int a = 0; a < kAxisCount; ++a)
                    gAxisUnused[a] = requested[a];
            }
        }
    }

    // The family choice is hidden with "QZ" chosen, in both windows and for every axis.
    for (int a = 0; a < kAxisCount; ++a)
        gDevSetteiFamily[a] = QStringLiteral("QZ");

    for (int a = 0; a < kAxisCount; ++a) {
        const Axis &x = axis[a];
        if (m_kind == Kind::Offline && gAxisUnused[a])
            continue;
        const bool qz = gDevSetteiFamily[a] == QLatin1String("QZ");
        gDevSetteiSize[a] = x.comboDeviceSize.text;
        gDevSetteiSpeed[a] = x.comboDeviceSpeed.text;
        gDevSetteiStroke[a] = strokeValue(x.comboDeviceStroke.text).value_or(0);
        if (forcesNewAndVertical(gDevSetteiSize[a])) {
            gDevSetteiNewType[a] = true;
            gDevSetteiVertical[a] = true;
        } else if (m_kind == Kind::Offline) {
            if (x.chkNewOrOld.value == 0) {
                gDevSetteiNewType[a] = true;
                gDevSetteiVertical[a] = true;
            } else {
                gDevSetteiNewType[a] = false;
                gDevSetteiVertical[a] = x.chkDevVsiyou.value == 1 && qz;
            }
        } else {
            gDevSetteiNewType[a] = x.chkNewOrOld.value == 0;
            gDevSetteiVertical[a] = qz && x.chkDevVsiyou.value == 1;
        }
        gDevSetteiWithPG[a] = x.chkDevPgUse.value == 1 && qz;
    }
}

void DevicePanels::cmdDeviceCancel_Click()
{
    CancelFlag = true;
    m_pendingAtLoad.restore();
}

bool DevicePanels::mayCloseByOperator() const
{
    return !(m_kind == Kind::Offline && gDevSelectLock);
}
