#include "link/WakeUp.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/eventfd.h>
#endif

#include <cstdint>

namespace orlan {

CWakeUp::CWakeUp()
{
#if defined(Q_OS_LINUX)
    m_readFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    m_writeFd = m_readFd;
#elif defined(Q_OS_UNIX)
    int ends[2];
    if (::pipe(ends) == 0) {
        for (int fd : ends) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
        m_readFd = ends[0];
        m_writeFd = ends[1];
    }
#endif
}

CWakeUp::~CWakeUp()
{
#ifdef Q_OS_UNIX
    if (m_writeFd >= 0 && m_writeFd != m_readFd)
        ::close(m_writeFd);
    if (m_readFd >= 0)
        ::close(m_readFd);
#endif
}

void CWakeUp::Signal()
{
#ifdef Q_OS_UNIX
    if (m_writeFd < 0)
        return;
    const std::uint64_t one = 1;
    // A full pipe or counter is signalled already.
    [[maybe_unused]] const auto written = ::write(m_writeFd, &one, m_writeFd == m_readFd ? sizeof one : 1);
#endif
}

void CWakeUp::Drain()
{
#ifdef Q_OS_UNIX
    if (m_readFd < 0)
        return;
    char sink[64];
    while (::read(m_readFd, sink, m_readFd == m_writeFd ? sizeof(std::uint64_t) : sizeof sink) > 0) {
    }
#endif
}

} // namespace orlan
