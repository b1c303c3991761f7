#include "operation/frmMove.h"

#include "core/BusyGuard.h"
#include "core/FormText.h"
#include "core/MainForm.h"
#include "core/Messages.h"
#include "link/LinkState.h"
#include "operation/MoveProgram.h"
#include "platform/Beep.h"
#include "platform/Dialogs.h"
#include "platform/EditorKeys.h"
#include "platform/FieldValidator.h"
#include "platform/FocusGuard.h"
#include "platform/KeyInput.h"
#include "platform/Screen.h"
#include "tables/DevSetting.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QSpinBox>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QPointer<frmMove> g_window;

const QColor kInactiveBorder(0xB4, 0xB4, 0xB4);

template<typename W>
W *named(W *widget, const QString &name, int captionId = 0)
{
    widget->setObjectName(name);
    if (captionId)
        core::formtext::tag(widget, captionId);
    return widget;
}

void setBoxBackground(QWidget *box, bool active)
{
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, active ? QColor(Qt::white) : kInactiveBorder);
    palette.setColor(QPalette::Window, active ? QColor(Qt::white) : kInactiveBorder);
    box->setPalette(palette);
}

QLabel *lamp(const QString &name, const QColor &colour)
{
    auto *label = new QLabel;
    label->setObjectName(name);
    label->setFixedSize(18, 18);
    label->setStyleSheet(QStringLiteral("background:%1;border:1px solid gray;border-radius:9px;")
                             .arg(colour.name()));
    return label;
}

// The editor of a program step: digits only, three at most. Enter and the arrows store the
// step and move along the row; leaving the cell otherwise stores it too, with a beep when
// the value is refused.
// Paints the table's corner button as a heading with the button's text; the table's own
// corner button draws no text.
class CornerHeading : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || event->type() != QEvent::Paint)
            return false;
        QStyleOptionHeader option;
        option.initFrom(button);
        option.state |= QStyle::State_Raised | QStyle::State_Horizontal;
        option.rect = button->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = button->text();
        option.textAlignment = Qt::AlignCenter;
        QStylePainter painter(button);
        painter.drawControl(QStyle::CE_Header, option);
        return true;
    }
};

// A step is typed in digits only.
bool isStepKey(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

class StepDelegate : public QStyledItemDelegate
{
public:
    explicit StepDelegate(QTableWidget *grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setObjectName(QStringLiteral("txtEdit2"));
        editor->setAccessibleName(LoadResText(523));
        // A paste or an input method's text is taken only when the keys could have typed it.
        editor->setValidator(new platform::FieldValidator(3, isStepKey, editor));
        editor->installEventFilter(const_cast<StepDelegate *>(this));
        m_byKey = false;
        return editor;
    }

    // The cell's text, selected: a digit typed on the cell takes its place, while a double
    // click keeps it for editing.
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *edit = static_cast<QLineEdit *>(editor);
        edit->setText(index.data().toString());
        edit->selectAll();
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        bool accepted = false;
        const QString text = operation::moveprogram::stepText(static_cast<QLineEdit *>(editor)->text(), &accepted);
        model->setData(index, text);
        if (!accepted && !m_byKey)
            platform::beep();
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        auto *editor = qobject_cast<QLineEdit *>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            if (platform::dropsTypedKey(*static_cast<QKeyEvent *>(event), isStepKey))
                return true;
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Right
                || key == Qt::Key_Left) {
                const int col = m_grid->currentColumn() + 1; // step columns are 1 to 15
                m_byKey = true;
                Q_EMIT commitData(editor);
                Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_byKey = false;
                const int next = key == Qt::Key_Left ? operation::moveprogram::previousStepColumn(col)
                                                     : operation::moveprogram::nextStepColumn(col);
                m_grid->setCurrentCell(0, next - 1);
                m_grid->setFocus();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    QTableWidget *m_grid;
    mutable bool m_byKey = false;
};

} // namespace

