#pragma once
// A page that uses every description the generic views draw beyond plain
// fields: grid and plain groups, fields shown on a condition, read-only and
// picture fields, a growing event list with icons and width hints, a
// register list whose row editor holds a table of marks, and page actions.
#include <memory>
#include <string>

#include "ViewTestSupport.h"

namespace orlan::test {

inline constexpr std::string_view kDescribedCatalogue = R"(
[TABS]
PAGE_DESCRIBED=Described page
[PageDescribed]
INPUTS=Inputs
INPUT=Input
TYPE=Type
URGENT=Urgent
SOUND=Sound
ANALOG=Analog channels
AIN_A=Channel A
AIN_B=Channel B
NAME=Name
MODE=Output mode
PULSE=Pulse
PULSE_MS=Pulse length
PULSES=Pulses
VERSION=Version
ALARM_ON=Alarm active
SNAPSHOT=Snapshot
EVT_TIME=Time
EVT_TEXT=Event
REG_NAME=Register
REG_TYPE=Register type
RESET=Reset counters
DELETE=Delete event
[Readings]
READINGS=Current readings
[Buttons]
Save=Save
EDIT=Edit
[SYSMSG]
RESET_ASK=Reset all counters?
[SYSCHAR]
YES=Yes
)";

class CDescribedPage final : public CPage {
public:
    static constexpr size_t kEvents = 0;
    static constexpr size_t kRegisters = 1;
    static constexpr size_t kChannels = 10;

    explicit CDescribedPage(size_t eventLimit)
        : CPage(SPageInfo{"CPageDescribed", "PageDescribed", "PAGE_DESCRIBED", "", 2000, true})
    {
        m_fields.Add({.id = "name", .kind = EFieldKind::Text, .labelKey = "NAME"});
        m_fields.AddGroup({.id = "inputs", .captionKey = "INPUTS", .rows = 4, .columns = 3,
                           .columnKeys = {"INPUT", "TYPE", "URGENT", "SOUND"}, .rowPrefix = "IN",
                           .firstRowNumber = 1});
        for (const std::string n : {"0", "1", "2", "3"}) {
            m_fields.Add({.id = "inType" + n, .kind = EFieldKind::Choice, .labelKey = "TYPE",
                          .items = {{.text = "NO"}, {.text = "NC"}}, .group = "inputs"});
            m_fields.Add({.id = "inUrgent" + n, .kind = EFieldKind::Check, .labelKey = "URGENT", .group = "inputs"});
            m_fields.Add({.id = "inSound" + n, .kind = EFieldKind::Check, .labelKey = "SOUND", .group = "inputs"});
        }
        m_fields.AddGroup({.id = "analog", .captionKey = "ANALOG", .rows = 2, .columns = 1, .columnKeys = {"NAME"},
                           .rowKeys = {"AIN_A", "AIN_B"}});
        m_fields.Add({.id = "ainNameA", .kind = EFieldKind::Text, .group = "analog"});
        m_fields.Add({.id = "ainNameB", .kind = EFieldKind::Text, .group = "analog"});
        m_fields.Add({.id = "mode", .kind = EFieldKind::Choice, .labelKey = "MODE",
                      .items = {{.text = "Off"}, {.text = "Pulse"}, {.text = "Level"}}},
                     {"", 0});
        m_fields.AddGroup({.id = "pulse", .captionKey = "PULSE"});
        m_fields.Add({.id = "pulseMs", .kind = EFieldKind::Spin, .labelKey = "PULSE_MS", .maximum = 9999,
                      .visibleWhen = {"mode", {1}}, .group = "pulse"});
        m_fields.Add({.id = "pulses", .kind = EFieldKind::Spin, .labelKey = "PULSES", .maximum = 99,
                      .visibleWhen = {"mode", {1}}, .group = "pulse"});
        m_fields.Add({.id = "level", .kind = EFieldKind::Check, .labelKey = "LEVEL", .visibleWhen = {"mode", {2}}});
        m_fields.AddGroup({.id = "readings", .captionKey = "READINGS", .captionSection = "Readings"});
        m_fields.Add({.id = "version", .kind = EFieldKind::Text, .labelKey = "VERSION", .readOnly = true,
                      .group = "readings"},
                     {"Version 3", 0});
        m_fields.Add({.id = "alarmOn", .kind = EFieldKind::Check, .labelKey = "ALARM_ON", .readOnly = true,
                      .group = "readings"});
        m_fields.Add({.id = "snapshot", .kind = EFieldKind::Image, .labelKey = "SNAPSHOT"});

        m_tables.emplace_back(STableDesc{.id = "events",
                                         .headerKeys = {"EVT_TIME", "EVT_TEXT"},
                                         .dataColumns = 2,
                                         .numberedRows = false,
                                         .order = ERowOrder::NewestFirst,
                                         .rowLimit = eventLimit,
                                         .columnWidths = {19},
                                         .icon = EventIcon});
        m_tables.emplace_back(STableDesc{.id = "registers", .headerKeys = {"", "REG_NAME", "REG_TYPE"},
                                         .rowCount = 4, .dataColumns = 2, .rowLabelPrefix = "R"});

        AddAction({.id = "reset", .labelKey = "RESET", .confirmKey = "RESET_ASK"});
        AddAction({.id = "edit", .labelKey = "EDIT", .labelSection = "Buttons", .rowEditorTable = kRegisters});
        AddAction({.id = "delete", .labelKey = "DELETE", .needsRowOf = kEvents});
    }

