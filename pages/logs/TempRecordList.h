#pragma once
// What the two temperature record pages share: the 13-column record list
// (newest on top), the records and alarm counters with their status text,
// the two limits that empty the list, and the scan of every "$" line for
// the page's own record type. The records counter counts the rows the list
// took, so "%d Rcd" always says how many rows are listed; a disconnected
// sensor's temperature cell stays empty (its reading means nothing).
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "console/TempRecords.h"
#include "pages/Page.h"

namespace orlan {

class CTempRecordPage : public CPage {
public:
    static constexpr size_t kSensors = 6;
    static constexpr size_t kColumns = 1 + 2 * kSensors;
    static constexpr size_t kRecordList = 0;

    // The column of sensor k's state and of its temperature.
    static constexpr size_t StateColumn(size_t sensor) { return 2 * sensor + 1; }
    static constexpr size_t TemperatureColumn(size_t sensor) { return 2 * sensor + 2; }

    // The records never come from a dump: a page read or a whole read
    // leaves them as they are.
    void Clear() override {}
    std::string DumpRequest() const override { return {}; }
    void ParseLine(std::string_view line) override;

    const CPageTable& List() const { return m_tables[kRecordList]; }
    int Records() const { return m_records; }
    int Alarms() const { return m_alarms; }
    // "%d Rcd; Alarm %d", or the catalogue's pattern for it once loaded.
    std::string StatusText() const;
    // Reset list: no rows, both counters 0.
    void ResetList();

    // The word shown for a state cell ("0", "1", "2"); other states as sent.
    // Built-in English until LoadLabels.
    std::string StateWord(std::string_view state) const;
    void LoadLabels(const CLabelCatalogue& catalogue) override;

    int RecordType() const { return m_recordType; }
    size_t RowLimit() const { return m_rowLimit; }
    int RecordLimit() const { return m_recordLimit; }

protected:
    CTempRecordPage(SPageInfo info, int recordType, size_t rowLimit, int recordLimit);

    // Column 0 of a record's row.
    virtual std::string TimeCell(const STempRecord& record) const = 0;
    // A record of the page's type put a new row on top.
    virtual void OnRowAdded() {}

private:
    void TakeRecord(const STempRecord& record);

    int m_recordType;
    size_t m_rowLimit;
    int m_recordLimit;
    int m_records = 0;
    int m_alarms = 0;
    std::array<std::string, 3> m_stateWords;
    std::string m_statusPattern;
};

// The rule of the list's icons: a state cell by its state, and the time
// cell of a row with an alarm.
ECellIcon TempRecordIcon(const CPageTable& table, size_t row, size_t column);

// The record's state of a sensor that is not connected: its reading is no
// temperature.
inline constexpr char kSensorDisconnected = '2';

} // namespace orlan
