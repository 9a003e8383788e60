#include "cli/CliRecordFile.h"

#include <cerrno>
#include <system_error>

namespace orlan {

CCliRecordFile::~CCliRecordFile()
{
    if (m_file != nullptr)
        std::fclose(m_file);
}

bool CCliRecordFile::Open(const std::string& path)
{
    // "a": created when missing, every write at the end, nothing truncated.
    m_file = std::fopen(path.c_str(), "ab");
    if (m_file == nullptr)
        m_error = path + ": " + std::generic_category().message(errno);
    return m_file != nullptr;
}

void CCliRecordFile::Append(std::string_view bytes)
{
    if (m_file == nullptr)
        return;
    // Written through: another program may be reading the file as it grows.
    if ((std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size() || std::fflush(m_file) != 0)
        && m_error.empty())
        m_error = std::generic_category().message(errno);
}

} // namespace orlan