    // The event text's first word picks the icon.
    static ECellIcon EventIcon(const CPageTable& table, size_t row, size_t column)
    {
        const std::string& text = table.Cell(row, 1);
        if (column != 1)
            return ECellIcon::None;
        return text.starts_with("ALARM") ? ECellIcon::Alarm
               : text.starts_with("FAULT") ? ECellIcon::Fault
               : text.starts_with("OFFLINE") ? ECellIcon::Offline
                                             : ECellIcon::Normal;
    }

    std::string DumpRequest() const override { return "%DUMP_DESCRIBED\r"; }

    std::optional<SPageJob> ActionJob(std::string_view actionId, std::optional<size_t> row) override
    {
        if (actionId == "reset")
            return SPageJob{{SCommand{"%RESETCNT\r"}}, false, EJobEnd::Nothing};
        if (actionId == "delete" && row)
            return SPageJob{{SCommand{"%DELEVT" + m_tables[kEvents].Cell(*row, 0) + "\r"}}, false, EJobEnd::Nothing};
        return std::nullopt;
    }

    // A register: its name, its type, an address that only some types have,
    // and the channels that read it as a row of marks.
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override
    {
        if (table != kRegisters || row >= m_tables[kRegisters].Rows())
            return std::nullopt;
        SRowEditor editor{"CInputRegister", "PageDescribed", {}, {}};
        editor.fields.Add({.id = "regName", .kind = EFieldKind::Text, .labelKey = "REG_NAME"},
                          {m_tables[kRegisters].Cell(row, 0), 0});
        editor.fields.Add({.id = "regType", .kind = EFieldKind::Choice, .labelKey = "REG_TYPE",
                           .items = {{.text = "Coil"}, {.text = "Holding"}, {.text = "Input"}}});
        editor.fields.Add({.id = "regAddr", .kind = EFieldKind::Text, .labelKey = "REG_ADDR",
                           .visibleWhen = {"regType", {1, 2}}});
        STableDesc channels{.id = "channels", .rowCount = 1, .dataColumns = kChannels, .numberedRows = false,
                            .toggleCells = true, .toggleOn = "O", .toggleOff = "X"};
        for (size_t c = 0; c < kChannels; ++c)
            channels.fixedHeaders.push_back(std::to_string(c));
        editor.tables.emplace_back(std::move(channels)).SetRowMask(0, 0, kChannels, 0b101);
        return editor;
    }

    CCommandList CommitRow(size_t, size_t row, const CFieldSet& edited) override
    {
        return {SCommand{"%REG" + std::to_string(row) + "," + edited.Text("regName") + "\r"}};
    }
};

// A session with the described page attached, over a recording sink.
struct SDescribedHarness {
    explicit SDescribedHarness(size_t eventLimit)
    {
        catalogue.BindText(kDescribedCatalogue);
        page = static_cast<CDescribedPage*>(&session.AddPage(std::make_unique<CDescribedPage>(eventLimit)));
    }

    CRecordingSink sink;
    CManualClock clock;
    CBusyRecordingView sessionView;
    CTerminalSession session{sessionView, sink, clock};
    CLabelCatalogue catalogue;
    CDescribedPage* page = nullptr;
};

} // namespace orlan::test
