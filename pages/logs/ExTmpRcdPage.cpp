#include "pages/logs/ExTmpRcdPage.h"

#include <ctime>

#include "console/WireFormat.h"
#include "labels/LabelCatalogue.h"
#include "pages/logs/RecordCsv.h"

namespace orlan {

SLocalDateTime LocalDateTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

CPageExTmpRcd::CPageExTmpRcd()
    : CTempRecordPage({.className = "CPageExTmpRcd",
                       .section = "PageETmpLogs",
                       .headingSection = "PageETmpLogs",
                       .headingKey = "TITLE"},
                      kRealtimeRecordType, kRowLimit, kRecordLimit)
{
}

void CPageExTmpRcd::LoadLabels(const CLabelCatalogue& catalogue)
{
    CTempRecordPage::LoadLabels(catalogue);
    std::string title = catalogue.Lookup("CHART_TITLE", m_info.section);
    m_chartTitle = title.empty() ? std::string(kChartTitlePattern) : std::move(title);
}

std::string CPageExTmpRcd::TimeText(const SLocalDateTime& at)
{
    return FormatWire("%d/%2.2d/%2.2d %2.2d:%2.2d:%2.2d", at.year, at.month, at.day, at.hour, at.minute, at.second);
}

std::string CPageExTmpRcd::TimeCell(const STempRecord&) const
{
    return TimeText(m_clock());
}

void CPageExTmpRcd::OnRowAdded()
{
    if (m_file != nullptr && m_file->IsOpen())
        m_file->Append(CsvLine(List(), 0));
}

} // namespace orlan
