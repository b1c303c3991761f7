#include "actuators/DeviceWindowParts.h"

#include "core/AppSettings.h"
#include "core/FormText.h"
#include "core/MainForm.h"
#include "platform/Screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace actuators::devicewindow {

namespace {

constexpr int kTwipsPerPixel = 15;

QCheckBox *checkBox(QWidget *parent, const QString &name, int id)
{
    auto *b = new QCheckBox(parent);
    b->setObjectName(name);
    core::formtext::tag(b, id);
    return b;
}

QComboBox *comboBox(QWidget *parent, const QString &name, int widthTwips, QLabel *label)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumWidth(widthTwips / kTwipsPerPixel);
    label->setBuddy(c);
    return c;
}

QLabel *label(QWidget *parent, const QString &name, int id)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    core::formtext::tag(l, id);
    return l;
}

Qt::CheckState stateOf(int value)
{
    if (value == 1)
        return Qt::Checked;
    return value == 0 ? Qt::Unchecked : Qt::PartiallyChecked;
}

int valueOf(const QCheckBox *b)
{
    switch (b->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::Unchecked:
        return 0;
    default:
        return 2;
    }
}

void showBox(QCheckBox *b, const DevicePanels::CheckBox &s)
{
    const QSignalBlocker block(b);
    b->setCheckState(stateOf(s.value));
    b->setVisible(s.visible);
    b->setEnabled(s.enabled);
}

void showCombo(QComboBox *c, const DevicePanels::Combo &s)
{
    const QSignalBlocker block(c);
    if (c->count() != s.items.size() || [&] {
            for (int i = 0; i < c->count(); ++i)
                if (c->itemText(i) != s.items.at(i))
                    return true;
            return false;
        }()) {
        c->clear();
        c->addItems(s.items);
    }
    if (c->currentText() != s.text)
        c->setEditText(s.text);
}

// Runs a panel handler when a list loses the focus to another control, as choosing from it
// does. Opening the list's own drop-down, or the window losing or ending its activation, is
// no leaving of the list: refreshing then would put back the speed and stroke the operator
// had just chosen, without any choice made.
class FocusOutHook : public QObject
{
public:
    FocusOutHook(QObject *parent, std::function<void()> onFocusOut)
        : QObject(parent)
        , m_onFocusOut(std::move(onFocusOut))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                m_onFocusOut();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onFocusOut;
};

} // namespace

void buildPanels(QDialog *window, QVBoxLayout *layout, QWidget *commandColumn, Controls &c)
{
    c.lblDeviceSetumei = label(window, QStringLiteral("lblDeviceSetumei"), 1402);
    layout->addWidget(c.lblDeviceSetumei);

    auto *grid = new QGridLayout;
    for (int a = 0; a < kAxisCount; ++a) {
        AxisControls &x = c.axis[a];
        x.framAxis = new QGroupBox(window);
        x.framAxis->setObjectName(QStringLiteral("framAxis%1").arg(a + 1));
        core::formtext::tag(x.framAxis, 1405 + a);
        x.framAxis->setMinimumSize(3255 / kTwipsPerPixel, 2175 / kTwipsPerPixel);

        x.chkAxisEnable = checkBox(x.framAxis, QStringLiteral("chkAxisEnable%1").arg(a), 1409);
        x.PictureAxis = new QWidget(x.framAxis);
        x.PictureAxis->setObjectName(QStringLiteral("PictureAxis%1").arg(a + 1));

        x.lblDeviceSize = label(x.PictureAxis, QStringLiteral("lblDeviceSize%1").arg(a), 1410);
        x.lblDeviceSpeed = label(x.PictureAxis, QStringLiteral("lblDeviceSpeed%1").arg(a), 1411);
        x.lblDeviceStroke = label(x.PictureAxis, QStringLiteral("lblDeviceStroke%1").arg(a), 1412);
        x.comboDeviceSize = comboBox(x.PictureAxis, QStringLiteral("comboDeviceSize%1").arg(a), 975, x.lblDeviceSize);
        x.comboDeviceSpeed = comboBox(x.PictureAxis, QStringLiteral("comboDeviceSpeed%1").arg(a), 735, x.lblDeviceSpeed);
        x.comboDeviceStroke = comboBox(x.PictureAxis, QStringLiteral("comboDeviceStroke%1").arg(a), 975, x.lblDeviceStroke);
        x.chkNewOrOld = checkBox(x.PictureAxis, QStringLiteral("chkNewOrOld%1").arg(a), 1417);
        x.chkDevPgUse = checkBox(x.PictureAxis, QStringLiteral("chkDevPgUse%1").arg(a), 1413);
        x.chkDevVsiyou = checkBox(x.PictureAxis, QStringLiteral("chkDevVsiyou%1").arg(a), 1414);

        auto *lists = new QGridLayout;
        lists->addWidget(x.lblDeviceSize, 0, 0);
        lists->addWidget(x.lblDeviceSpeed, 0, 1);
        lists->addWidget(x.lblDeviceStroke, 0, 2);
        lists->addWidget(x.comboDeviceSize, 1, 0);
        lists->addWidget(x.comboDeviceSpeed, 1, 1);
        lists->addWidget(x.comboDeviceStroke, 1, 2);
        auto *options = new QHBoxLayout;
        options->addWidget(x.chkDevPgUse);
        options->addWidget(x.chkDevVsiyou);
        options->addStretch();
        auto *picture = new QVBoxLayout(x.PictureAxis);
        picture->setContentsMargins(0, 0, 0, 0);
        picture->addWidget(x.chkNewOrOld);
        picture->addLayout(lists);
        picture->addStretch();
        picture->addLayout(options);

        auto *frame = new QVBoxLayout(x.framAxis);
        frame->addWidget(x.chkAxisEnable);
        frame->addWidget(x.PictureAxis, 1);

        grid->addWidget(x.framAxis, a / 2, a % 2);
    }
    auto *body = new QHBoxLayout;
    body->addLayout(grid, 1);
    body->addWidget(commandColumn);
    layout->addLayout(body, 1);

    // The caution lies below the window's edge unless positions are shown in millimetres.
    for (int i = 0; i < 3; ++i) {
        c.cautions[i] = label(window, QStringLiteral("Label%1").arg(i + 1), 1504 + i);
        c.cautions[i]->setWordWrap(true);
        c.cautions[i]->setVisible(gDispMmUnit);
        layout->addWidget(c.cautions[i]);
    }
}

