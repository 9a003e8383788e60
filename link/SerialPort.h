#pragma once
// The one byte channel to the terminal. A port thread owns the serial device:
// it writes queued output blocks in order and hands every block it reads to
// the owner's thread, waiting until the owner has processed it.
#include "link/BlockHandOver.h"
#include "link/LinkError.h"
#include "link/OutputRing.h"
#include "link/WakeUp.h"

#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>
#include <cstddef>
#include <memory>

namespace orlan {

class CSerialPort : public QObject {
    Q_OBJECT

public:
    explicit CSerialPort(QObject* parent = nullptr);
    // Asks the port thread to stop and waits for it to end.
    ~CSerialPort() override;

    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Owner's thread; take effect at the next start. A device path, when
    // set, wins over the port number.
    void SetPortNumber(int number);
    void SetDevicePath(const QString& path);
    void SetBaudRate(int bitsPerSecond);
    // Any thread. 0 none, 1 odd, 2 even, 3 mark: applied by the port thread to
    // the open port and to every later open. False for any other code.
    bool SetParity(int code);

    // Owner's thread. start: (re)connects; a thread still running from an
    // earlier start is stopped and awaited first. Received blocks go to
    // `owner` on the thread of `ownerContext` (by default this channel's
    // thread); both must outlive the running channel. !start: asks the port
    // thread to close the port and returns at once.
    void StartStop(bool start, IBlockReceiver* owner = nullptr, QObject* ownerContext = nullptr);

    // Any thread.
    bool IsOpen() const;
    // Any thread. Queues the first 1024 bytes as one block; false when nothing
    // was queued (channel not started, empty request, 32 blocks pending).
    bool QueueWrite(const char* bytes, std::size_t count);
    // Any thread. Blocks QueueWrite can take now (a closed channel refuses
    // whatever this says), and blocks queued that are not written yet.
    std::size_t FreeBlocks() const { return m_ring.FreeSlots(); }
    std::size_t PendingBlocks() const { return m_ring.Pending(); }
    // Any thread. Why the last start did not open or why the port closed.
    LinkError LastError() const;
    // The device the last start used, e.g. "/dev/ttyUSB0".
    QString DevicePath() const;

Q_SIGNALS:
    // Emitted from the port thread.
    void portOpened();
    // After a failed open, a lost link or a requested stop (reason empty).
    void portClosed(const QString& reason);

private:
    class CPortThread;

    void RequestStop();
    void WaitForThread();
    void RunPort(CBlockHandOver& handOver, const QString& devicePath, const QString& label,
                 int baudRate);
    void SetLastError(const LinkError& error);

    int m_portNumber = 1;
    QString m_devicePath;
    int m_baudRate = 9600;
    std::atomic<int> m_parity{0};
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_destroying{false};

    mutable QMutex m_stateMutex;
    LinkError m_lastError;
    QString m_activePath;

    COutputRing m_ring;
    // The port thread sleeps on the device and this; nothing wakes it idle.
    CWakeUp m_wake;
    std::shared_ptr<CBlockHandOver> m_handOver;
    std::unique_ptr<CPortThread> m_thread;
};

} // namespace orlan
