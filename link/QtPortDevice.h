#pragma once
// The port thread's serial device: QSerialPort used with blocking calls only.
// Create, use and destroy it in the port thread.
#include "link/LinkError.h"
#include "link/PortDevice.h"
#include "link/WakeUp.h"

#include <QSerialPort>

#include <functional>

namespace orlan {

class CQtPortDevice final : public IPortDevice {
public:
    // `stopRequested` cuts a slow write short when the channel is stopping.
    // `wake`, when given, ends a wait for input early; it must outlive the device.
    explicit CQtPortDevice(std::function<bool()> stopRequested, CWakeUp* wake = nullptr);
    ~CQtPortDevice() override;

    // 8 data bits, 1 stop bit, no flow control; DTR and RTS raised; both
    // directions purged. Kind None on success.
    LinkError Open(const QString& devicePath, int baudRate, int parityCode);
    // Drops DTR, purges both directions and closes.
    void Close();
    // 0 none, 1 odd, 2 even, 3 mark.
    bool SetParity(int parityCode);

    bool Write(const char* bytes, std::size_t count) override;
    void DiscardOutput() override;
    bool WaitForInput(int msecs) override;
    std::size_t Read(char* buffer, std::size_t capacity) override;
    bool LinkLost() const override;

private:
    // Records a hang-up and forgets errors that only concern one call.
    void CheckLink();
    // Sleeps until the device or the wake-up descriptor has something.
    void WaitOnDescriptors(int msecs);

    QSerialPort m_port;
    std::function<bool()> m_stopRequested;
    CWakeUp* m_wake;
    bool m_lost = false;
};

} // namespace orlan
