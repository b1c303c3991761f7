#include "editors/frmGrp.h"

#include "core/BusyGuard.h"
#include "core/FormText.h"
#include "core/MainForm.h"
#include "core/WinFlags.h"
#include "editors/GrpCommands.h"
#include "tables/GrpTable.h"
#include "link/LinkState.h"
#include "platform/FocusGuard.h"
#include "platform/KeyInput.h"
#include "platform/Screen.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPointer<frmGrp> g_window;
constexpr int kRows = 33;

} // namespace

frmGrp::frmGrp(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmGrp"));
    setAttribute(Qt::WA_DeleteOnClose);
    core::formtext::tagWindow(this, 801);

    auto *outer = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    m_framHyoujiNo = new QGroupBox(this);
    m_framHyoujiNo->setObjectName(QStringLiteral("framHyoujiNo"));
    core::formtext::tag(m_framHyoujiNo, 804);
    auto *pages = new QVBoxLayout(m_framHyoujiNo);
    m_optGrpNo = new QButtonGroup(this);
    const char *captions[] = {"No. 1 - 33", "No.34 - 66", "No.67 - 99"};
    for (int p = 0; p < 3; ++p) {
        auto *opt = new QRadioButton(QLatin1String(captions[p]), m_framHyoujiNo);
        opt->setObjectName(QStringLiteral("optGrpNo_%1").arg(p));
        m_optGrpNo->addButton(opt, p);
        pages->addWidget(opt);
    }
    m_optGrpNo->button(0)->setChecked(true);
    connect(m_optGrpNo, &QButtonGroup::idClicked, this, [this](int p) { optGrpNo_Click(p); });
    left->addWidget(m_framHyoujiNo);

    auto *grid = new QGridLayout;
    auto *lblStart = new QLabel(this);
    lblStart->setObjectName(QStringLiteral("lblStartPosi"));
    core::formtext::tag(lblStart, 802);
    auto *lblEnd = new QLabel(this);
    lblEnd->setObjectName(QStringLiteral("lblEndPosi"));
    core::formtext::tag(lblEnd, 803);
    grid->addWidget(lblStart, 0, 1);
    grid->addWidget(lblEnd, 0, 2);
    for (int i = 0; i < kRows; ++i) {
        m_lblGrpNo[i] = new QLabel(QStringLiteral("%1.").arg(i + 1), this);
        m_lblGrpNo[i]->setObjectName(QStringLiteral("lblGrpNo_%1").arg(i));
        m_txtGrpStartNo[i] = new QLineEdit(this);
        m_txtGrpStartNo[i]->setObjectName(QStringLiteral("txtGrpStartNo_%1").arg(i));
        m_txtGrpEndNo[i] = new QLineEdit(this);
        m_txtGrpEndNo[i]->setObjectName(QStringLiteral("txtGrpEndNo_%1").arg(i));
        for (QLineEdit *box : {m_txtGrpStartNo[i], m_txtGrpEndNo[i]}) {
            box->installEventFilter(this);
            box->setValidator(editors::newGrpBoxValidator(box));
            box->setMaximumWidth(60);
        }
        m_lblGrpNo[i]->setBuddy(m_txtGrpStartNo[i]);
        const int row = 1 + i % 11;
        const int col = 3 * (i / 11);
        grid->addWidget(m_lblGrpNo[i], row, col);
        grid->addWidget(m_txtGrpStartNo[i], row, col + 1);
        grid->addWidget(m_txtGrpEndNo[i], row, col + 2);
    }
    // Every third column pair carries the column heads.
    for (int block = 1; block < 3; ++block) {
        auto *s = new QLabel(lblStart->text(), this);
        s->setAccessibleName(lblStart->text());
        auto *e = new QLabel(lblEnd->text(), this);
        e->setAccessibleName(lblEnd->text());
        core::formtext::tag(s, 802);
        core::formtext::tag(e, 803);
        grid->addWidget(s, 0, 3 * block + 1);
        grid->addWidget(e, 0, 3 * block + 2);
    }
    left->addLayout(grid);
    outer->addLayout(left, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(button("cmdReadGrp", 805, &GrpReadFromCt, true));
    buttons->addWidget(button("cmdGrpFileOpen", 806, &GrpFileOpen, false));
    buttons->addWidget(button("cmdWriteGrp", 807, &GrpWriteToCt, true));
    buttons->addWidget(button("cmdGrpFileSave", 808, &GrpFileSave, false));
    buttons->addWidget(button("cmdGrpCtVerify", 809, &GrpCtShogo, true));
    buttons->addWidget(button("cmdGrpFileVerify", 810, &GrpFileShogo, false));
    buttons->addWidget(button("cmdGrpDataPrint", 811, &GrpDispPrint, false));
    buttons->addWidget(button("cmdGrpFilePrint", 812, &GrpFilePrint, false));
    auto *closeButton = new QPushButton(this);
    closeButton->setObjectName(QStringLiteral("cmdCloseGrpWindow"));
    core::formtext::tag(closeButton, 813);
    connect(closeButton, &QPushButton::clicked, this, [this] {
        if (!commandRefused())
            close();
    });
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    outer->addLayout(buttons);

    // The order the switches name them in.
    const char *order[] = {"cmdReadGrp",     "cmdWriteGrp",     "cmdGrpCtVerify", "cmdGrpFileVerify",
                           "cmdGrpFileOpen", "cmdGrpFileSave",  "cmdGrpDataPrint", "cmdGrpFilePrint"};
    for (const char *name : order)
        m_commands << findChild<QPushButton *>(QLatin1String(name));
    m_commands << closeButton;

    Set_FormStr(this);
    for (QPushButton *b : std::as_const(m_commands))
        b->setAccessibleName(b->text());
    for (int i = 0; i < kRows; ++i) {
        m_txtGrpStartNo[i]->setAccessibleName(lblStart->text() + QLatin1Char(' ') + m_lblGrpNo[i]->text());
        m_txtGrpEndNo[i]->setAccessibleName(lblEnd->text() + QLatin1Char(' ') + m_lblGrpNo[i]->text());
    }

    // The groups were set once as the program started; the window shows what they hold now.
    GrpPageHyoji();

    platform::placeBesideOwner(this, parent);
    // The first group's start takes the first focus; the controller's commands only by aim.
    platform::keepFocusOffActs(*this, m_txtGrpStartNo[0],
                               {findChild<QPushButton *>(QStringLiteral("cmdReadGrp")),
                                findChild<QPushButton *>(QStringLiteral("cmdWriteGrp")),
                                findChild<QPushButton *>(QStringLiteral("cmdGrpCtVerify"))});
}

frmGrp *frmGrp::instance()
{
    return g_window;
}

frmGrp *frmGrp::showWindow()
{
    if (!g_window) {
        auto *main = core::mainform::window();
        g_window = new frmGrp(main);
    }
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
    return g_window;
}

QPushButton *frmGrp::button(const char *name, int id, void (*body)(), bool controller)
{
    auto *b = new QPushButton(this);
    b->setObjectName(QLatin1String(name));
    core::formtext::tag(b, id);
    connect(b, &QPushButton::clicked, this, [this, body, controller] {
        if (controller)
            runControllerCommand(body);
        else
            runFileCommand(body);
    });
    return b;
}

int frmGrp::page() const
{
    return qMax(0, m_optGrpNo->checkedId());
}

void frmGrp::setCommandsEnabled(bool on)
{
    for (QPushButton *b : std::as_const(m_commands)) {
        if (b == m_commands.last())
            m_framHyoujiNo->setEnabled(on);
        b->setEnabled(on);
    }
}

void frmGrp::GrpCMDBTN_Muko()
{
    setCommandsEnabled(false);
}

void frmGrp::GrpCMDBTN_Yuko()
{
    setCommandsEnabled(true);
}

void frmGrp::runControllerCommand(void (*body)())
{
    if (commandRefused())
        return;
    BusyGuard busy;
    AllCMD_Muko();
    GrpCMDBTN_Muko();
    gCmdNow = true;
    body();
    gCmdNow = false;
    AllCMD_Yuko();
    GrpCMDBTN_Yuko();
    GrpPageHyoji();
}

void frmGrp::runFileCommand(void (*body)())
{
    if (commandRefused())
        return;
    BusyGuard busy;
    gFileCmdNow = true;
    AllCMD_Muko();
    GrpCMDBTN_Muko();
    body();
    AllCMD_Yuko();
    GrpCMDBTN_Yuko();
    gFileCmdNow = false;
    GrpPageHyoji();
}

void frmGrp::GrpPageHyoji()
{
    const int p = page();
    for (int i = 0; i < kRows; ++i) {
        const int g = 33 * p + i + 1;
        m_txtGrpStartNo[i]->setText(QString::number(gGrpData[g][0]));
        m_txtGrpEndNo[i]->setText(QString::number(gGrpData[g][1]));
    }
}

void frmGrp::optGrpNo_Click(int p)
{
    for (int i = 0; i < kRows; ++i)
        m_lblGrpNo[i]->setText(QStringLiteral("%1.").arg(33 * p + i + 1));
    GrpPageHyoji();
}

void frmGrp::storeBox(QLineEdit *box)
{
    const int g0 = 33 * page() + 1;
    for (int i = 0; i < kRows; ++i) {
        if (box == m_txtGrpStartNo[i])
            gGrpData[g0 + i][0] = editors::grpBoxValue(box->text());
        else if (box == m_txtGrpEndNo[i])
            gGrpData[g0 + i][1] = editors::grpBoxValue(box->text());
    }
}

bool frmGrp::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        storeBox(box);
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            for (int i = 0; i < kRows; ++i) {
                if (box == m_txtGrpStartNo[i])
                    m_txtGrpEndNo[i]->setFocus();
                else if (box == m_txtGrpEndNo[i])
                    m_txtGrpStartNo[(i + 1) % kRows]->setFocus();
            }
            return true;
        }
        return platform::dropsTypedKey(*key, [box](QChar c) { return editors::grpBoxKeyAccepted(box->text(), c); });
    }
    return QWidget::eventFilter(watched, event);
}

void frmGrp::closeEvent(QCloseEvent *event)
{
    // A command running in a wait below must finish before its window goes.
    if (gCmdNow || gFileCmdNow || BusyGuard::busy()) {
        event->ignore();
        return;
    }
    // The last edit of a box counts even when the window closes with its focus in it.
    if (auto *box = qobject_cast<QLineEdit *>(focusWidget()))
        storeBox(box);
    event->accept();
}

namespace editors {

void registerGrpWindowCommands()
{
    const auto open = [] {
        EditCMD_Muko();
        frmGrp::showWindow();
        return 0;
    };
    for (const char *name : {"cmdOpenGrpWindow_Click", "mnuShowGroup_Click", "ShowGrpWindow"})
        core::mainform::setCommand(QLatin1String(name), open);
}

} // namespace editors
