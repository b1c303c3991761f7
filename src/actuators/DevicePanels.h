#pragma once

#include "tables/DevSetting.h"
#include "actuators/PendingSnapshot.h"

#include <QString>
#include <QStringList>
#include <optional>

// The state of the four axis panels of the actuator setup windows (frmDevice2 offline,
// frmDevice3 online) and their handlers: choice lists, axis display, load, Set and Cancel.
// The windows mirror this state into their controls after every handler and feed the
// operator's actions into it; everything here runs without widgets.
class DevicePanels
{
public:
    enum class Kind { Offline, Online };

    struct CheckBox
    {
        int value = 0; // 0 unchecked, 1 checked, 2 greyed
        bool visible = true;
        bool enabled = true;
    };

    struct Combo
    {
        QStringList items;
        QString text;
    };

    struct Axis
    {
        CheckBox chkAxisEnable;
        bool pictureVisible = true;
        bool pictureEnabled = true;
        Combo comboDeviceSize;
        Combo comboDeviceSpeed;
        Combo comboDeviceStroke;
        CheckBox chkNewOrOld;
        CheckBox chkDevPgUse;
        CheckBox chkDevVsiyou;
    };

    explicit DevicePanels(Kind kind);

    Kind kind() const { return m_kind; }
    Axis axis[kAxisCount];
    bool CancelFlag = false;
    bool cancelShown = true; // cmdDeviceCancel shown and enabled

    // Choice lists of one axis.
    void SetSizeList(int a);
    void SetSpeedList(int a, const QString &size);
    void SetStrokeList(int a, const QString &size, const QString &speed);
    int CheckSizeInList(int a) const;
    int CheckSpeedInList(int a, const QString &speed) const;
    int CheckStrokeInList(int a, int stroke) const;

    // Axis display.
    void DevAllAxisHyoji();
    void DevAxisHyoji(int a);
    void DevSizeChange(int a);
    void DevSpeedChange(int a);
    void DevAxisReload(int a);
    void DevNewOldChange(int a);

    // Window handlers. A box set by a handler runs its click handling when its state changes,
    // as the operator's click does.
    void Form_Load();
    void setAxisEnable(int a, int value);
    void setNewOrOld(int a, int value);
    void chkAxisEnable_Click(int a);
    void chkNewOrOld_Click(int a);
    void comboDeviceSize_Click(int a);
    void comboDeviceSpeed_Click(int a);
    // Set takes the panels into the pending set; Cancel puts the pending set back as it was
    // when the window loaded. Both end the window.
    void cmdDeviceSet_Click();
    void cmdDeviceCancel_Click();
    // Whether the window may close from its close box or Esc (offline under the start-up's lock:
    // no).
    bool mayCloseByOperator() const;

    // The stroke text's value: its leading number, halves to the even whole number; nullopt
    // when that lies outside the 16-bit range.
    static std::optional<int> strokeValue(const QString &text);
    // Sizes whose actuator is always new type and V-type when chosen.
    static bool forcesNewAndVertical(const QString &size);

private:
    enum class Refresh { Whole, FromSize, FromSpeed };
    void refresh(int a, Refresh from);
    void oldTypeBoxForOtherSizes(int a, Refresh from);
    int lookupPg(const QString &size, const QString &speed, int stroke);
    int lookupVertical(const QString &size, const QString &speed, int stroke);
    friend class DevicePanelsOperation;
    int m_depth = 0;
    bool m_catalogueFailed = false; // the catalogue could not be read in this operation
    int readDevList();
    int readDevList2(int a);

    Kind m_kind;
    bool m_lookupSpoke = false; // the first look-up of an operation speaks, the rest are quiet

    PendingSnapshot m_pendingAtLoad;
};
