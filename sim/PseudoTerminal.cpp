#include "sim/PseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace orlan {

namespace {

std::string SystemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

bool MakeRaw(int fd)
{
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

} // namespace

std::optional<CPseudoTerminal> CPseudoTerminal::Open(std::string* error)
{
    CPseudoTerminal pty;
    pty.m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (pty.m_master < 0) {
        *error = SystemError("posix_openpt");
        return std::nullopt;
    }
    const char* name = nullptr;
    if (grantpt(pty.m_master) != 0 || unlockpt(pty.m_master) != 0 || (name = ptsname(pty.m_master)) == nullptr) {
        *error = SystemError("cannot prepare the pseudo-terminal");
        return std::nullopt;
    }
    pty.m_slavePath = name;
    pty.m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (pty.m_slave < 0) {
        *error = SystemError("cannot open " + pty.m_slavePath);
        return std::nullopt;
    }
    if (!MakeRaw(pty.m_master) || !MakeRaw(pty.m_slave)) {
        *error = SystemError("cannot set raw mode");
        return std::nullopt;
    }
    const int flags = fcntl(pty.m_master, F_GETFL);
    if (flags < 0 || fcntl(pty.m_master, F_SETFL, flags | O_NONBLOCK) != 0) {
        *error = SystemError("cannot make the master non-blocking");
        return std::nullopt;
    }
    return std::optional<CPseudoTerminal>(std::move(pty));
}

CPseudoTerminal::CPseudoTerminal(CPseudoTerminal&& other) noexcept
    : m_master(other.m_master),
      m_slave(other.m_slave),
      m_slavePath(std::move(other.m_slavePath)),
      m_linkPath(std::move(other.m_linkPath))
{
    other.m_master = -1;
    other.m_slave = -1;
    other.m_linkPath.clear();
}

CPseudoTerminal::~CPseudoTerminal()
{
    Close();
}

bool CPseudoTerminal::LinkTo(const std::string& path, std::string* error)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            *error = path + " exists and is not a symbolic link";
            return false;
        }
        if (unlink(path.c_str()) != 0) {
            *error = SystemError("cannot replace " + path);
            return false;
        }
    }
    if (symlink(m_slavePath.c_str(), path.c_str()) != 0) {
        *error = SystemError("cannot create " + path);
        return false;
    }
    m_linkPath = path;
    return true;
}

void CPseudoTerminal::Close()
{
    if (!m_linkPath.empty()) {
        // Only our own link goes; someone may have pointed it elsewhere since.
        char target[4096];
        const ssize_t length = readlink(m_linkPath.c_str(), target, sizeof target - 1);
        if (length >= 0 && std::string(target, static_cast<std::size_t>(length)) == m_slavePath)
            unlink(m_linkPath.c_str());
        m_linkPath.clear();
    }
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
}

} // namespace orlan
