#include "editors/frmSqMcr.h"

#include "core/BusyGuard.h"
#include "core/FormText.h"
#include "core/MainForm.h"
#include "core/WinFlags.h"
#include "editors/GrpSmPrint.h"
#include "editors/SmCommands.h"
#include "tables/SmTable.h"
#include "link/LinkState.h"
#include "platform/Beep.h"
#include "platform/FocusGuard.h"
#include "platform/KeyInput.h"
#include "platform/Screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QPointer<frmSqMcr> g_window;

const char *const kCommandTexts[] = {"0. END",    "1. IN-ON", "2. IN-OFF",  "3. OUT-ON",
                                     "4. OUT-OFF", "5. TIMER", "6. TIMER10"};

} // namespace

frmSqMcr::frmSqMcr(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmSqMcr"));
    setAttribute(Qt::WA_DeleteOnClose);
    core::formtext::tagWindow(this, 901);

    auto *outer = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    auto *numberRow = new QHBoxLayout;
    auto *lblSqMacro = new QLabel(this);
    lblSqMacro->setObjectName(QStringLiteral("lblSqMacro"));
    core::formtext::tag(lblSqMacro, 902);
    m_lblSqMacroNo = new QLabel(QStringLiteral("1"), this);
    m_lblSqMacroNo->setObjectName(QStringLiteral("lblSqMacroNo"));
    m_UpDownSmNo = new QSpinBox(this);
    m_UpDownSmNo->setObjectName(QStringLiteral("UpDownSmNo"));
    m_UpDownSmNo->setRange(1, kSmMacros);
    m_UpDownSmNo->setValue(1);
    lblSqMacro->setBuddy(m_UpDownSmNo);
    connect(m_UpDownSmNo, &QSpinBox::valueChanged, this, [this](int m) {
        m_lblSqMacroNo->setText(QString::number(m));
        SmDataHyoji();
    });
    // The spin box shows the number; the label only holds it for the window's events.
    m_lblSqMacroNo->hide();
    numberRow->addWidget(lblSqMacro);
    numberRow->addWidget(m_UpDownSmNo);
    numberRow->addStretch(1);
    left->addLayout(numberRow);

    auto *grid = new QGridLayout;
    const struct
    {
        const char *name;
        int id;
    } heads[] = {{"lblStep", 914}, {"lblSmMeirei", 904}, {"lblSmData", 905}};
    for (int c = 0; c < 3; ++c) {
        auto *l = new QLabel(this);
        l->setObjectName(QLatin1String(heads[c].name));
        core::formtext::tag(l, heads[c].id);
        grid->addWidget(l, 0, c);
    }
    for (int s = 0; s < kSmSteps; ++s) {
        auto *step = new QLabel(QString::number(s + 1), this);
        step->setObjectName(QStringLiteral("lblSqMcrStep_%1").arg(s));
        m_comboMerei[s] = new QComboBox(this);
        m_comboMerei[s]->setObjectName(QStringLiteral("comboMerei_%1").arg(s));
        for (int c = 0; c < 7; ++c)
            m_comboMerei[s]->addItem(QLatin1String(kCommandTexts[c]), c);
        m_comboMerei[s]->installEventFilter(this);
        connect(m_comboMerei[s], &QComboBox::activated, this, [this, s] { comboChosen(s); });
        m_txtSmData[s] = new QLineEdit(this);
        m_txtSmData[s]->setObjectName(QStringLiteral("txtSmData_%1").arg(s));
        m_txtSmData[s]->setMaximumWidth(40);
        m_txtSmData[s]->installEventFilter(this);
        // The box may still be asked while the window is being deleted, after the step's
        // command list has gone (the focus leaves it on the way).
        m_txtSmData[s]->setValidator(editors::newSmDataValidator(
            [command = QPointer<QComboBox>(m_comboMerei[s])] { return command ? command->currentIndex() : 0; },
            m_txtSmData[s]));
        connect(m_txtSmData[s], &QLineEdit::textChanged, this, [this, s](const QString &text) {
            // Showing a macro changes no value; only the operator's and the window's own edits do.
            if (!m_showing)
                gSmData[s][2 * macro() + 1] = editors::smBoxValue(text);
        });
        grid->addWidget(step, s + 1, 0);
        grid->addWidget(m_comboMerei[s], s + 1, 1);
        grid->addWidget(m_txtSmData[s], s + 1, 2);
    }
    left->addLayout(grid);
    outer->addLayout(left, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(button("cmdReadSMfromCt", 906, Wrap::Read, &SmReadFromCt));
    buttons->addWidget(button("cmdWriteSMtoCt", 907, Wrap::Controller, &SmWriteToCt));
    buttons->addWidget(button("cmdSmCTShogo", 908, Wrap::Controller, &SmCtShogo));
    buttons->addWidget(button("cmdSmFileOpen", 909, Wrap::File, &SmFileOpen));
    buttons->addWidget(button("cmdSmFileSave", 910, Wrap::File, &SmFileSave));
    buttons->addWidget(button("cmdSmFileShogo", 911, Wrap::File, &SmFileShogo));
    buttons->addWidget(button("cmdSMDispPrint", 912, Wrap::DispPrint, &SmDispPrint));
    buttons->addWidget(button("cmdSMFilePrint", 913, Wrap::FilePrint, &SmFilePrint));
    auto *closeButton = new QPushButton(this);
    closeButton->setObjectName(QStringLiteral("cmdSqMcrWinClose"));
    core::formtext::tag(closeButton, 2202);
    connect(closeButton, &QPushButton::clicked, this, [this] {
        if (!commandRefused())
            close();
    });
    m_commands << closeButton;
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    outer->addLayout(buttons);

    Set_FormStr(this);
    for (QPushButton *b : std::as_const(m_commands))
        b->setAccessibleName(b->text());
    m_UpDownSmNo->setAccessibleName(lblSqMacro->text());
    const QString command = findChild<QLabel *>(QStringLiteral("lblSmMeirei"))->text();
    const QString data = findChild<QLabel *>(QStringLiteral("lblSmData"))->text();
    for (int s = 0; s < kSmSteps; ++s) {
        m_comboMerei[s]->setAccessibleName(QStringLiteral("%1 %2").arg(command).arg(s + 1));
        m_txtSmData[s]->setAccessibleName(QStringLiteral("%1 %2").arg(data).arg(s + 1));
    }

    // The macros were cleared once as the program started; the window shows what they hold now.
    SmDataHyoji();

    platform::placeBesideOwner(this, parent);
    // The first step's command takes the first focus; the controller's commands only by aim.
    platform::keepFocusOffActs(*this, m_comboMerei[0],
                               {findChild<QPushButton *>(QStringLiteral("cmdReadSMfromCt")),
                                findChild<QPushButton *>(QStringLiteral("cmdWriteSMtoCt")),
                                findChild<QPushButton *>(QStringLiteral("cmdSmCTShogo"))});
}

frmSqMcr *frmSqMcr::instance()
{
    return g_window;
}

frmSqMcr *frmSqMcr::showWindow()
{
    if (!g_window) {
        auto *main = core::mainform::window();
        g_window = new frmSqMcr(main);
    }
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
    return g_window;
}

QPushButton *frmSqMcr::button(const char *name, int id, Wrap wrap, void (*body)())
{
    auto *b = new QPushButton(this);
    b->setObjectName(QLatin1String(name));
    core::formtext::tag(b, id);
    connect(b, &QPushButton::clicked, this, [this, wrap, body] { run(wrap, body); });
    m_commands << b;
    return b;
}

int frmSqMcr::macro() const
{
    return qBound(1, m_lblSqMacroNo->text().toInt(), kSmMacros) - 1;
}

void frmSqMcr::SM_CMDBTN_Muko()
{
    for (QPushButton *b : std::as_const(m_commands))
        b->setEnabled(false);
}

void frmSqMcr::SM_CMDBTN_Yuko()
{
    for (QPushButton *b : std::as_const(m_commands))
        b->setEnabled(true);
}

void frmSqMcr::SmCMDBTN_Muko2()
{
    SM_CMDBTN_Muko();
    m_UpDownSmNo->setEnabled(false);
}

void frmSqMcr::SmCMDBTN_Yuko2()
{
    SM_CMDBTN_Yuko();
    m_UpDownSmNo->setEnabled(true);
}

void frmSqMcr::run(Wrap wrap, void (*body)())
{
    if (commandRefused())
        return;
    BusyGuard busy;
    const bool controller = wrap == Wrap::Read || wrap == Wrap::Controller;
    if (!controller)
        gFileCmdNow = true;
    AllCMD_Muko();
    if (wrap == Wrap::Read || wrap == Wrap::DispPrint)
        SM_CMDBTN_Muko();
    else
        SmCMDBTN_Muko2();
    if (controller)
        gCmdNow = true;
    if (wrap == Wrap::FilePrint)
        gSmPrintFromFile = true;
    else if (wrap == Wrap::DispPrint)
        gSmPrintFromFile = false;
    body();
    gCmdNow = false;
    AllCMD_Yuko();
    // Every way out gives the macro number back, also where it was never taken.
    SmCMDBTN_Yuko2();
    gFileCmdNow = false;
    SmDataHyoji();
}

void frmSqMcr::SmDataHyoji()
{
    const QScopedValueRollback<bool> showing(m_showing, true);
    const int m = macro();
    for (int s = 0; s < kSmSteps; ++s) {
        const int command = gSmData[s][2 * m];
        const int data = gSmData[s][2 * m + 1];
        if (command >= 0 && command <= 6) {
            m_comboMerei[s]->setCurrentIndex(command);
            m_txtSmData[s]->setText(command == 0 ? QString() : QString::number(data));
        } else if (command == 15) {
            m_comboMerei[s]->setCurrentIndex(0);
            m_txtSmData[s]->setText(QString());
        } else {
            // A code without a name: no entry chosen, so the row never shows another step.
            m_comboMerei[s]->setCurrentIndex(-1);
            m_txtSmData[s]->setText(QString::number(data));
        }
    }
}

void frmSqMcr::comboChosen(int s)
{
    const int index = m_comboMerei[s]->currentIndex();
    if (index < 0) {
        platform::beep();
        return;
    }
    const int command = m_comboMerei[s]->itemData(index).toInt();
    gSmData[s][2 * macro()] = command;
    if (command == 0)
        m_txtSmData[s]->clear();
}

void frmSqMcr::dataFocused(int s)
{
    const int m = macro();
    const int command = gSmData[s][2 * m];
    int &data = gSmData[s][2 * m + 1];
    if ((command >= 0 && command <= 6) && !editors::smDataFits(command, data))
        data = 1;
    SmDataHyoji();
    m_txtSmData[s]->setSelection(0, 1);
}

bool frmSqMcr::txtSmData_KeyPress(int s, int key, const QString &text)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        m_comboMerei[(s + 1) % kSmSteps]->setFocus();
        return false;
    }
    if (key == Qt::Key_Backspace)
        return true;
    // Moving keys carry no text and change no value.
    if (text.isEmpty())
        return true;
    QLineEdit *box = m_txtSmData[s];
    if (!box->hasSelectedText() && box->text().size() >= 1)
        return false;
    return editors::smDataKeyAccepted(m_comboMerei[s]->currentIndex(), text.at(0));
}