void showState(const DevicePanels &panels, Controls &c)
{
    for (int a = 0; a < kAxisCount; ++a) {
        const DevicePanels::Axis &s = panels.axis[a];
        AxisControls &x = c.axis[a];
        showBox(x.chkAxisEnable, s.chkAxisEnable);
        x.PictureAxis->setVisible(s.pictureVisible);
        x.PictureAxis->setEnabled(s.pictureEnabled);
        showCombo(x.comboDeviceSize, s.comboDeviceSize);
        showCombo(x.comboDeviceSpeed, s.comboDeviceSpeed);
        showCombo(x.comboDeviceStroke, s.comboDeviceStroke);
        showBox(x.chkNewOrOld, s.chkNewOrOld);
        showBox(x.chkDevPgUse, s.chkDevPgUse);
        showBox(x.chkDevVsiyou, s.chkDevVsiyou);
    }
}

void connectPanels(QDialog *window, DevicePanels &panels, Controls &c)
{
    Controls *controls = &c;
    DevicePanels *state = &panels;
    auto refreshShown = [controls, state] { showState(*state, *controls); };

    for (int a = 0; a < kAxisCount; ++a) {
        AxisControls &x = c.axis[a];
        QObject::connect(x.chkAxisEnable, &QCheckBox::clicked, window, [=] {
            state->setAxisEnable(a, valueOf(controls->axis[a].chkAxisEnable));
            refreshShown();
        });
        QObject::connect(x.chkNewOrOld, &QCheckBox::clicked, window, [=] {
            state->setNewOrOld(a, valueOf(controls->axis[a].chkNewOrOld));
            refreshShown();
        });
        QObject::connect(x.chkDevPgUse, &QCheckBox::clicked, window, [=] {
            state->axis[a].chkDevPgUse.value = valueOf(controls->axis[a].chkDevPgUse);
        });
        QObject::connect(x.chkDevVsiyou, &QCheckBox::clicked, window, [=] {
            state->axis[a].chkDevVsiyou.value = valueOf(controls->axis[a].chkDevVsiyou);
        });

        // Typing changes the text alone; a choice or leaving the list refreshes the axis.
        QObject::connect(x.comboDeviceSize, &QComboBox::editTextChanged, window,
                         [=](const QString &t) { state->axis[a].comboDeviceSize.text = t; });
        QObject::connect(x.comboDeviceSpeed, &QComboBox::editTextChanged, window,
                         [=](const QString &t) { state->axis[a].comboDeviceSpeed.text = t; });
        QObject::connect(x.comboDeviceStroke, &QComboBox::editTextChanged, window,
                         [=](const QString &t) { state->axis[a].comboDeviceStroke.text = t; });
        auto sizeChosen = [=] {
            state->axis[a].comboDeviceSize.text = controls->axis[a].comboDeviceSize->currentText();
            state->comboDeviceSize_Click(a);
            refreshShown();
        };
        auto speedChosen = [=] {
            state->axis[a].comboDeviceSpeed.text = controls->axis[a].comboDeviceSpeed->currentText();
            state->comboDeviceSpeed_Click(a);
            refreshShown();
        };
        QObject::connect(x.comboDeviceSize, &QComboBox::activated, window, sizeChosen);
        QObject::connect(x.comboDeviceSpeed, &QComboBox::activated, window, speedChosen);
        x.comboDeviceSize->installEventFilter(new FocusOutHook(x.comboDeviceSize, sizeChosen));
        x.comboDeviceSpeed->installEventFilter(new FocusOutHook(x.comboDeviceSpeed, speedChosen));
    }
}

void placeBesideMainWindow(QWidget *window)
{
    if (QWidget *w = core::mainform::shownWindow())
        platform::placeBesideOwner(window, w);
}

} // namespace actuators::devicewindow
