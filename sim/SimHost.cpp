#include "sim/SimHost.h"

#include "sim/Pacer.h"
#include "sim/PseudoTerminal.h"
#include "sim/SimControl.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace orlan {

namespace {

constexpr int64_t kSplitGapUs = 2000; // split writes must reach the reader apart
constexpr int kIdlePollMs = 1000;

int g_signalPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int)
{
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = write(g_signalPipe[1], &byte, 1);
}

bool InstallSignalHandlers()
{
    if (pipe(g_signalPipe) != 0)
        return false;
    for (int fd : g_signalPipe)
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    return true;
}

int64_t NowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// Splits the control stream into lines and answers each on stdout.
class CControlReader {
public:
    // False at the end of the stream.
    bool Read(CSimTerminal& terminal)
    {
        char buffer[4096];
        const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
        if (count < 0)
            return errno == EINTR || errno == EAGAIN;
        if (count == 0)
            return false;
        m_pending.append(buffer, static_cast<std::size_t>(count));
        for (std::size_t end; (end = m_pending.find('\n')) != std::string::npos;) {
            const std::string reply = ApplyControlLine(terminal, std::string_view(m_pending).substr(0, end));
            m_pending.erase(0, end + 1);
            if (!reply.empty()) {
                std::fprintf(stdout, "%s\n", reply.c_str());
                std::fflush(stdout);
            }
        }
        return true;
    }

private:
    std::string m_pending;
};

} // namespace

int RunSimulator(const SimCommandLine& options, CConfigStore fixture)
{
    std::string error;
    std::optional<CPseudoTerminal> pty = CPseudoTerminal::Open(&error);
    if (!pty) {
        std::fprintf(stderr, "orlan-sim: %s\n", error.c_str());
        return 1;
    }
    if (!options.linkPath.empty() && !pty->LinkTo(options.linkPath, &error)) {
        std::fprintf(stderr, "orlan-sim: %s\n", error.c_str());
        return 1;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> log(nullptr, &std::fclose);
    if (!options.logPath.empty()) {
        log.reset(std::fopen(options.logPath.c_str(), "w"));
        if (!log) {
            std::fprintf(stderr, "orlan-sim: cannot write %s: %s\n", options.logPath.c_str(), std::strerror(errno));
            return 1;
        }
    }
    if (!InstallSignalHandlers()) {
        std::fprintf(stderr, "orlan-sim: cannot install signal handlers\n");
        return 1;
    }
    std::fprintf(stdout, "%s\n", pty->SlavePath().c_str());
    std::fflush(stdout);

    CPacer pacer(options.rate);
    CSimTerminal terminal(std::move(fixture), options.terminal, [&pacer](std::string_view bytes) { pacer.Push(bytes); });
    if (log) {
        // Flushed per line, so a reader sees every line the terminal has taken.
        terminal.SetInputLog([file = log.get()](std::string_view received) {
            std::fwrite(received.data(), 1, received.size(), file);
            std::fputc('\n', file);
            std::fflush(file);
        });
    }
    CControlReader control;
    const int64_t startUs = NowUs();
    auto nowMs = [startUs] { return (NowUs() - startUs) / 1000; };
    terminal.Start();

    int exitCode = 0;
    for (;;) {
        terminal.AdvanceTo(nowMs());
        if (terminal.HangupRequested())
            break;
        pacer.SetGapUs(terminal.Faults().split ? kSplitGapUs : 0);

        // Write what the line rate allows; a full pty buffer waits for POLLOUT.
        bool blocked = false;
        for (std::string_view ready; !(ready = pacer.Ready(NowUs())).empty();) {
            const ssize_t written = write(pty->MasterFd(), ready.data(), ready.size());
            if (written < 0) {
                blocked = errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
                if (!blocked) {
                    std::fprintf(stderr, "orlan-sim: write: %s\n", std::strerror(errno));
                    exitCode = 1;
                }
                break;
            }
            pacer.Consume(static_cast<std::size_t>(written), NowUs());
        }
        if (exitCode != 0)
            break;

        int timeoutMs = kIdlePollMs;
        if (const std::optional<int64_t> wake = terminal.NextWakeMs())
            timeoutMs = static_cast<int>(std::clamp<int64_t>(*wake - nowMs(), 0, kIdlePollMs));
        const int64_t nextWriteUs = pacer.NextReadyUs(NowUs());
        if (nextWriteUs >= 0 && !blocked)
            timeoutMs = std::min<int>(timeoutMs, static_cast<int>((nextWriteUs - NowUs() + 999) / 1000));

        pollfd fds[3] = {{g_signalPipe[0], POLLIN, 0},
                         {pty->MasterFd(), static_cast<short>(POLLIN | (blocked ? POLLOUT : 0)), 0},
                         {options.control ? STDIN_FILENO : -1, POLLIN, 0}};
        if (poll(fds, 3, std::max(timeoutMs, 0)) < 0 && errno != EINTR) {
            std::fprintf(stderr, "orlan-sim: poll: %s\n", std::strerror(errno));
            exitCode = 1;
            break;
        }
        if (fds[0].revents != 0)
            break; // SIGINT or SIGTERM
        if (fds[1].revents & POLLIN) {
            char buffer[4096];
            const ssize_t count = read(pty->MasterFd(), buffer, sizeof buffer);
            if (count > 0) {
                terminal.AdvanceTo(nowMs());
                terminal.Feed(std::string_view(buffer, static_cast<std::size_t>(count)));
            }
        }
        if ((fds[2].revents & (POLLIN | POLLHUP)) && !control.Read(terminal))
            break; // the control stream ended
    }
    pty->Close();
    return exitCode;
}

} // namespace orlan
