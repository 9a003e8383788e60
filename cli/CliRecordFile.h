#pragma once
// The running file of realtime samples for `monitor`: "ex temp.csv" in the
// working directory, opened for appending (never truncated), each line
// written through as the realtime records page hands it over.
#include <cstdio>
#include <string>
#include <string_view>

#include "pages/logs/RecordFile.h"

namespace orlan {

class CCliRecordFile final : public IRecordFile {
public:
    CCliRecordFile() = default;
    ~CCliRecordFile() override;
    CCliRecordFile(const CCliRecordFile&) = delete;
    CCliRecordFile& operator=(const CCliRecordFile&) = delete;

    // False (and Error() says why) when the file cannot be opened.
    bool Open(const std::string& path);
    bool IsOpen() const override { return m_file != nullptr; }
    // A line that cannot be written is reported once by Error(); the file
    // keeps what it had.
    void Append(std::string_view bytes) override;
    const std::string& Error() const { return m_error; }

private:
    std::FILE* m_file = nullptr;
    std::string m_error;
};

} // namespace orlan
