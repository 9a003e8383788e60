#pragma once
// Lets the Qt-free core write to the serial channel (header only, so the
// link library itself needs nothing of the core).
#include "console/ByteSink.h"
#include "link/SerialPort.h"

namespace orlan {

class CChannelSink final : public IByteSink {
public:
    explicit CChannelSink(CSerialPort& port) : m_port(port) {}
protected:
    void QueueBlock(std::string_view block) override { m_port.QueueWrite(block.data(), block.size()); }

private:
    CSerialPort& m_port;
};

} // namespace orlan
