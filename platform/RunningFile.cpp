#include "platform/RunningFile.h"

#include "platform/SafeFile.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace orlan {

void CRunningFile::SetPath(QString path)
{
    Close();
    m_path = std::move(path);
    m_failed = false;
    m_error.clear();
}

bool CRunningFile::Open()
{
    Close();
    m_error.clear();
#ifdef _WIN32
    m_file.setFileName(m_path);
    const bool opened = m_file.open(QIODevice::WriteOnly | QIODevice::Append);
    if (!opened)
        m_error = m_file.errorString();
#else
    std::string why;
    const int fd = OpenForAppending(NativePath(m_path), why);
    const bool opened = fd >= 0 && m_file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFile::AutoCloseHandle);
    if (!opened) {
        m_error = fd >= 0 ? m_file.errorString() : QString::fromStdString(why);
        if (fd >= 0 && !m_file.isOpen())
            ::close(fd);
    }
#endif
    m_failed = !opened;
    return opened;
}

void CRunningFile::Close()
{
    if (m_file.isOpen())
        m_file.close();
}

void CRunningFile::Append(std::string_view bytes)
{
    if (!m_file.isOpen() && (m_failed || !Open()))
        return;
    // Written through, so a program reading the file as it grows is current.
    const auto size = static_cast<qint64>(bytes.size());
    if (m_file.write(bytes.data(), size) != size || !m_file.flush())
        m_error = m_file.errorString();
}

} // namespace orlan
