#pragma once
// The packet-data connection: GPRS on or off, the access point and its
// credentials, DNS, time-outs, the unit identifiers of the reporting
// protocols, three service switches, and the four data centres the terminal
// connects to. A data centre is edited in its own dialog (CGprsSvrSetup) and
// sent at once; Save writes the settings only.
//
// Field ids: gprsEnable, apn, user, password (masked), dns, idleTimeout,
// modbusUnitId, tcpTimeout, deviceId, gprsDtu, qexIo, qexNtp.
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

// The terminal's service protocol code of a protocol name as the data-centre
// list shows it; 255 for a name it does not know. The longer names are
// tried first, so "MODBUS TCP Over Eth" is never taken for "MODBUS TCP".
int GprsProtocolCode(std::string_view name);
// The name shown for a code 0 ... 9; empty for any other.
std::string_view GprsProtocolName(int code);

class CPageGPRS final : public CPage {
public:
    static constexpr size_t kCentres = 4;
    static constexpr int kWaitMs = 3000;
    // Data-centre columns behind the row label.
    enum EColumn : size_t {
        kAddressColumn = 1,
        kPortColumn,
        kTransportColumn,
        kProtocolColumn,
        kIdleColumn,
        kResponseColumn,
        kHeartbeatColumn,
        kColumns
    };
    // The row dialog's fields.
    static constexpr std::string_view kAddressField = "address";
    static constexpr std::string_view kPortField = "port";
    static constexpr std::string_view kTransportField = "transport";
    static constexpr std::string_view kProtocolField = "protocol";
    static constexpr std::string_view kIdleField = "idle";
    static constexpr std::string_view kResponseField = "response";
    static constexpr std::string_view kHeartbeatField = "heartbeat";

    CPageGPRS();

    // The settings empty; the data centres keep what was last read.
    void Clear() override;
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    void LoadLabels(const CLabelCatalogue& catalogue) override;

    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    std::string RowEditError(size_t table, size_t row, const CFieldSet& edited) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;
    // A complete profile holds the data centres as their dialog sends them.
    bool RowsInCompleteProfile() const override { return true; }

    const std::string& Cell(size_t row, size_t column) const { return m_tables.front().Cell(row, column); }

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreCentre(std::string_view line);
    void LabelRows();

    std::string m_rowLabel;
};

} // namespace orlan
