#include "pages/logs/TempRecordList.h"

#include "labels/LabelCatalogue.h"

namespace orlan {

namespace {

ECellIcon StateIcon(std::string_view state)
{
    if (state == "0")
        return ECellIcon::Normal;
    if (state == "1")
        return ECellIcon::Alarm;
    if (state == "2")
        return ECellIcon::Offline;
    return ECellIcon::None;
}

// The state words: catalogue key and built-in text, by state digit.
struct SStateWord {
    std::string_view key;
    std::string_view builtIn;
};
constexpr SStateWord kStateWords[] = {
    {"STATE_NORMAL", "Normal"},
    {"STATE_ALARM", "Alarm"},
    {"STATE_DISCONNECTED", "Disconnected"},
};
constexpr std::string_view kStatusKey = "RECORDS";
constexpr std::string_view kStatusPattern = "%d Rcd; Alarm %d";

STableDesc RecordListDesc(size_t rowLimit)
{
    STableDesc desc{.id = "records", .numberedRows = false};
    desc.dataColumns = CTempRecordPage::kColumns;
    desc.headerKeys = {"LISTC0"};
    desc.columnWidths = {19};
    for (size_t k = 0; k < CTempRecordPage::kSensors; ++k) {
        desc.headerKeys.push_back({});  // the state column has no caption
        desc.headerKeys.push_back("LISTC" + std::to_string(k + 1));
        desc.columnWidths.push_back(5);
        desc.columnWidths.push_back(8);
    }
    desc.order = ERowOrder::NewestFirst;
    // The page empties the list before it grows past its limit.
    desc.rowLimit = rowLimit;
    desc.icon = TempRecordIcon;
    return desc;
}

} // namespace

ECellIcon TempRecordIcon(const CPageTable& table, size_t row, size_t column)
{
    if (column == 0) {
        for (size_t k = 0; k < CTempRecordPage::kSensors; ++k) {
            if (table.Cell(row, CTempRecordPage::StateColumn(k)) == "1")
                return ECellIcon::Alarm;
        }
        return ECellIcon::None;
    }
    return column % 2 == 1 ? StateIcon(table.Cell(row, column)) : ECellIcon::None;
}

CTempRecordPage::CTempRecordPage(SPageInfo info, int recordType, size_t rowLimit, int recordLimit)
    : CPage(std::move(info)), m_recordType(recordType), m_rowLimit(rowLimit), m_recordLimit(recordLimit)
{
    m_info.hasWriteBack = false;
    m_info.lineFeed = ELineFeed::EveryDollarLine;
    m_tables.emplace_back(RecordListDesc(rowLimit));
    for (size_t s = 0; s < m_stateWords.size(); ++s)
        m_stateWords[s] = kStateWords[s].builtIn;
    m_statusPattern = kStatusPattern;
}

std::string CTempRecordPage::StateWord(std::string_view state) const
{
    if (state.size() == 1 && state[0] >= '0' && static_cast<size_t>(state[0] - '0') < m_stateWords.size())
        return m_stateWords[static_cast<size_t>(state[0] - '0')];
    return std::string(state);
}

void CTempRecordPage::LoadLabels(const CLabelCatalogue& catalogue)
{
    for (size_t s = 0; s < m_stateWords.size(); ++s) {
        std::string word = catalogue.Lookup(kStateWords[s].key, m_info.section);
        m_stateWords[s] = word.empty() ? std::string(kStateWords[s].builtIn) : std::move(word);
    }
    std::string status = catalogue.Lookup(kStatusKey, m_info.section);
    m_statusPattern = status.empty() ? std::string(kStatusPattern) : std::move(status);
}

std::string CTempRecordPage::StatusText() const
{
    // The counts go in by hand, in order: a translated pattern is never
    // handed to printf.
    std::string text = m_statusPattern;
    for (const int count : {m_records, m_alarms}) {
        const size_t at = text.find("%d");
        if (at == std::string::npos)
            break;
        text.replace(at, 2, std::to_string(count));
    }
    return text;
}

void CTempRecordPage::ResetList()
{
    m_tables[kRecordList].Clear();
    m_records = 0;
    m_alarms = 0;
    NotifyChanged();
}

void CTempRecordPage::ParseLine(std::string_view line)
{
    bool changed = false;
    ScanTempRecords(line, [this, &changed](const STempRecord& record) {
        if (record.type != m_recordType)
            return;
        TakeRecord(record);
        changed = true;
    });
    if (changed)
        NotifyChanged();
}

void CTempRecordPage::TakeRecord(const STempRecord& record)
{
    CPageTable& list = m_tables[kRecordList];
    // Only a record that makes a row counts: a "$" line that merely has the
    // type's digits where a record's type would stand (a name's hex, a
    // record whose marker is missing) would otherwise raise the counter
    // over rows that never came.
    if (!record.marked || record.entries.empty())
        return;
    // Either limit empties the list; the record that meets it is then the
    // first of the new list, so the counters always count what is listed.
    if (m_records + 1 > m_recordLimit || list.Rows() >= m_rowLimit) {
        list.Clear();
        m_records = 0;
        m_alarms = 0;
    }
    ++m_records;
    std::vector<std::string> cells(kColumns);
    cells[0] = TimeCell(record);
    for (size_t k = 0; k < record.entries.size(); ++k) {
        const STempEntry& entry = record.entries[k];
        if (entry.state == '1')
            ++m_alarms;
        // Entries beyond the sixth sensor have no column.
        if (k >= kSensors)
            continue;
        cells[StateColumn(k)] = std::string(1, entry.state);
        if (entry.state != kSensorDisconnected)
            cells[TemperatureColumn(k)] = entry.text;
    }
    list.AddRow(std::move(cells));
    OnRowAdded();
}

} // namespace orlan
