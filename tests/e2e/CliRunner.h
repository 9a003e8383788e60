#pragma once
// orlan-cli as a script runs it, and what the simulator says it received.
#include <QProcess>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace orlan::test {

struct SCliRun {
    int exitCode = -1;  // -1: crashed or did not end in time
    std::string out;
    std::string err;
};

// How the child is started beyond its arguments.
struct SCliStart {
    QString stdoutFile;                // standard output goes there instead of `out`
    std::function<void()> inChild;    // runs in the child before orlan-cli starts (limits, identity)
};

SCliRun RunCli(const QStringList& args, int limitMs = 60000, const SCliStart& start = {});

// The lines of a text, cut at LF (a last line without LF counts too).
std::vector<std::string> SplitAtLineFeeds(const std::string& text);
// A file's bytes; empty when it cannot be read.
std::string ReadBytes(const QString& path);
bool WriteBytes(const QString& path, const std::string& bytes);

// The lines orlan-sim --log FILE wrote: every line it received, in order.
std::vector<std::string> ReceivedLines(const QString& logPath);
// The simulator's options with its received-line log in `logPath`; the
// terminal answers at once (--rate 0).
QStringList SimWithLog(const QString& logPath, QStringList options = {});

} // namespace orlan::test
