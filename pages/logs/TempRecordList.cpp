#include "pages/logs/TempRecordList.h"

#include "console/WireFormat.h"

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
}

std::string CTempRecordPage::StatusText() const
{
    return FormatWire("%d Rcd; Alarm %d", m_records, m_alarms);
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
    // Either limit empties the list; the record that meets it is then the
    // first of the new list, so the counters always count what is listed.
    const bool addsRow = record.marked && !record.entries.empty();
    if (m_records + 1 > m_recordLimit || (addsRow && list.Rows() >= m_rowLimit)) {
        list.Clear();
        m_records = 0;
        m_alarms = 0;
    }
    ++m_records;
    if (!addsRow)
        return;
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
        cells[TemperatureColumn(k)] = entry.text;
    }
    list.AddRow(std::move(cells));
    OnRowAdded();
}

} // namespace orlan
