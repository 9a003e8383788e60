// The real orlan-sim on its pseudo-terminal: device path, link, raw bytes,
// fixture file, control stream and the ways it ends. Every wait has a deadline.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

namespace orlan::test {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kDeadline = std::chrono::seconds(10);

// Reads from fd until the collected text contains what, or the deadline passes.
bool ReadUntil(int fd, std::string& collected, std::string_view what, Clock::time_point deadline)
{
    while (collected.find(what) == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, static_cast<int>(left)) <= 0)
            continue;
        char buffer[4096];
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count <= 0)
            return false;
        collected.append(buffer, static_cast<std::size_t>(count));
    }
    return true;
}

class CSimProcess {
public:
    explicit CSimProcess(std::vector<std::string> args)
    {
        int in[2];
        int out[2];
        if (pipe(in) != 0 || pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, in[1]);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        args.insert(args.begin(), ORLAN_SIM_EXE);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, ORLAN_SIM_EXE, &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        m_stdin = in[1];
        m_stdout = out[0];
    }

    ~CSimProcess()
    {
        CloseStdin();
        if (m_pid > 0 && !Exited(std::chrono::milliseconds(0))) {
            kill(m_pid, SIGKILL);
            Exited(kDeadline);
        }
        if (m_stdout >= 0)
            close(m_stdout);
    }

    bool Running() const { return m_pid > 0; }
    pid_t Pid() const { return m_pid; }

    // One line of stdout without its line end; empty at the deadline.
    std::string ReadLine()
    {
        const std::size_t end = m_output.find('\n');
        if (end == std::string::npos && !ReadUntil(m_stdout, m_output, "\n", Clock::now() + kDeadline))
            return {};
        const std::size_t at = m_output.find('\n');
        std::string line = m_output.substr(0, at);
        m_output.erase(0, at + 1);
        return line;
    }

