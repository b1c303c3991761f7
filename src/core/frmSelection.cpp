#include "core/frmSelection.h"
#include "platform/Screen.h"

#include "core/MainForm.h"
#include "core/Messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Twips of the layout at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;
constexpr int kHeightTwoOptions = 2895 / kTwipsPerPixel;
constexpr int kHeightThreeOptions = 3450 / kTwipsPerPixel;
constexpr int kWidth = 5400 / kTwipsPerPixel;

QWidget *mainWindow()
{
    return core::mainform::shownWindow();
}

int runSelection(const QString &title, const QString &prompt, const QStringList &options, int mode)
{
    frmSelection form(mainWindow());
    form.setWindowTitle(title);
    form.lblSelectSetumei()->setText(prompt);
    for (int i = 0; i < 3; ++i) {
        const bool used = i < options.size();
        form.optSelectKomoku(i)->setText(used ? options.at(i) : QString());
        form.optSelectKomoku(i)->setVisible(used);
        form.optSelectKomoku(i)->setEnabled(used);
    }
    form.setMode(mode);
    form.resize(kWidth, options.size() == 3 ? kHeightThreeOptions : kHeightTwoOptions);
    form.exec();
    return form.SelectKomoku;
}

} // namespace

frmSelection::frmSelection(QWidget *parent)
    : QDialog(parent)
    , m_cmdSelectOk(new QPushButton(QStringLiteral("OK"), this))
    // The layout gives Cancel its Japanese caption in both languages.
    , m_cmdSelectCancel(new QPushButton(QStringLiteral("キャンセル"), this))
    , m_lblSelectSetumei(new QLabel(this))
{
    setObjectName(QStringLiteral("frmSelection"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_lblSelectSetumei->setObjectName(QStringLiteral("lblSelectSetumei"));
    m_lblSelectSetumei->setWordWrap(true);
    m_cmdSelectOk->setObjectName(QStringLiteral("cmdSelectOk"));
    m_cmdSelectOk->setDefault(true);
    m_cmdSelectCancel->setObjectName(QStringLiteral("cmdSelectCancel"));
    // Named in the running language, whatever its caption.
    m_cmdSelectCancel->setAccessibleName(LoadResText(1404));

    auto *options = new QVBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_opt[i] = new QRadioButton(this);
        m_opt[i]->setObjectName(QStringLiteral("optSelectKomoku%1").arg(i));
        options->addWidget(m_opt[i]);
    }
    m_opt[0]->setChecked(true);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_cmdSelectOk);
    buttons->addWidget(m_cmdSelectCancel);
    buttons->addStretch();

    auto *body = new QHBoxLayout;
    body->addLayout(options, 1);
    body->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblSelectSetumei);
    layout->addLayout(body, 1);

    connect(m_cmdSelectOk, &QPushButton::clicked, this, &frmSelection::cmdSelectOk_Click);
    connect(m_cmdSelectCancel, &QPushButton::clicked, this, &frmSelection::cmdSelectCancel_Click);

    platform::placeBesideOwner(this, parent);
}

void frmSelection::setMode(int mode)
{
    SelectHideFlag = mode == 1;
    m_cmdSelectCancel->setVisible(!SelectHideFlag);
    m_cmdSelectCancel->setEnabled(!SelectHideFlag);
}

void frmSelection::cmdSelectOk_Click()
{
    if (m_opt[0]->isChecked())
        SelectKomoku = 0;
    else if (m_opt[1]->isChecked())
        SelectKomoku = 1;
    else
        SelectKomoku = 2;
    done(QDialog::Accepted);
}

void frmSelection::cmdSelectCancel_Click()
{
    SelectKomoku = -1;
    done(QDialog::Rejected);
}

void frmSelection::reject()
{
    if (SelectHideFlag)
        return;
    cmdSelectCancel_Click();
}

int ShowSelection(const QString &title, const QString &prompt, const QString &option1,
                  const QString &option2, int mode)
{
    return runSelection(title, prompt, {option1, option2}, mode);
}

int ShowSelection2(const QString &title, const QString &prompt, const QString &option1,
                   const QString &option2, const QString &option3, int mode)
{
    return runSelection(title, prompt, {option1, option2, option3}, mode);
}
