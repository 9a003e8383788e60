#pragma once
// What the port thread needs from an open serial device. The real one wraps
// QSerialPort; tests drive the loop with a scripted fake.
#include <cstddef>

namespace orlan {

class IPortDevice {
public:
    virtual ~IPortDevice() = default;
    // One write attempt: true when all `count` bytes went out.
    virtual bool Write(const char* bytes, std::size_t count) = 0;
    // Drops whatever output is still queued in the driver.
    virtual void DiscardOutput() = 0;
    // Waits up to `msecs` for input, or until input or a wake-up when
    // `msecs` is kWaitForWakeUp; true when input is waiting.
    static constexpr int kWaitForWakeUp = -1;
    virtual bool WaitForInput(int msecs) = 0;
    // Takes in what the system has queued and reads up to `capacity` bytes of it.
    virtual std::size_t Read(char* buffer, std::size_t capacity) = 0;
    // The far side hung up or the device went away.
    virtual bool LinkLost() const = 0;
};

} // namespace orlan
