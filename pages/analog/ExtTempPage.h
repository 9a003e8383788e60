#pragma once
// Up to six external DS18B20 sensors on the terminal's one-wire bus: one row
// per sensor, edited in CExtTempSetup and sent at once; the sensors' shared
// report and logging settings are shown as the terminal reports them (this
// page sends none of them). Save sends nothing and reads the page again.
//
// Table "sensors": rows 0 … 5; cells reading, high, low, adjustment,
// hysteresis, SMS interval, SMS repeat, confirmation delay, urgent, sound,
// enabled (the switches "1"/"0"), kept as received or entered.
// Field ids (shown only): uartTimer, gprsTimer, eventTimer, saveTimer,
// rangeStart, rangeEnd, rangeEnabled, logging, stepReport and the hidden
// unit, stepSave, disconnectSms.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageExtTemp final : public CPage {
public:
    static constexpr size_t kSensors = 6;
    static constexpr size_t kColumns = 11;

    CPageExtTemp();

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    SPageJob SaveJob() const override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    const std::string& Cell(size_t sensor, size_t column) const { return m_tables.front().Cell(sensor, column); }

protected:
    // The profile: the ten commands of every sensor, sensor 0 first.
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreSensor(const SDumpValue& value);
    void StoreTimer(const SDumpValue& value);
    CCommandList SensorCommands(size_t sensor) const;
};

} // namespace orlan
