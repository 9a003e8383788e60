#include "pages/logs/ExtTmpLogPage.h"

#include "pages/logs/RecordCsv.h"

namespace orlan {

CPageExtTmpLog::CPageExtTmpLog()
    : CTempRecordPage({.className = "CPageExtTmpLog",
                       .section = "PageETmpLogs",
                       .headingSection = "PageETmpLogs",
                       .headingKey = "TITLE_LOG"},
                      kStoredRecordType, kRowLimit, kRecordLimit)
{
    AddAction({.id = std::string(kSyncAction),
               .labelKey = "SYNC",
               .confirmKey = "SYNC_MSG",
               .confirmSection = "PageETmpLogs"});
}

std::optional<SPageJob> CPageExtTmpLog::ActionJob(std::string_view actionId, std::optional<size_t>)
{
    if (actionId != kSyncAction)
        return std::nullopt;
    ResetList();
    return SPageJob{.commands = {{.text = std::string(kSyncCommand), .noWait = true}},
                    .bracketed = false,
                    .end = EJobEnd::Nothing};
}

std::string CPageExtTmpLog::ExportBytes() const
{
    return CsvLines(List());
}

std::string CPageExtTmpLog::ExportFileName(std::string name)
{
    if (name.find(".csv") == std::string::npos)
        name += ".csv";
    return name;
}

} // namespace orlan