frmMove::frmMove(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_runner(*this)
{
    setObjectName(QStringLiteral("frmMove"));
    setAttribute(Qt::WA_DeleteOnClose);
    core::formtext::tagWindow(this, 501);

    auto *layout = new QVBoxLayout(this);
    m_tab = named(new QTabWidget, QStringLiteral("SSTab1"));
    auto *page0 = new QWidget;
    auto *page1 = new QWidget;
    auto *page2 = new QWidget;
    m_tab->addTab(page0, QString());
    m_tab->addTab(page1, QString());
    m_tab->addTab(page2, QString());
    core::formtext::tagTab(page0, 503);
    core::formtext::tagTab(page1, 504);
    core::formtext::tagTab(page2, 505);
    buildProgramPage(page0);
    buildRangePage(page1);
    buildGroupPage(page2);
    layout->addWidget(m_tab);

    auto *state = new QHBoxLayout;
    auto *lblKanryoiti = named(new QLabel, QStringLiteral("lblKanryoiti"), 507);
    m_lblkanryoNo = named(new QLabel, QStringLiteral("lblkanryoNo"));
    m_lblkanryoNo->setMinimumWidth(50);
    m_lblkanryoNo->setFrameShape(QFrame::Panel);
    lblKanryoiti->setBuddy(m_lblkanryoNo);
    m_lblkanryoNo->setAccessibleName(LoadResText(507));
    state->addWidget(lblKanryoiti);
    state->addWidget(m_lblkanryoNo);
    state->addSpacing(20);
    state->addWidget(named(new QLabel, QStringLiteral("lblOutput12"), 508));
    const char *white[] = {"imgOut1White", "ImgOut2White"};
    const char *green[] = {"imgOut1Green", "imgOut2Green"};
    const char *lampLabel[] = {"lblOutLamp1", "lblOutLamp2"};
    for (int i = 0; i < 2; ++i) {
        auto *cell = new QGridLayout;
        QLabel *off = lamp(QLatin1String(white[i]), Qt::white);
        m_imgOutGreen[i] = lamp(QLatin1String(green[i]), Qt::green);
        off->setAccessibleName(LoadResText(550 + i));
        m_imgOutGreen[i]->setAccessibleName(LoadResText(550 + i));
        cell->addWidget(off, 0, 0);
        cell->addWidget(m_imgOutGreen[i], 0, 0);
        m_imgOutGreen[i]->hide();
        state->addLayout(cell);
        state->addWidget(named(new QLabel, QLatin1String(lampLabel[i]), 550 + i));
    }
    state->addStretch();
    layout->addLayout(state);

    auto *bottom = new QHBoxLayout;
    auto *stop = named(new QPushButton, QStringLiteral("cmdGrpMoveStop"), 525);
    auto *close = named(new QPushButton, QStringLiteral("cmdMoveWinClose"), 524);
    bottom->addWidget(stop);
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);
    connect(stop, &QPushButton::clicked, this, [this] { m_runner.cmdGrpMoveStop_Click(); });
    connect(close, &QPushButton::clicked, this, [this] {
        if (!commandRefused())
            this->close();
    });

    place();
    Set_FormStr(this);
    m_grid->setVerticalHeaderLabels({LoadResText(523)});
    // The heading over the row titles, as the heading row of a position table reads.
    if (auto *corner = m_grid->findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        corner->setText(QStringLiteral("No."));
        corner->setAccessibleName(corner->text());
        corner->installEventFilter(new CornerHeading(corner));
    }
    // Sized once the headings hold their texts, so the heading row and the program row show whole.
    const int frame = 2 * m_grid->frameWidth();
    m_grid->setFixedHeight(std::max(750 / 15, m_grid->horizontalHeader()->sizeHint().height()
                                                  + m_grid->rowHeight(0) + frame));
    m_grid->setMinimumWidth(m_grid->verticalHeader()->sizeHint().width()
                            + operation::moveprogram::kSteps * m_grid->horizontalHeader()->minimumSectionSize() + frame);
    adjustSize();
    // The program's steps take the first focus: Space on a move the operator did not aim at
    // would start it.
    QList<QAbstractButton *> moves;
    for (const char *name : {"cmdMove", "cmdSelectMove", "cmdHome", "cmdGrpMove"})
        moves.append(findChild<QAbstractButton *>(QLatin1String(name)));
    platform::keepFocusOffActs(*this, m_grid, moves);
    m_runner.MoveFirstTime = true;
    link::setMoveWindowHooks(this);
    g_window = this;
    m_runner.timerEventCheck.start();
}

frmMove::~frmMove()
{
    m_runner.timerEventCheck.stop();
    m_runner.Timer2.stop();
    if (&link::moveWindowHooks() == static_cast<link::MoveWindowHooks *>(this))
        link::setMoveWindowHooks(nullptr);
}

