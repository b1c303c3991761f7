#include "editors/frmDevice.h"

#include "core/FormText.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "editors/StrokeCalc.h"
#include "editors/frmParameta2.h"
#include "platform/Beep.h"
#include "platform/KeyInput.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

namespace {
// The blank a line edit keeps on each side of its text (Qt's own, not a style metric).
constexpr int kLineEditTextMargin = 2;
} // namespace

frmDevice::frmDevice(frmParameta2 *parameters) : QDialog(parameters), m_parameters(parameters)
{
    setObjectName(QStringLiteral("frmDevice"));
    setModal(true);
    core::formtext::tagWindow(this, 1301);
    auto *outer = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    const auto label = [this](const char *name, int id) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        if (id)
            core::formtext::tag(l, id);
        return l;
    };
    auto *lblStroke = label("lblStroke", 1302);
    m_txtStrokeTyo = new QLineEdit(this);
    m_txtStrokeTyo->setObjectName(QStringLiteral("txtStrokeTyo"));
    auto *lblRido = label("lblRido", 1303);
    m_txtRido = new QLineEdit(this);
    m_txtRido->setObjectName(QStringLiteral("txtRido"));
    lblStroke->setBuddy(m_txtStrokeTyo);
    lblRido->setBuddy(m_txtRido);
    grid->addWidget(lblStroke, 0, 0);
    grid->addWidget(m_txtStrokeTyo, 0, 1);
    grid->addWidget(lblRido, 1, 0);
    grid->addWidget(m_txtRido, 1, 1);
    outer->addLayout(grid);

    outer->addWidget(label("LabelAboutRido", 1304));
    auto *l2 = label("Label2", 0);
    l2->setText(QStringLiteral("QZ-28, QZ-35, QZ-42 -> 2mm"));
    auto *l1 = label("Label1", 0);
    l1->setText(QStringLiteral("QZ-E35 -> 6mm"));
    auto *l3 = label("Label3", 0);
    l3->setText(QStringLiteral("QZ-57H -> 8mm"));
    for (QLabel *l : {l2, l1, l3})
        outer->addWidget(l);

    const auto options = [this](const char *frameName, int frameId, const char *name,
                                std::initializer_list<int> ids, QButtonGroup *&group) {
        auto *frame = new QGroupBox(this);
        frame->setObjectName(QLatin1String(frameName));
        core::formtext::tag(frame, frameId);
        auto *row = new QHBoxLayout(frame);
        group = new QButtonGroup(this);
        int i = 0;
        for (int id : ids) {
            auto *opt = new QRadioButton(frame);
            opt->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
            core::formtext::tag(opt, id);
            group->addButton(opt, i++);
            row->addWidget(opt);
        }
        group->button(0)->setChecked(true);
        return frame;
    };
    outer->addWidget(options("framActType", 1317, "optActType", {1318, 1319}, m_optActType));

    auto *calc = new QPushButton(this);
    calc->setObjectName(QStringLiteral("cmdCulStrokePulse"));
    core::formtext::tag(calc, 1306);
    auto *result = new QHBoxLayout;
    result->addWidget(label("lblQzStroke", 1305));
    m_lblStrokePulse = label("lblStrokePulse", 0);
    result->addWidget(m_lblStrokePulse);
    outer->addWidget(calc);
    outer->addLayout(result);
    outer->addWidget(options("frmInputTarget", 1308, "optInputSaki", {1309, 1310, 1311, 1312}, m_optInputSaki));
    auto *input = new QPushButton(this);
    input->setObjectName(QStringLiteral("cmdInputStroke"));
    core::formtext::tag(input, 1307);
    outer->addWidget(input);
    connect(calc, &QPushButton::clicked, this, &frmDevice::cmdCulStrokePulse_Click);
    connect(input, &QPushButton::clicked, this, &frmDevice::cmdInputStroke_Click);

    Set_FormStr(this);
    for (QAbstractButton *b : findChildren<QAbstractButton *>())
        b->setAccessibleName(b->text());
    m_txtStrokeTyo->setAccessibleName(lblStroke->text());
    m_txtRido->setAccessibleName(lblRido->text());
    m_lblStrokePulse->setAccessibleName(findChild<QLabel *>(QStringLiteral("lblQzStroke"))->text());
    m_txtStrokeTyo->setText(LoadResText(1313));
    m_txtRido->setText(LoadResText(1314));
    // Each box is wide enough to show its hint whole, in either language.
    for (QLineEdit *box : {m_txtStrokeTyo, m_txtRido}) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.rect = QRect(0, 0, 1000, box->sizeHint().height());
        option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        const int frame = 1000 - box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width();
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(box->text()) + 2 * kLineEditTextMargin + frame);
    }
    m_txtStrokeTyo->installEventFilter(this);
    m_txtRido->installEventFilter(this);
    m_txtStrokeTyo->setValidator(editors::newStrokeCalcValidator(editors::kStrokeLength, m_txtStrokeTyo));
    m_txtRido->setValidator(editors::newStrokeCalcValidator(editors::kLeadLength, m_txtRido));
    platform::placeBesideOwner(this, core::mainform::window());
}

