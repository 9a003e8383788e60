#pragma once
// Lets the Qt-free core write to the serial channel (header only, so the
// link library itself needs nothing of the core).
#include "console/ByteSink.h"
#include "link/SerialPort.h"

namespace orlan {

class CChannelSink final : public IByteSink {
public:
    explicit CChannelSink(CSerialPort& port) : m_port(port) {}
    // The channel sends at most one slot (1024 bytes) per request and drops
    // the rest; a longer text (a long memo command) goes in several slots so
    // that nothing is cut silently.
    void QueueWrite(std::string_view bytes) override
    {
        constexpr size_t kSlot = 1024;
        for (size_t i = 0; i < bytes.size(); i += kSlot) {
            const std::string_view piece = bytes.substr(i, kSlot);
            m_port.QueueWrite(piece.data(), piece.size());
        }
    }

private:
    CSerialPort& m_port;
};

} // namespace orlan
