#pragma once
// The one place where a terminal session is wired to the serial channel:
// the channel, the byte sink that cuts its writes, the timer service, the
// session with every page attached, and the hand-over of received blocks to
// the session's receive path. The main window, the CLI, the end-to-end tests
// and the benchmarks each own one and are its view.
#include <QString>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "link/ChannelSink.h"
#include "link/QtTimerService.h"
#include "link/SerialPort.h"
#include "session/TerminalSession.h"

namespace orlan {

class CTerminalLink final : public IBlockReceiver {
public:
    // The console always runs at this speed, 8 data bits, 1 stop bit.
    static constexpr int kConsoleBaudRate = 115200;

    // Attaches every page of the tool to the session.
    explicit CTerminalLink(ISessionView& view);
    ~CTerminalLink() override;
    CTerminalLink(const CTerminalLink&) = delete;
    CTerminalLink& operator=(const CTerminalLink&) = delete;

    CSerialPort& Port() { return m_port; }
    const CSerialPort& Port() const { return m_port; }
    CTerminalSession& Session() { return m_session; }
    const CTerminalSession& Session() const { return m_session; }

    // (Re)opens the channel on a device path, or on a port number when the
    // path is empty, at the console's speed; output queued before the port
    // is open is kept.
    void Open(const QString& devicePath, int portNumber = 0);
    void Close();

    // Sees every received block before the receive path does (byte counts).
    std::function<void(const char* bytes, std::size_t count)> blockTap;

    void OnSerialData(const char* bytes, std::size_t count) override;

private:
    CSerialPort m_port;
    CChannelSink m_sink{m_port};
    CQtTimerService m_timers;
    CTerminalSession m_session;
};

} // namespace orlan