frmMove *frmMove::instance()
{
    return g_window.data();
}

void frmMove::place()
{
    QWidget *main = parentWidget();
    if (!main)
        return;
    // 500 twips below the main window's top, 100 twips left of its left edge.
    platform::placeBesideOwner(this, main, -100, 500);
}

void frmMove::buildProgramPage(QWidget *page)
{
    auto *layout = new QGridLayout(page);
    m_grid = named(new QTableWidget(1, operation::moveprogram::kSteps), QStringLiteral("flgdProgram"));
    m_grid->setAccessibleName(LoadResText(523));
    QStringList headings;
    for (int k = 1; k <= operation::moveprogram::kSteps; ++k)
        headings << QString::number(k);
    m_grid->setHorizontalHeaderLabels(headings);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_grid->verticalHeader()->setDefaultSectionSize(380 / 15);
    // Heading row plus the one program row, all 15 steps in view: never a scroll bar over the row.
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->horizontalHeader()->setMinimumSectionSize(m_grid->fontMetrics().horizontalAdvance(QStringLiteral("9999")) + 6);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed
                            | QAbstractItemView::EditKeyPressed);
    m_grid->setItemDelegate(new StepDelegate(m_grid));
    new platform::EditorKeys(m_grid, [](const QModelIndex &, QChar c) { return isStepKey(c); });
    for (int k = 0; k < operation::moveprogram::kSteps; ++k) {
        auto *item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        m_grid->setItem(0, k, item);
    }
    m_grid->setCurrentCell(0, 0);
    layout->addWidget(m_grid, 0, 0, 1, 4);

    auto *fill = named(new QPushButton, QStringLiteral("cmdInp1toF"), 511);
    auto *clear = named(new QPushButton, QStringLiteral("cmdDataClear"), 512);
    connect(fill, &QPushButton::clicked, this, [this] {
        if (!commandRefused())
            cmdInp1toF_Click();
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        if (!commandRefused())
            cmdDataClear_Click();
    });
    layout->addWidget(fill, 1, 0);
    layout->addWidget(clear, 1, 1);

    auto *mode = named(new QGroupBox, QStringLiteral("pictureSelectMode"));
    auto *modeLayout = new QHBoxLayout(mode);
    auto *continual = named(new QRadioButton, QStringLiteral("optSelectMode0"), 513);
    auto *step = named(new QRadioButton, QStringLiteral("optSelectMode1"), 514);
    continual->setChecked(true);
    modeLayout->addWidget(continual);
    modeLayout->addWidget(step);
    layout->addWidget(mode, 2, 0, 1, 2);
    layout->addWidget(named(new QCheckBox, QStringLiteral("chkRepeat"), 515), 2, 2);
    layout->addWidget(named(new QCheckBox, QStringLiteral("chkNoSqMcr1"), 516), 2, 3);

    auto *timer = named(new QGroupBox, QStringLiteral("frmTimer"));
    auto *timerLayout = new QHBoxLayout(timer);
    m_chkTimerUse = named(new QCheckBox, QStringLiteral("chkTimerUse"), 517);
    m_txtTimer = named(new QLineEdit(QStringLiteral("10")), QStringLiteral("txtTimer"));
    core::formtext::tagTip(m_txtTimer, 527);
    m_txtTimer->setMaxLength(3);
    m_txtTimer->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}")), m_txtTimer));
    auto *lblTimer = named(new QLabel, QStringLiteral("lblTimer"), 518);
    core::formtext::tagTip(lblTimer, 526);
    lblTimer->setBuddy(m_txtTimer);
    m_txtTimer->setAccessibleName(LoadResText(518));
    timerLayout->addWidget(m_chkTimerUse);
    timerLayout->addWidget(m_txtTimer);
    timerLayout->addWidget(lblTimer);
    layout->addWidget(timer, 3, 0, 1, 4);
    connect(m_chkTimerUse, &QCheckBox::clicked, this, [this] { chkTimerUse_Click(); });
    connect(m_txtTimer, &QLineEdit::returnPressed, this, [this] { txtTimer_Confirm(); });
    chkTimerUse_Click();

    auto *move = named(new QPushButton, QStringLiteral("cmdMove"), 519);
    auto *stop = named(new QPushButton, QStringLiteral("cmdStop"), 520);
    auto *pause = named(new QPushButton, QStringLiteral("cmdTmpStop"), 521);
    connect(move, &QPushButton::clicked, this, [this] { m_runner.cmdMove_Click(); });
    connect(stop, &QPushButton::clicked, this, [this] { m_runner.cmdStop_Click(); });
    connect(pause, &QPushButton::clicked, this, [this] { m_runner.cmdTmpStop_Click(); });
    layout->addWidget(move, 4, 0);
    layout->addWidget(stop, 4, 1);
    layout->addWidget(pause, 4, 2);
}

