// Feeds arbitrary bytes as one "$" line to the record scanner and to both
// record pages: nothing is read beyond the line (an exact-size copy, so the
// sanitizers see it), every time stamp lies inside it, every value was read
// with two decimals, and the lists keep within their limits.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "console/TempRecords.h"
#include "pages/logs/ExTmpRcdPage.h"
#include "pages/logs/ExtTmpLogPage.h"

namespace {

class CNullFile final : public orlan::IRecordFile {
public:
    bool IsOpen() const override { return true; }
    void Append(std::string_view bytes) override
    {
        if (bytes.size() < 15 || !bytes.ends_with("\r\n"))
            std::abort();
    }
};

void CheckList(const orlan::CTempRecordPage& page)
{
    if (page.List().Rows() > page.RowLimit() || page.Records() > page.RecordLimit() || page.Records() < 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto copy = std::make_unique<char[]>(size);
    std::copy(data, data + size, copy.get());
    const std::string_view line(copy.get(), size);
    orlan::ScanTempRecords(line, [line](const orlan::STempRecord& record) {
        const char* begin = line.data();
        const char* end = line.data() + line.size();
        if (!record.timeStamp.empty() && (record.timeStamp.data() < begin || record.timeStamp.data() + 14 > end))
            std::abort();
        for (const orlan::STempEntry& entry : record.entries) {
            const size_t point = entry.text.find('.');
            if (entry.hasValue != !entry.text.empty() || (entry.hasValue && point + 3 != entry.text.size()))
                std::abort();
        }
    });

    static orlan::CPageExTmpRcd realtime;
    static orlan::CPageExtTmpLog log;
    static CNullFile file;
    realtime.SetRecordFile(&file);
    // The same bytes many times over reach the limits.
    for (int i = 0; i < 4; ++i) {
        realtime.ParseLine(line);
        log.ParseLine(line);
    }
    CheckList(realtime);
    CheckList(log);
    return 0;
}