    void Control(const std::string& line)
    {
        const std::string text = line + "\n";
        ASSERT_EQ(write(m_stdin, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }

    void CloseStdin()
    {
        if (m_stdin >= 0)
            close(m_stdin);
        m_stdin = -1;
    }

    // True once the process has ended (within wait), with its exit status.
    bool Exited(std::chrono::milliseconds wait, int* status = nullptr)
    {
        const auto deadline = Clock::now() + wait;
        for (;;) {
            int raw = 0;
            const pid_t done = waitpid(m_pid, &raw, WNOHANG);
            if (done == m_pid) {
                if (status)
                    *status = raw;
                m_pid = -1;
                return true;
            }
            if (Clock::now() >= deadline)
                return false;
            usleep(10000);
        }
    }

private:
    pid_t m_pid = -1;
    int m_stdin = -1;
    int m_stdout = -1;
    std::string m_output;
};

int OpenRawTerminal(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return fd;
    termios settings{};
    tcgetattr(fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(fd, TCSANOW, &settings);
    return fd;
}

std::string TempLinkPath()
{
    char dir[] = "/tmp/orlan-sim-test-XXXXXX";
    const char* made = mkdtemp(dir);
    return made ? std::string(made) + "/tty" : std::string();
}

TEST(SimProcess, TalksOnItsPseudoTerminalAndEndsWithTheControlStream)
{
    const std::string link = TempLinkPath();
    ASSERT_FALSE(link.empty());
    ASSERT_EQ(symlink("/nonexistent/stale", link.c_str()), 0) << "a stale link is replaced";

    CSimProcess sim({"--rate", "0", "--control", "--password", "pw", "--link", link});
    ASSERT_TRUE(sim.Running());
    const std::string device = sim.ReadLine();
    ASSERT_TRUE(device.starts_with("/dev/")) << device;
    char target[256] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), device);

    const int fd = OpenRawTerminal(link);
    ASSERT_GE(fd, 0);
    const auto deadline = Clock::now() + kDeadline;
    std::string received;
    ASSERT_TRUE(ReadUntil(fd, received, "Console started, please login\r\n", deadline)) << received;

    // CR and LF pass unchanged both ways: the raw mode works on both sides.
    ASSERT_EQ(write(fd, "pw\r", 3), 3);
    ASSERT_TRUE(ReadUntil(fd, received, "Login Success\r\n", deadline)) << received;
    ASSERT_EQ(write(fd, "%DUMP_62056\r", 12), 12);
    ASSERT_TRUE(ReadUntil(fd, received, "$P62056ERRUP 1\r\n", deadline)) << received;
    EXPECT_NE(received.find("$P62056POOLT 15\r\n$P62056HEART 5\r\n"), std::string::npos);

    sim.Control("event");
    EXPECT_EQ(sim.ReadLine(), "ok");
    ASSERT_TRUE(ReadUntil(fd, received, "\"DIN 0 ALARM SMS\"", deadline)) << received;
    sim.Control("meltdown");
    EXPECT_EQ(sim.ReadLine(), "error: unknown control command: meltdown");

    sim.CloseStdin();
    int status = -1;
    ASSERT_TRUE(sim.Exited(kDeadline, &status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    struct stat info {};
    EXPECT_NE(lstat(link.c_str(), &info), 0) << "the link goes with the simulator";
    close(fd);
    rmdir(link.substr(0, link.rfind('/')).c_str());
}

TEST(SimProcess, HangupClosesTheLineAndSigtermEndsIt)
{
    {
        CSimProcess sim({"--rate", "0", "--control", "--no-login"});
        const std::string device = sim.ReadLine();
        const int fd = OpenRawTerminal(device);
        ASSERT_GE(fd, 0) << device;
        sim.Control("hangup");
        int status = -1;
        ASSERT_TRUE(sim.Exited(kDeadline, &status));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        // The tool's side sees the cable pulled: end of data or an error, no block.
        pollfd pfd{fd, POLLIN, 0};
        ASSERT_EQ(poll(&pfd, 1, 5000), 1);
        EXPECT_NE(pfd.revents & (POLLHUP | POLLERR | POLLIN), 0);
        char byte = 0;
        EXPECT_LE(read(fd, &byte, 1), 0);
        close(fd);
    }
    {
        CSimProcess sim({"--rate", "0"});
        ASSERT_TRUE(sim.ReadLine().starts_with("/dev/"));
        ASSERT_EQ(kill(sim.Pid(), SIGTERM), 0);
        int status = -1;
        ASSERT_TRUE(sim.Exited(kDeadline, &status));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
}

TEST(SimProcess, StartsFromTheGivenFixtureFile)
{
    char path[] = "/tmp/orlan-sim-fixture-XXXXXX";
    const int file = mkstemp(path);
    ASSERT_GE(file, 0);
    const std::string_view text = "[SYS]\n$CC 44\n$DID 7\n";
    ASSERT_EQ(write(file, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    close(file);
    {
        CSimProcess sim({"--rate", "0", "--no-login", "--fixture", path});
        const std::string device = sim.ReadLine();
        const int fd = OpenRawTerminal(device);
        ASSERT_GE(fd, 0) << device;
        ASSERT_EQ(write(fd, "%DUMPS\r", 7), 7);
        std::string received;
        EXPECT_TRUE(ReadUntil(fd, received, "$DID 7\r\n", Clock::now() + kDeadline)) << received;
        EXPECT_TRUE(received.starts_with("$CC 44\r\n$DID 7\r\n")) << "only the file's lines: " << received;
        close(fd);
    }
    unlink(path);

    CSimProcess missing({"--fixture", path});
    int status = -1;
    ASSERT_TRUE(missing.Exited(kDeadline, &status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
}

TEST(SimProcess, BadOptionIsReportedWithExitCode2)
{
    CSimProcess sim({"--no-such-option"});
    int status = -1;
    ASSERT_TRUE(sim.Exited(kDeadline, &status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
}

} // namespace
} // namespace orlan::test
