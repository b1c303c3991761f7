#include "link/frmProcessing.h"

#include "core/FormText.h"
#include "link/LinkState.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

frmProcessing::frmProcessing(QWidget *mainWindow)
    : QDialog(mainWindow)
    , m_lblProcese(new QLabel(this))
{
    setObjectName(QStringLiteral("frmProcessing"));
    setWindowTitle(platform::applicationTitle());
    setModal(false);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    m_lblProcese->setObjectName(QStringLiteral("lblProcese"));
    m_lblProcese->setWordWrap(true);
    m_lblProcese->setAlignment(Qt::AlignCenter);
    core::formtext::tag(m_lblProcese, 1902);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblProcese);

    platform::placeBesideOwner(this, mainWindow);
    Set_FormStr(this);
    gProcessingShown = true;
}

frmProcessing::~frmProcessing()
{
    gProcessingShown = false;
}

void frmProcessing::unload()
{
    m_unloading = true;
    close();
}

void frmProcessing::reject()
{
}

void frmProcessing::closeEvent(QCloseEvent *event)
{
    if (m_unloading) {
        event->accept();
        gProcessingShown = false;
    } else {
        event->ignore();
    }
}
