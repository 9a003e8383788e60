#include "LinkTestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>


namespace orlan::test {

QByteArray Pattern(std::size_t count)
{
    QByteArray bytes(static_cast<qsizetype>(count), '\0');
    for (std::size_t i = 0; i < count; ++i)
        bytes[static_cast<qsizetype>(i)] = static_cast<char>((i * 7 + i / 251) % 256);
    return bytes;
}

CPseudoTerminal::CPseudoTerminal()
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return;
    termios mode{};
    const char* slave = nullptr;
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::tcgetattr(master, &mode) != 0
        || (::cfmakeraw(&mode), ::tcsetattr(master, TCSANOW, &mode)) != 0
        || (slave = ::ptsname(master)) == nullptr) {
        ::close(master);
        return;
    }
    m_slavePath = QString::fromLocal8Bit(slave);
    m_master = master;
}

CPseudoTerminal::~CPseudoTerminal()
{
    CloseMaster();
}

QByteArray CPseudoTerminal::ReadMaster(std::size_t count, std::chrono::milliseconds limit)
{
    QByteArray received;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (static_cast<std::size_t>(received.size()) < count
           && std::chrono::steady_clock::now() < deadline) {
        pollfd ready{m_master, POLLIN, 0};
        if (::poll(&ready, 1, 20) <= 0 || (ready.revents & POLLIN) == 0)
            continue;
        char chunk[4096];
        const ssize_t got = ::read(m_master, chunk, sizeof chunk);
        if (got > 0)
            received.append(chunk, got);
    }
    return received;
}

bool CPseudoTerminal::WriteMaster(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(m_master, bytes.constData() + done,
                                    static_cast<std::size_t>(bytes.size() - done));
        if (put <= 0)
            return false;
        done += put;
    }
    return true;
}

void CPseudoTerminal::CloseMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

} // namespace orlan::test
