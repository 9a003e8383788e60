#pragma once
// One console session of the command-line tool: the serial channel, the
// receive path and the login handling, reporting progress on standard error.
#include <QObject>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <string>

#include "link/ChannelSink.h"
#include "console/ReceivePath.h"
#include "link/SerialPort.h"

namespace orlan {

enum class ECliExit : int {
    Ok = 0,
    Usage = 1,
    PortFailed = 2,
    LinkLost = 3,
    LoginRefused = 4,
    TimedOut = 5,
};

struct SCliOptions {
    QString port;        // a device path or COMn
    std::string password;
    int timeoutSeconds = 60;
    bool verbose = false;
};

class CCliSession final : public QObject, public IBlockReceiver, public IReceiveListener {
public:
    explicit CCliSession(const SCliOptions& options);

    // Opens the link and starts a whole-configuration read; every line the
    // receive path cuts goes to standard output. Finishes when the read is
    // complete, or with the reason it could not be.
    void StartRead();

    // Called once with the exit code when the work is over.
    std::function<void(ECliExit)> finished;

    void OnSerialData(const char* bytes, size_t count) override { m_rx.OnSerialData(bytes, count); }

    void OnLineLogged(std::string_view line) override;
    void OnStatusText(const std::string& text) override;
    void OnLoginSuccess() override;
    void OnLoginFailed() override;
    void OnWholeReadComplete() override;

private:
    void Finish(ECliExit code, const QString& message = {});
    void Progress(const QString& message) const;

    SCliOptions m_options;
    CSerialPort m_port;
    CChannelSink m_sink{m_port};
    CReceivePath m_rx{*this, m_sink};
    QTimer m_deadline;
    int m_loginRetries = 0;
    bool m_done = false;
};

} // namespace orlan
