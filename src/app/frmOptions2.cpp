#include "app/frmOptions2.h"

#include "core/FormText.h"
#include "core/Messages.h"
#include "app/Options.h"
#include "platform/Beep.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kTwipsPerPixel = 15;

QWidget *tabPage(QTabWidget *tabs, int textId)
{
    auto *page = new QWidget;
    tabs->addTab(page, QString());
    core::formtext::tagTab(page, textId);
    return page;
}

// Options that belong together but sit in no frame of their own still exclude each other.
void groupOf(QWidget *owner, std::initializer_list<QRadioButton *> buttons)
{
    auto *group = new QButtonGroup(owner);
    for (QRadioButton *b : buttons)
        group->addButton(b);
}
} // namespace

frmOptions2::frmOptions2(QWidget *parent)
    : QDialog(parent)
{
    setModal(true);
    buildLayout();
    Form_Load();
}

void frmOptions2::buildLayout()
{
    core::formtext::tagWindow(this, 2501);
    SSTabOption = new QTabWidget(this);

    // RS-232C
    QWidget *port = tabPage(SSTabOption, 2505);
    lblPortNo = new QLabel(port);
    core::formtext::tag(lblPortNo, 2509);
    txtPortNo = new QLineEdit(port);
    txtPortNo->setMaxLength(1);
    txtPortNo->setFixedWidth(32);
    txtPortNo->setAccessibleName(lblPortNo->text());
    lblPortNo->setBuddy(txtPortNo);
    UpDown2Up = new QToolButton(port);
    UpDown2Up->setArrowType(Qt::UpArrow);
    UpDown2Up->setAccessibleName(QStringLiteral("+1"));
    UpDown2Down = new QToolButton(port);
    UpDown2Down->setArrowType(Qt::DownArrow);
    UpDown2Down->setAccessibleName(QStringLiteral("-1"));
    lblPortDevice = new QLabel(port);
    lblPortDevice->setObjectName(QStringLiteral("lblPortDevice"));
    chkPortOccupy = new QCheckBox(port);
    core::formtext::tag(chkPortOccupy, 2510);
    chkPortOccupy->setVisible(false);
    chkPortOccupy->setEnabled(false);
    auto *portRow = new QHBoxLayout;
    portRow->addWidget(lblPortNo);
    portRow->addWidget(txtPortNo);
    auto *updown = new QVBoxLayout;
    updown->setSpacing(0);
    updown->addWidget(UpDown2Up);
    updown->addWidget(UpDown2Down);
    portRow->addLayout(updown);
    portRow->addWidget(lblPortDevice, 1);
    auto *portLayout = new QVBoxLayout(port);
    portLayout->addLayout(portRow);
    portLayout->addWidget(chkPortOccupy);
    portLayout->addStretch(1);

    // Posi: the rounding of millimetres to pulses
    QWidget *posi = tabPage(SSTabOption, 2506);
    Label1 = new QLabel(posi);
    Label1->setWordWrap(true);
    core::formtext::tag(Label1, 2511);
    auto *posiLayout = new QVBoxLayout(posi);
    posiLayout->addWidget(Label1);
    for (int i = 0; i < 2; ++i) {
        optSutiSyori[i] = new QRadioButton(posi);
        core::formtext::tag(optSutiSyori[i], 2512 + i);
        core::formtext::tagTip(optSutiSyori[i], 2514 + i);
        posiLayout->addWidget(optSutiSyori[i]);
    }
    posiLayout->addStretch(1);

    // Unit
    QWidget *unit = tabPage(SSTabOption, 2507);
    framHyojiUnit = new QGroupBox(unit);
    core::formtext::tag(framHyojiUnit, 2520);
    auto *unitFrame = new QVBoxLayout(framHyojiUnit);
    for (int i = 0; i < 2; ++i) {
        optHyojiKirikae[i] = new QRadioButton(framHyojiUnit);
        core::formtext::tag(optHyojiKirikae[i], 2521 + i);
        unitFrame->addWidget(optHyojiKirikae[i]);
    }
    auto *unitLayout = new QVBoxLayout(unit);
    unitLayout->addWidget(framHyojiUnit);
    unitLayout->addStretch(1);

    // Language
    QWidget *lang = tabPage(SSTabOption, 2508);
    framLanguege = new QGroupBox(lang);
    core::formtext::tag(framLanguege, 2526);
    // The table has this caption in English only; the layout carries the Japanese one.
    framLanguege->setTitle(QStringLiteral("言語選択"));
    auto *langFrame = new QVBoxLayout(framLanguege);
    for (int i = 0; i < 2; ++i) {
        optLanguege[i] = new QRadioButton(framLanguege);
        core::formtext::tag(optLanguege[i], 2527 + i);
        langFrame->addWidget(optLanguege[i]);
    }
    framAccDcc = new QGroupBox(lang);
    core::formtext::tag(framAccDcc, 2530);
    auto *accFrame = new QVBoxLayout(framAccDcc);
    for (int i = 0; i < 2; ++i) {
        optAccDcc[i] = new QRadioButton(framAccDcc);
        core::formtext::tag(optAccDcc[i], 2531 + i);
        accFrame->addWidget(optAccDcc[i]);
    }
    auto *langLayout = new QVBoxLayout(lang);
    langLayout->addWidget(framLanguege);
    langLayout->addWidget(framAccDcc);
    langLayout->addStretch(1);

    // Teaching
    QWidget *teach = tabPage(SSTabOption, 2543);
    lblJogVelSetumei = new QLabel(teach);
    lblJogVelSetumei->setWordWrap(true);
    core::formtext::tag(lblJogVelSetumei, 2544);
    lblJogVelCap = new QLabel(teach);
    core::formtext::tag(lblJogVelCap, 2545);
    txtJogVel = new QLineEdit(teach);
    txtJogVel->setMaxLength(2);
    txtJogVel->setFixedWidth(48);
    lblJogVelCap->setBuddy(txtJogVel);
    txtJogVel->setAccessibleName(lblJogVelCap->text());
    lblJogAccCap = new QLabel(teach);
    core::formtext::tag(lblJogAccCap, 2546);
    pictureJogAcc = new QWidget(teach);
    pictureJogAcc->setFocusPolicy(Qt::StrongFocus);
    pictureJogAcc->setAccessibleName(lblJogAccCap->text());
    lblJogAccCap->setBuddy(pictureJogAcc);
    lblJogAcc2Cap = new QLabel(teach);
    core::formtext::tag(lblJogAcc2Cap, 2547);
    pictureJogAcc2 = new QWidget(teach);
    pictureJogAcc2->setAccessibleName(lblJogAcc2Cap->text());
    lblJogAcc2Cap->setBuddy(pictureJogAcc2);
    auto *accRow = new QHBoxLayout(pictureJogAcc);
    auto *acc2Row = new QHBoxLayout(pictureJogAcc2);
    for (int i = 0; i < 3; ++i) {
        optJogAcc[i] = new QRadioButton(QString::number(i + 1), pictureJogAcc);
        accRow->addWidget(optJogAcc[i]);
        optJogAcc2[i] = new QRadioButton(QString::number(i + 1), pictureJogAcc2);
        acc2Row->addWidget(optJogAcc2[i]);
    }
    groupOf(this, {optJogAcc[0], optJogAcc[1], optJogAcc[2]});
    groupOf(this, {optJogAcc2[0], optJogAcc2[1], optJogAcc2[2]});
    auto *teachLayout = new QGridLayout(teach);
    teachLayout->addWidget(lblJogVelSetumei, 0, 0, 1, 2);
    teachLayout->addWidget(lblJogVelCap, 1, 0);
    teachLayout->addWidget(txtJogVel, 1, 1, Qt::AlignLeft);
    teachLayout->addWidget(lblJogAccCap, 2, 0);
    teachLayout->addWidget(pictureJogAcc, 2, 1);
    teachLayout->addWidget(lblJogAcc2Cap, 3, 0);
    teachLayout->addWidget(pictureJogAcc2, 3, 1);
    teachLayout->setRowStretch(4, 1);

    cmdOK = new QPushButton(this);
    core::formtext::tag(cmdOK, 1403);
    cmdCancel = new QPushButton(this);
    core::formtext::tag(cmdCancel, 1404);
    cmdApply = new QPushButton(this);
    core::formtext::tag(cmdApply, 2202);
    cmdOK->setAutoDefault(false);
    cmdCancel->setAutoDefault(false);
    cmdApply->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdApply);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTabOption, 1);
    layout->addLayout(buttons);
    resize(6500 / kTwipsPerPixel, 4500 / kTwipsPerPixel);

    txtPortNo->installEventFilter(this);
    txtJogVel->installEventFilter(this);
    connect(txtPortNo, &QLineEdit::textChanged, this, &frmOptions2::showPortDevice);
    connect(UpDown2Up, &QToolButton::clicked, this, [this] { stepPort(1); });
    connect(UpDown2Down, &QToolButton::clicked, this, [this] { stepPort(-1); });
    connect(SSTabOption, &QTabWidget::currentChanged, this, [this](int now) {
        const int previous = m_tab;
        m_tab = now;
        SSTabOption_Click(previous);
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions2::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdApply, &QPushButton::clicked, this, &QDialog::reject);
}