void frmMove::buildRangePage(QWidget *page)
{
    auto *layout = new QGridLayout(page);
    // The range the repeat move runs over, in a frame of its own.
    auto *repeat = named(new QGroupBox, QStringLiteral("frmMoveRepeat"), 502);
    auto *repeatLayout = new QGridLayout(repeat);
    layout->addWidget(repeat, 0, 0, 2, 4);
    const auto numberRow = [&](int row, const QString &caption, int captionId, QLabel *&label,
                               QSlider *&slider, QSpinBox *&updown, const QString &labelName,
                               const QString &sliderName, const QString &updownName, int value) {
        auto *title = named(new QLabel, caption, captionId);
        label = named(new QLabel(QString::number(value)), labelName);
        label->setFrameShape(QFrame::Panel);
        label->setMinimumWidth(40);
        label->setAutoFillBackground(true);
        slider = named(new QSlider(Qt::Horizontal), sliderName);
        slider->setRange(1, 999);
        slider->setValue(value);
        updown = named(new QSpinBox, updownName);
        updown->setRange(1, 999);
        updown->setValue(value);
        updown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
        updown->setFixedWidth(20);
        title->setBuddy(slider);
        label->setAccessibleName(LoadResText(captionId));
        slider->setAccessibleName(LoadResText(captionId));
        updown->setAccessibleName(LoadResText(captionId));
        repeatLayout->addWidget(title, row, 0);
        repeatLayout->addWidget(label, row, 1);
        repeatLayout->addWidget(updown, row, 2);
        repeatLayout->addWidget(slider, row, 3);
    };
    numberRow(0, QStringLiteral("lblRepMovStart"), 530, m_lblStart, m_sldrStart, m_updownStart,
              QStringLiteral("lblStartPosiNo"), QStringLiteral("sldrStartPosiNo"),
              QStringLiteral("updownStartPosiNo"), 1);
    numberRow(1, QStringLiteral("lblRepMovEnd"), 531, m_lblEnd, m_sldrEnd, m_updownEnd,
              QStringLiteral("lblEndPosiNo"), QStringLiteral("sldrEndPosiNo"),
              QStringLiteral("updownEndPosiNo"), 10);
    connect(m_sldrStart, &QSlider::valueChanged, this, [this] { sldrStartPosiNo_Change(); });
    connect(m_sldrEnd, &QSlider::valueChanged, this, [this] { sldrEndPosiNo_Change(); });
    connect(m_updownStart, &QSpinBox::valueChanged, this, [this](int v) { updownStartPosiNo_Change(v); });
    connect(m_updownEnd, &QSpinBox::valueChanged, this, [this](int v) { updownEndPosiNo_Change(v); });

    auto *way = named(new QGroupBox, QStringLiteral("framMoveWay"), 532);
    auto *wayLayout = new QHBoxLayout(way);
    m_optMoveWay[0] = named(new QRadioButton, QStringLiteral("optMoveWay0"), 533);
    m_optMoveWay[1] = named(new QRadioButton, QStringLiteral("optMoveWay1"), 534);
    m_optMoveWay[0]->setChecked(true);
    for (int i = 0; i < 2; ++i) {
        wayLayout->addWidget(m_optMoveWay[i]);
        connect(m_optMoveWay[i], &QRadioButton::clicked, this, [this, i] { optMoveWay_Click(i); });
    }
    layout->addWidget(way, 2, 0, 1, 2);
    layout->addWidget(named(new QCheckBox, QStringLiteral("chkRepeat2"), 515), 2, 2);
    layout->addWidget(named(new QCheckBox, QStringLiteral("chkNoSqMcr2"), 516), 2, 3);

    auto *timer = named(new QGroupBox, QStringLiteral("framTimer2"));
    auto *timerLayout = new QHBoxLayout(timer);
    m_chkTimerUse2 = named(new QCheckBox, QStringLiteral("chkTimerUse2"), 517);
    m_txtTimer2 = named(new QLineEdit(QStringLiteral("10")), QStringLiteral("txtTimer2"));
    core::formtext::tagTip(m_txtTimer2, 527);
    auto *lblTimer2 = named(new QLabel, QStringLiteral("lblTimer2"), 518);
    core::formtext::tagTip(lblTimer2, 526);
    lblTimer2->setBuddy(m_txtTimer2);
    m_txtTimer2->setAccessibleName(LoadResText(518));
    timerLayout->addWidget(m_chkTimerUse2);
    timerLayout->addWidget(m_txtTimer2);
    timerLayout->addWidget(lblTimer2);
    layout->addWidget(timer, 3, 0, 1, 4);
    connect(m_chkTimerUse2, &QCheckBox::clicked, this, [this] { chkTimerUse2_Click(); });
    chkTimerUse2_Click();

    auto *move = named(new QPushButton, QStringLiteral("cmdSelectMove"), 519);
    auto *home = named(new QPushButton, QStringLiteral("cmdHome"), 535);
    auto *stop = named(new QPushButton, QStringLiteral("cmdStop2"), 520);
    auto *pause = named(new QPushButton, QStringLiteral("cmdTempStop2"), 521);
    connect(move, &QPushButton::clicked, this, [this] { m_runner.cmdSelectMove_Click(); });
    connect(home, &QPushButton::clicked, this, [this] { m_runner.cmdHome_Click(); });
    connect(stop, &QPushButton::clicked, this, [this] { m_runner.cmdStop2_Click(); });
    connect(pause, &QPushButton::clicked, this, [this] { m_runner.cmdTempStop2_Click(); });
    layout->addWidget(move, 4, 0);
    layout->addWidget(home, 4, 1);
    layout->addWidget(stop, 4, 2);
    layout->addWidget(pause, 4, 3);
}

