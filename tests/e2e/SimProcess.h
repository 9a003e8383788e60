#pragma once
// Runs orlan-sim as a child process on its own pseudo-terminal and talks to
// its control channel.
#include <QProcess>
#include <QString>
#include <QStringList>

namespace orlan::test {

class CSimProcess {
public:
    // Starts the simulator with --control and the given options; Device() is
    // empty when it did not come up.
    explicit CSimProcess(const QStringList& options);
    ~CSimProcess();

    const QString& Device() const { return m_device; }
    // Sends one control command and waits for its "ok".
    bool Control(const QString& command);
    // Ends it at once (SIGKILL), as a pulled adapter goes: nothing is tidied up.
    void Kill();

private:
    QProcess m_process;
    QString m_device;
};

} // namespace orlan::test