void frmOptions2::Form_Load()
{
    platform::placeBesideOwner(this, parentWidget());
    Set_FormStr(this);

    const app::options::Loaded l = app::options::load();
    txtPortNo->setText(l.portText.left(1));
    showPortDevice();
    if (l.japanese)
        optLanguege[0]->setChecked(true);
    else
        optLanguege[1]->setChecked(true);
    optLanguege[0]->setEnabled(l.japaneseEnabled);
    optHyojiKirikae[l.mmUnit ? 1 : 0]->setChecked(true);
    optSutiSyori[l.roundUp ? 0 : 1]->setChecked(true);
    chkPortOccupy->setChecked(l.portOccupy);
    txtJogVel->setText(l.velText.left(2));
    if (l.acc >= 1 && l.acc <= 3)
        optJogAcc[l.acc - 1]->setChecked(true);
    if (l.acc2 >= 1 && l.acc2 <= 3)
        optJogAcc2[l.acc2 - 1]->setChecked(true);
}

void frmOptions2::showPortDevice()
{
    const int n = app::options::boxNumber(txtPortNo->text());
    lblPortDevice->setText(n >= 1 && n <= 9 ? QStringLiteral("(%1)").arg(app::options::portDevice(n)) : QString());
}

void frmOptions2::stepPort(int delta)
{
    const int n = app::options::boxNumber(txtPortNo->text());
    const int next = qBound(1, (n >= 1 && n <= 9 ? n : 1) + (n >= 1 && n <= 9 ? delta : 0), 9);
    txtPortNo->setText(QString::number(next));
}

