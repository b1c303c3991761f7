#include "core/MainForm.h"
#include "link/WindowHooks.h"
#include "link/frmTrance.h"

#include <QApplication>
#include <QPointer>
#include <QProgressBar>

namespace link {

namespace {

// The real progress window; one at a time, created on open and deleted on close.
class TranceProgress : public TransferProgress
{
public:
    void open(int captionId, int maximum) override
    {
        close();
        if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
            return;
        // Placed by the main window, whichever window is active (a modeless editor, or none
        // when the program has lost the focus).
        QWidget *mainWindow = core::mainform::window();
        m_window = new frmTrance(mainWindow ? mainWindow : QApplication::activeWindow());
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setCaption(captionId);
        m_window->prgBar1()->setRange(0, maximum);
        m_window->prgBar1()->setValue(0);
        m_window->show();
    }

    void setValue(int value) override
    {
        if (m_window)
            m_window->prgBar1()->setValue(value);
    }

    void close() override
    {
        if (m_window)
            m_window->unload();
        m_window = nullptr;
    }

private:
    QPointer<frmTrance> m_window;
};

} // namespace

TransferProgress &defaultTransferProgress()
{
    static TranceProgress progress;
    return progress;
}

} // namespace link