void frmMove::buildGroupPage(QWidget *page)
{
    auto *layout = new QGridLayout(page);
    auto *title = named(new QLabel, QStringLiteral("lblGrpNoHyoji"), 536);
    m_lblGrpNo = named(new QLabel(QStringLiteral("1")), QStringLiteral("lblGrpNo"));
    m_lblGrpNo->setFrameShape(QFrame::Panel);
    m_lblGrpNo->setMinimumWidth(40);
    m_sldrGrp = named(new QSlider(Qt::Horizontal), QStringLiteral("sldrGrpNo"));
    m_sldrGrp->setRange(1, 99);
    m_updownGrp = named(new QSpinBox, QStringLiteral("UpDown2"));
    m_updownGrp->setRange(1, 99);
    m_updownGrp->setFixedWidth(20);
    title->setBuddy(m_sldrGrp);
    for (QWidget *w : std::initializer_list<QWidget *>{m_lblGrpNo, m_sldrGrp, m_updownGrp})
        w->setAccessibleName(LoadResText(536));
    layout->addWidget(title, 0, 0);
    layout->addWidget(m_lblGrpNo, 0, 1);
    layout->addWidget(m_updownGrp, 0, 2);
    layout->addWidget(m_sldrGrp, 0, 3);
    connect(m_sldrGrp, &QSlider::valueChanged, this, [this](int v) {
        m_lblGrpNo->setText(QString::number(v));
        const QSignalBlocker block(m_updownGrp);
        m_updownGrp->setValue(v);
    });
    connect(m_updownGrp, &QSpinBox::valueChanged, this, [this](int v) {
        m_lblGrpNo->setText(QString::number(v));
        m_sldrGrp->setValue(int(tables::leadingNumber(m_lblGrpNo->text())));
    });
    auto *move = named(new QPushButton, QStringLiteral("cmdGrpMove"), 542);
    connect(move, &QPushButton::clicked, this, [this] { m_runner.cmdGrpMove_Click(); });
    layout->addWidget(move, 1, 0);
    layout->setRowStretch(2, 1);
}

QWidget *frmMove::control(const QString &name) const
{
    return findChild<QWidget *>(name);
}

QString frmMove::programStep(int step) const
{
    if (step < 1 || step > operation::moveprogram::kSteps)
        return QString();
    const QTableWidgetItem *item = m_grid->item(0, step - 1);
    return item ? item->text() : QString();
}

bool frmMove::isChecked(const QString &name) const
{
    const auto *button = qobject_cast<QAbstractButton *>(control(name));
    return button && button->isChecked();
}

