#pragma once
// Lets the Qt-free core write to the serial channel (header only, so the
// link library itself needs nothing of the core). It says how much room the
// channel's output ring has and refuses what the ring refuses, so the
// command queue can wait for a free slot instead of losing a block.
#include "console/ByteSink.h"
#include "link/SerialPort.h"

namespace orlan {

class CChannelSink final : public IByteSink {
public:
    explicit CChannelSink(CSerialPort& port) : m_port(port) {}

    size_t FreeBlocks() const override { return m_port.FreeBlocks(); }
    size_t PendingBlocks() const override { return m_port.PendingBlocks(); }

protected:
    void QueueBlock(std::string_view block) override { TakeBlock(block); }
    bool TakeBlock(std::string_view block) override { return m_port.QueueWrite(block.data(), block.size()); }

private:
    CSerialPort& m_port;
};

} // namespace orlan
