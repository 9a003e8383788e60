#pragma once
// One pass of the port thread at a time: send the head block when a count is
// waiting, otherwise read what has arrived. Pacing: a pause after every block
// written, so the terminal keeps up; a pause before every read, so a burst
// arrives as one block.
#include "link/OutputRing.h"
#include "link/PortDevice.h"

#include <cstddef>
#include <functional>
#include <span>

namespace orlan {

class CPortLoop {
public:
    static constexpr int kWriteAttempts = 11;
    static constexpr int kPacingMs = 50;
    static constexpr std::size_t kMaxReadBlock = 131072;

    struct Hooks {
        std::function<void(int msecs)> pause;
        // Returns once the owner has processed the block.
        std::function<void(const char* bytes, std::size_t count)> deliver;
    };

    CPortLoop(IPortDevice& device, COutputRing& ring, std::span<char> readBuffer, Hooks hooks);

    // False once the link is lost.
    bool Step(int pollMs);
    // Sends the head block, at most kWriteAttempts times. When every attempt
    // fails the block stays at the head and goes out with the next count.
    bool SendHead();
    // Pauses, then reads one block and delivers it.
    void ReadBlock();

private:
    IPortDevice& m_device;
    COutputRing& m_ring;
    std::span<char> m_readBuffer;
    Hooks m_hooks;
};

} // namespace orlan