QString frmMove::text(const QString &name) const
{
    QWidget *w = control(name);
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text();
    return QString();
}

bool frmMove::isEnabled(const QString &name) const
{
    const QWidget *w = control(name);
    return w && w->isEnabled();
}

void frmMove::setEnabled(const QString &name, bool on)
{
    if (QWidget *w = control(name))
        w->setEnabled(on);
}

void frmMove::setPageEnabled(int page, bool on)
{
    if (page >= 0 && page < m_tab->count())
        m_tab->setTabEnabled(page, on);
}

bool frmMove::singleMove() const
{
    return m_optMoveWay[1]->isChecked();
}

void frmMove::MoveCMDBTN_Muko()
{
    for (const char *name : {"cmdMove", "cmdInp1toF", "cmdDataClear", "optSelectMode0",
                             "optSelectMode1", "chkTimerUse", "txtTimer", "chkRepeat",
                             "chkNoSqMcr1", "cmdHome", "cmdSelectMove", "chkRepeat2",
                             "chkNoSqMcr2", "chkTimerUse2", "framMoveWay", "optMoveWay0",
                             "optMoveWay1", "lblRepMovStart", "lblRepMovEnd", "lblStartPosiNo",
                             "lblEndPosiNo", "updownStartPosiNo", "updownEndPosiNo",
                             "sldrStartPosiNo", "sldrEndPosiNo", "cmdGrpMove", "lblGrpNo",
                             "UpDown2", "sldrGrpNo", "cmdMoveWinClose"})
        setEnabled(QLatin1String(name), false);
}

void frmMove::MoveCMDBTN_Yuko()
{
    for (const char *name : {"cmdMove", "cmdInp1toF", "cmdDataClear", "optSelectMode0",
                             "optSelectMode1", "chkTimerUse", "txtTimer", "chkRepeat",
                             "chkNoSqMcr1", "cmdHome", "cmdSelectMove", "chkRepeat2",
                             "chkNoSqMcr2", "framMoveWay", "optMoveWay0", "optMoveWay1",
                             "lblRepMovStart", "lblRepMovEnd", "lblStartPosiNo", "lblEndPosiNo",
                             "updownStartPosiNo", "updownEndPosiNo", "sldrStartPosiNo",
                             "sldrEndPosiNo", "cmdGrpMove", "lblGrpNo", "UpDown2", "sldrGrpNo",
                             "cmdMoveWinClose"})
        setEnabled(QLatin1String(name), true);
    m_chkTimerUse2->setEnabled(!singleMove());
    if (m_chkTimerUse2->isChecked())
        m_txtTimer2->setEnabled(true);
}

void frmMove::setFocusTo(const QString &name)
{
    if (QWidget *w = control(name))
        w->setFocus();
}

void frmMove::runEnded()
{
    if (m_closeAfterRun)
        deleteLater();
}

void frmMove::MoveStateHyoji(int value)
{
    if (value < 0 || value > 3)
        return;
    m_imgOutGreen[0]->setVisible(value & 1);
    m_imgOutGreen[1]->setVisible(value & 2);
}

void frmMove::setReachedPosition(const QString &text)
{
    m_lblkanryoNo->setText(text);
}

void frmMove::enableDwellControls()
{
    m_chkTimerUse->setEnabled(true);
    if (m_chkTimerUse->isChecked())
        m_txtTimer->setEnabled(true);
}

void frmMove::cmdDataClear_Click()
{
    for (int k = 0; k < operation::moveprogram::kSteps; ++k)
        m_grid->item(0, k)->setText(QString());
}

void frmMove::cmdInp1toF_Click()
{
    for (int k = 0; k < operation::moveprogram::kSteps; ++k)
        m_grid->item(0, k)->setText(QString::number(k + 1));
}

void frmMove::optMoveWay_Click(int index)
{
    const bool continual = index == 0;
    m_lblEnd->setEnabled(continual);
    m_sldrEnd->setEnabled(continual);
    m_updownEnd->setEnabled(continual);
    m_lblEnd->setText(m_lblStart->text());
    {
        const QSignalBlocker block(m_updownEnd);
        m_updownEnd->setValue(int(tables::leadingNumber(m_lblEnd->text())));
    }
    setBoxBackground(m_lblEnd, continual);
    m_chkTimerUse2->setEnabled(continual);
    setEnabled(QStringLiteral("framTimer2"), continual);
    setEnabled(QStringLiteral("chkRepeat2"), continual);
    const bool timer = continual && m_chkTimerUse2->isChecked();
    setEnabled(QStringLiteral("lblTimer2"), timer);
    m_txtTimer2->setEnabled(timer);
    setBoxBackground(m_txtTimer2, timer);
    // The end slider follows the label, so the range the run reads is the one shown.
    m_sldrEnd->setValue(int(tables::leadingNumber(m_lblEnd->text())));
}

