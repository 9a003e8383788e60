#include "console/ProfileText.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <unistd.h>

namespace orlan {

void CProfileText::Append(std::string_view text)
{
    for (char c : text) {
        if (c == '\n')
            m_bytes += '\r';
        m_bytes += c;
    }
}

void CProfileText::SendLine(std::string_view text)
{
    Append(text);
    Append("\n");
}

void CProfileText::WriteDirect(std::string_view text)
{
    Append(text);
}

void CProfileText::SectionHeader(std::string_view title)
{
    SendLine("\r\n//Page " + std::string(title) + "\r\n");
}

bool SaveFileAtomically(const std::string& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    fs::path temp = target;
    temp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            fs::remove(temp, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(temp, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return false;
    }
    return true;
}

} // namespace orlan