void frmDevice::cmdCulStrokePulse_Click()
{
    const int factor = m_optActType->checkedId() == 1 ? editors::kPprQz57H : editors::kPprStandard;
    const auto pulses = editors::strokePulses(m_txtStrokeTyo->text(), m_txtRido->text(), factor);
    // A lead of 0 or a value out of range is as invalid as an empty lead: no earlier result stays.
    m_lblStrokePulse->setText(pulses ? QString::number(*pulses) : LoadResText(1315));
}

void frmDevice::cmdInputStroke_Click()
{
    const QString result = m_lblStrokePulse->text();
    // Without a result there is nothing to put in: the field keeps what the operator had.
    if (result.isEmpty() || result == LoadResText(1315) || result == LoadResText(1316))
        return;
    const int k = qMax(0, m_optInputSaki->checkedId());
    if (auto *target = qobject_cast<QLineEdit *>(m_parameters->field(frmParameta2::AxisStroke, k)))
        target->setText(result);
    QWidget *next = k < 3 ? m_parameters->field(frmParameta2::AxisStroke, k + 1)
                          : m_parameters->field(frmParameta2::AxisLead, 0);
    accept();
    if (next->isEnabled())
        next->setFocus();
}

bool frmDevice::holdsHint(const QLineEdit *box) const
{
    return box->text() == LoadResText(box == m_txtStrokeTyo ? 1313 : 1314);
}

bool frmDevice::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return QDialog::eventFilter(watched, event);
    const bool stroke = box == m_txtStrokeTyo;
    if (event->type() == QEvent::FocusOut) {
        const bool ok = stroke ? editors::strokeFieldAccepted(box->text()) : editors::leadFieldAccepted(box->text());
        if (!ok) {
            box->clear();
            platform::beep();
        }
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (stroke)
                m_txtRido->setFocus();
            else
                findChild<QPushButton *>(QStringLiteral("cmdCulStrokePulse"))->setFocus();
            return true;
        }
        const int length = stroke ? editors::kStrokeLength : editors::kLeadLength;
        const std::optional<QChar> typed = platform::typedCharacter(*key);
        // The hint still takes digits: the first edit (a digit, Backspace, Delete, a paste)
        // replaces it, since no key could edit it into a number.
        const bool edits = typed ? editors::strokeCalcKeyAccepted(length, QString(), *typed)
                                 : key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete
                                       || key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut);
        if (edits && holdsHint(box))
            box->clear();
        return platform::dropsTypedKey(*key, [&](QChar c) { return editors::strokeCalcKeyAccepted(length, box->text(), c); });
    } else if (event->type() == QEvent::InputMethod) {
        if (!static_cast<QInputMethodEvent *>(event)->commitString().isEmpty() && holdsHint(box))
            box->clear();
    }
    return QDialog::eventFilter(watched, event);
}
