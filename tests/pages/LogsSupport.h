#pragma once
// Record lines and a recording file for the logs page tests.
#include <string>
#include <string_view>

#include "pages/logs/RecordFile.h"

namespace orlan::test {

inline std::string RecordLine(std::string_view type, std::string_view entries, int count,
                              std::string_view stamp = "24-05-01 10:00")
{
    const char hex[] = "0123456789ABCDEF";
    std::string line = "$TR000001ET" + std::string(type) + std::string(stamp);
    line += hex[(count >> 4) & 15];
    line += hex[count & 15];
    return line + std::string(entries);
}

class CRecordingFile final : public IRecordFile {
public:
    bool IsOpen() const override { return open; }
    void Append(std::string_view bytes) override { written += bytes; }
    bool open = true;
    std::string written;
};

} // namespace orlan::test
