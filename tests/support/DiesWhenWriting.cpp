#include "support/DiesWhenWriting.h"

DiesWhenWriting::DiesWhenWriting(sim::ControllerSim &controller) : m_controller(controller)
{
    link::setTransferProgress(this);
}

DiesWhenWriting::~DiesWhenWriting()
{
    link::setTransferProgress(nullptr);
}

void DiesWhenWriting::open(int captionId, int maximum)
{
    Q_UNUSED(maximum);
    if (captionId != 383 || m_died)
        return;
    m_died = true;
    m_controller.addFault(sim::Fault::always(sim::FaultKind::Silence));
}