int frmOptions2::JogVelCheck()
{
    if (app::options::jogVelValid(txtJogVel->text()))
        return 0;
    ResMsgBox({2225}, platform::MbOkOnly);
    return 1;
}

void frmOptions2::focusJogVel()
{
    txtJogVel->setFocus();
    txtJogVel->selectAll();
}

void frmOptions2::SSTabOption_Click(int previousTab)
{
    if (m_guardingTab || previousTab != kTeachingTab)
        return;
    if (JogVelCheck() == 1) {
        m_guardingTab = true;
        SSTabOption->setCurrentIndex(kTeachingTab);
        m_guardingTab = false;
        focusJogVel();
    }
}

bool frmOptions2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || (watched != txtPortNo && watched != txtJogVel))
        return QDialog::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    QChar ch;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        ch = QChar(13);
    else if (key->key() == Qt::Key_Backspace)
        ch = QChar(8);
    else if (!key->text().isEmpty() && key->text().at(0).isPrint())
        ch = key->text().at(0);
    else
        return QDialog::eventFilter(watched, event); // moves and deletions are not typing

    app::options::KeyVerdict verdict;
    if (watched == txtPortNo)
        verdict = app::options::portKey(ch, int(txtPortNo->text().size()));
    else
        verdict = app::options::jogVelKey(ch, int(txtJogVel->text().size()), txtJogVel->hasSelectedText());

    switch (verdict) {
    case app::options::KeyVerdict::Pass:
        return false;
    case app::options::KeyVerdict::Drop:
        platform::beep(); // a refused key is told, as in every other field
        return true;
    case app::options::KeyVerdict::EnterMoves:
        if (watched == txtPortNo)
            cmdOK->setFocus();
        else
            optJogAcc[0]->setFocus();
        return true;
    }
    return true;
}

void frmOptions2::cmdOK_Click()
{
    if (JogVelCheck() == 1) {
        m_guardingTab = true;
        SSTabOption->setCurrentIndex(kTeachingTab);
        m_guardingTab = false;
        focusJogVel();
        return;
    }
    app::options::Choices c;
    c.portText = txtPortNo->text();
    c.japanese = optLanguege[0]->isChecked();
    c.mmUnit = !optHyojiKirikae[0]->isChecked();
    c.roundUp = optSutiSyori[0]->isChecked();
    c.portOccupy = chkPortOccupy->isChecked();
    c.velText = txtJogVel->text();
    for (int i = 0; i < 3; ++i) {
        if (optJogAcc[i]->isChecked())
            c.acc = i + 1;
        if (optJogAcc2[i]->isChecked())
            c.acc2 = i + 1;
    }
    const app::options::Outcome out = app::options::apply(c);
    if (out.unitRefused)
        ResMsgBox({2541, 2542}, platform::MbOkOnly);
    accept();
}
