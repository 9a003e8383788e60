#pragma once
// The stored temperature log: "Sync with RTU" empties the list and asks the
// terminal to replay its stored records (type 83), which fill the list as
// they arrive, newest on top, at most 2000 rows and 1999 records before the
// list starts over; "Export Data" writes the list as CSV.
#include <string>
#include <string_view>

#include "pages/logs/TempRecordList.h"

namespace orlan {

class CPageExtTmpLog final : public CTempRecordPage {
public:
    static constexpr size_t kRowLimit = 2000;
    static constexpr int kRecordLimit = 1999;
    static constexpr std::string_view kSyncAction = "sync";
    static constexpr std::string_view kSyncCommand = "%ETEMPPORT1000\r";

    CPageExtTmpLog();

    // "sync": the list emptied, the replay request written without waiting.
    std::optional<SPageJob> ActionJob(std::string_view actionId, std::optional<size_t> selectedRow) override;

    // The export's bytes: every row from the top down as CSV lines.
    std::string ExportBytes() const;
    // The name chosen for the export, with ".csv" appended unless it holds
    // ".csv" anywhere.
    static std::string ExportFileName(std::string name);

private:
    std::string TimeCell(const STempRecord& record) const override { return std::string(record.timeStamp); }
};

} // namespace orlan
