#include "link/frmTrance.h"

#include "core/FormText.h"
#include "core/Messages.h"
#include "link/LinkState.h"
#include "link/WindowPlacement.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kHeightWithoutCancel = 1740; // twips
constexpr int kHeightWithCancel = 2325;
constexpr int kWidth = 4800;
} // namespace

frmTrance::frmTrance(QWidget *mainWindow)
    : QDialog(mainWindow)
    , m_lblSetumei(new QLabel(this))
    , m_prgBar1(new QProgressBar(this))
    , m_cmdTranceCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmTrance"));
    setWindowTitle(platform::applicationTitle());
    setModal(false);
    // No close box: only the operation ends this window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    m_lblSetumei->setObjectName(QStringLiteral("lblSetumei"));
    m_lblSetumei->setWordWrap(true);
    m_prgBar1->setObjectName(QStringLiteral("prgBar1"));
    m_prgBar1->setTextVisible(false);
    m_prgBar1->setRange(0, 100);
    m_prgBar1->setValue(0);
    m_cmdTranceCancel->setObjectName(QStringLiteral("cmdTranceCancel"));
    core::formtext::tag(m_lblSetumei, 2402);
    core::formtext::tag(m_cmdTranceCancel, 1705);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblSetumei);
    layout->addWidget(m_prgBar1);
    layout->addWidget(m_cmdTranceCancel, 0, Qt::AlignHCenter);
    connect(m_cmdTranceCancel, &QPushButton::clicked, this, &frmTrance::cmdTranceCancel_Click);

    platform::placeBesideOwner(this, mainWindow);
    Set_FormStr(this);
    m_prgBar1->setAccessibleName(m_lblSetumei->text());

    const int height = gTranceCancelable ? kHeightWithCancel : kHeightWithoutCancel;
    m_cmdTranceCancel->setVisible(gTranceCancelable);
    setFixedSize(link::twipsToPixels(this, kWidth), link::twipsToPixels(this, height));
}

void frmTrance::setCaption(int id)
{
    m_lblSetumei->setText(LoadResText(id));
    m_prgBar1->setAccessibleName(m_lblSetumei->text());
}

void frmTrance::unload()
{
    m_unloading = true;
    close();
}

void frmTrance::cmdTranceCancel_Click()
{
    gTranceCancel = true;
}

void frmTrance::reject()
{
    // Escape does not end the window either.
}

void frmTrance::closeEvent(QCloseEvent *event)
{
    if (m_unloading)
        event->accept();
    else
        event->ignore();
}
