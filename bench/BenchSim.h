#pragma once
// The peer of the timed benchmarks: orlan-sim as a child process at the line
// rate of a real terminal, and a terminal session with every page attached on
// the real serial channel to it.
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

#include "wiring/TerminalLink.h"

namespace orlan::bench {

// 115 200 bit/s with 8N1: ten bits a byte.
inline constexpr double kWireBytesPerSecond = 11520.0;

class CBenchSim {
public:
    // `simExe`: argv[1] when given, else the orlan-sim beside this build.
    CBenchSim(int argc, char** argv, const QStringList& options);
    ~CBenchSim();
    // Empty when the simulator did not start; the reason went to stderr.
    const QString& Device() const { return m_device; }

private:
    QProcess m_process;
    QString m_device;
};

// A session whose view hands the reports a benchmark times to callbacks.
class CBenchSession final : public QObject, public ISessionView {
public:
    explicit CBenchSession(const QString& device);

    CTerminalSession& Session() { return m_session; }
    size_t BytesReceived() const { return m_bytes; }
    void ResetBytes() { m_bytes = 0; }

    std::function<void()> wholeReadComplete;
    std::function<void(const SJobReport&)> jobFinished;

    void OnWholeReadComplete() override;
    void OnJobFinished(const std::string& name, const SJobReport& report) override;

private:
    CTerminalLink m_link{*this};
    CTerminalSession& m_session{m_link.Session()};
    size_t m_bytes = 0;
};

} // namespace orlan::bench