bool frmSqMcr::eventFilter(QObject *watched, QEvent *event)
{
    for (int s = 0; s < kSmSteps; ++s) {
        if (watched == m_comboMerei[s] && event->type() == QEvent::FocusOut) {
            comboChosen(s);
        } else if (watched == m_txtSmData[s]) {
            if (event->type() == QEvent::FocusIn) {
                dataFocused(s);
            } else if (event->type() == QEvent::KeyPress) {
                auto *key = static_cast<QKeyEvent *>(event);
                if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                    return !txtSmData_KeyPress(s, key->key(), key->text());
                return platform::dropsTypedKey(*key, [&](QChar c) { return txtSmData_KeyPress(s, key->key(), QString(c)); });
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSqMcr::closeEvent(QCloseEvent *event)
{
    // A command running in a wait below must finish before its window goes.
    if (gCmdNow || gFileCmdNow || BusyGuard::busy()) {
        event->ignore();
        return;
    }
    event->accept();
}

namespace editors {

void registerSqMcrWindowCommands()
{
    const auto open = [] {
        EditCMD_Muko();
        frmSqMcr::showWindow();
        return 0;
    };
    for (const char *name : {"cmdSqMcrWinOpen_Click", "mnuShowSqMcr_Click", "ShowSqMcrWindow"})
        core::mainform::setCommand(QLatin1String(name), open);
}

} // namespace editors
