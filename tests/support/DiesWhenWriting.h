#pragma once

#include "link/WindowHooks.h"
#include "sim/ControllerSim.h"

// A controller that stops answering for good as the progress window of a write (message
// 383) opens: it dies during the write. Registered as the progress window while it lives.
class DiesWhenWriting : public link::TransferProgress
{
public:
    explicit DiesWhenWriting(sim::ControllerSim &controller);
    ~DiesWhenWriting() override;
    void open(int captionId, int maximum) override;
    bool died() const { return m_died; }

private:
    sim::ControllerSim &m_controller;
    bool m_died = false;
};