void frmMove::sldrStartPosiNo_Change()
{
    const int start = m_sldrStart->value();
    if (singleMove() || start > m_sldrEnd->value())
        m_sldrEnd->setValue(start);
    m_lblStart->setText(QString::number(start));
    const QSignalBlocker block(m_updownStart);
    m_updownStart->setValue(start);
}

void frmMove::sldrEndPosiNo_Change()
{
    const int end = m_sldrEnd->value();
    if (!singleMove() && end < m_sldrStart->value())
        m_sldrStart->setValue(end);
    m_lblEnd->setText(QString::number(end));
    const QSignalBlocker block(m_updownEnd);
    m_updownEnd->setValue(end);
}

void frmMove::updownStartPosiNo_Change(int value)
{
    m_lblStart->setText(QString::number(value));
    const int start = int(tables::leadingNumber(m_lblStart->text()));
    const int end = int(tables::leadingNumber(m_lblEnd->text()));
    if (!singleMove() && start > end)
        m_lblEnd->setText(m_lblStart->text());
    else if (singleMove())
        m_sldrEnd->setValue(value);
    m_sldrStart->setValue(start);
}

void frmMove::updownEndPosiNo_Change(int value)
{
    m_lblEnd->setText(QString::number(value));
    const int start = int(tables::leadingNumber(m_lblStart->text()));
    if (!singleMove() && value < start)
        m_lblStart->setText(m_lblEnd->text());
    m_sldrEnd->setValue(int(tables::leadingNumber(m_lblEnd->text())));
}

void frmMove::chkTimerUse_Click()
{
    const bool on = m_chkTimerUse->isChecked();
    setEnabled(QStringLiteral("lblTimer"), on);
    m_txtTimer->setEnabled(on);
    setBoxBackground(m_txtTimer, on);
    if (!on) {
        m_runner.Timer2.stop();
        m_runner.Timer2.setInterval(0);
    }
}

void frmMove::chkTimerUse2_Click()
{
    const bool on = m_chkTimerUse2->isChecked();
    setEnabled(QStringLiteral("lblTimer2"), on);
    m_txtTimer2->setEnabled(on);
    setBoxBackground(m_txtTimer2, on);
    if (!on) {
        m_runner.Timer2.stop();
        m_runner.Timer2.setInterval(0);
    }
}

void frmMove::txtTimer_Confirm()
{
    bool accepted = false;
    m_txtTimer->setText(operation::moveprogram::dwellText(m_txtTimer->text(), &accepted));
    if (!accepted)
        platform::beep();
    setFocusTo(QStringLiteral("chkRepeat"));
}

bool frmMove::Form_QueryUnload(int unloadMode)
{
    if (unloadMode == 0 && gCmdNow) {
        if (ResMsgBox({570}, platform::MbOkCancel | platform::MbQuestion) != platform::IdOk)
            return false;
    }
    if (m_runner.running()) {
        // The run is on the stack beneath this call: it is told to stop, and the window
        // goes when the dispatcher has finished with it.
        m_runner.requestStopAll();
        m_closeAfterRun = true;
        hide();
        return false;
    }
    return true;
}

void frmMove::closeEvent(QCloseEvent *event)
{
    if (!Form_QueryUnload(event->spontaneous() ? 0 : 1))
        event->ignore();
    else
        event->accept();
}

void ShowMoveWindow()
{
    frmMove *window = frmMove::instance();
    // The main window owns it, so the program ends with the main window.
    if (!window)
        window = new frmMove(core::mainform::window());
    window->show();
    window->raise();
    window->activateWindow();
}

namespace operation {

void registerMoveWindow()
{
    for (const char *name : {"ShowMoveWindow", "cmdOpenMoveWin_Click", "mnuShowMove_Click"}) {
        core::mainform::setCommand(QLatin1String(name), [] {
            ShowMoveWindow();
            return 0;
        });
    }
}

} // namespace operation
