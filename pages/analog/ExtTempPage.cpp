#include "pages/analog/ExtTempPage.h"

#include <array>
#include <limits>

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/analog/AnalogText.h"

namespace orlan {

using namespace analog;

namespace {

constexpr std::string_view kSection = "PageETemp";

// The sent columns (1 … 10 of the cells): command name, editor field and
// how it is edited.
enum class EEdit { AnyText, Digits, Switch };
struct SSensorColumn {
    std::string_view command;
    std::string_view field;
    EEdit edit;
};
constexpr SSensorColumn kSent[] = {
    {"H", "high", EEdit::AnyText},          {"L", "low", EEdit::AnyText},
    {"B", "adjust", EEdit::AnyText},        {"OS", "hysteresis", EEdit::Digits},
    {"AS", "smsInterval", EEdit::Digits},   {"RS", "smsRepeat", EEdit::Digits},
    {"DLY", "confirmDelay", EEdit::Digits}, {"URG", "urgent", EEdit::Switch},
    {"SND", "sound", EEdit::Switch},        {"EN", "enabled", EEdit::Switch},
};
constexpr std::string_view kReadingField = "reading";

// "$ETEMP2 23.5,40,…" hands "2 23.5,40,…": the sensor, a separator, then
// the fields at 2, each of at most 31 characters.
constexpr size_t kFieldsAt = 2;
constexpr size_t kFieldChars = 31;

// "$EXTEMPUT 60" hands "UT 60": the code at 0, its value at 3.
struct STimerCode {
    std::string_view code;
    std::string_view field;
};
constexpr STimerCode kTimerCodes[] = {{"UT", "uartTimer"}, {"GT", "gprsTimer"}, {"ST", "eventTimer"},
                                      {"SS", "saveTimer"}, {"US", "rangeStart"}, {"UE", "rangeEnd"}};
constexpr size_t kTimerValueAt = 3;

constexpr std::string_view kUnitKeys[] = {"MODEC", "MODEF"};

SFieldDesc Reported(SFieldDesc desc, bool hidden = false)
{
    desc.readOnly = true;
    desc.hidden = hidden;
    desc.group = "shared";
    return desc;
}

std::string HeaderKey(size_t column)
{
    return "LISTC" + std::to_string(column);
}

} // namespace

CPageExtTemp::CPageExtTemp()
    : CPage({.className = "CPageExtTemp",
             .section = std::string(kSection),
             .navKey = "PAGE_DS1820",
             .profileTitle = "ex ds18b20 sensors",
             .defaultAnswerWaitMs = 3000})
{
    STableDesc table{.id = "sensors", .rowCount = kSensors, .dataColumns = kColumns};
    for (size_t c = 0; c <= kColumns; ++c)
        table.headerKeys.push_back(HeaderKey(c));
    m_tables.emplace_back(std::move(table));

    m_fields.AddGroup({.id = "shared", .captionKey = "SHARED"});
    AddSetting({.field = Reported(Text("uartTimer", "UARTTIMER"))});
    AddSetting({.field = Reported(Text("gprsTimer", "GPRSTIMER"))});
    AddSetting({.field = Reported(Text("eventTimer", "EVENTST"))});
    AddSetting({.field = Reported(Text("saveTimer", "SAVETIMER"))});
    AddSetting({.field = Reported(Flag("rangeEnabled", "GPRSTIMESPAN")), .keys = {"$ISETRANGE"}});
    AddSetting({.field = Reported(Text("rangeStart", "RANGE_START"))});
    AddSetting({.field = Reported(Text("rangeEnd", "RANGE_END"))});
    AddSetting({.field = Reported(Flag("logging", "LOGEN")), .keys = {"$ISTLOGG"}});
    AddSetting({.field = Reported(Flag("stepReport", "STEPUP")), .keys = {"$ISSTUEN"}});
    AddSetting({.field = Reported(Choice("unit", "TEMPMODE", CatalogueItems(kSection, kUnitKeys)), true),
                .initial = kNoSelection,
                .keys = {"$ISTUNIT"}});
    AddSetting({.field = Reported(Flag("stepSave", "STEPSAVE"), true), .keys = {"$ISSTSEN"}});
    AddSetting({.field = Reported(Flag("disconnectSms", "DISCONNSMS"), true), .keys = {"$ISTDISCONNSMS"}});
    for (size_t i = 0; i < std::size(kSent); ++i) {
        AddProfileInverse("%%ETEMP" + std::string(kSent[i].command) + "%zu=%s\r",
                          [this, i](const std::vector<std::string>& values) {
                              const std::optional<long long> sensor = ScannedNumber(values[0]);
                              if (!sensor || *sensor < 0 || *sensor >= static_cast<long long>(kSensors))
                                  return false;
                              m_tables.front().SetCell(static_cast<size_t>(*sensor), i + 1, values[1]);
                              return true;
                          });
    }
}

std::string CPageExtTemp::DumpRequest() const
{
    return "%DUMP_DS1\r";
}

std::vector<SDumpEntry> CPageExtTemp::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({"$ETEMP", [this](const SDumpValue& v) { StoreSensor(v); }});
    entries.push_back({"$EXTEMP", [this](const SDumpValue& v) { StoreTimer(v); }});
    return entries;
}

void CPageExtTemp::StoreSensor(const SDumpValue& value)
{
    const std::string_view text = value.text;
    const std::optional<size_t> sensor = ChannelAt(text, 0, kSensors);
    if (text.size() < 3 || !sensor)
        return;
    std::vector<std::string_view> fields = SplitFields(TextFrom(text, kFieldsAt), kFieldChars, kColumns, ",");
    // A last field is taken only when it holds something.
    if (!fields.empty() && fields.back().empty())
        fields.pop_back();
    for (size_t i = 0; i < fields.size(); ++i)
        m_tables.front().SetCell(*sensor, i, std::string(fields[i]));
    NotifyChanged();
}

void CPageExtTemp::StoreTimer(const SDumpValue& value)
{
    // The code stands right behind the key; a value never names another.
    for (const STimerCode& timer : kTimerCodes) {
        if (value.text.starts_with(timer.code)) {
            m_fields.SetText(timer.field, TextFrom(value.text, kTimerValueAt));
            NotifyChanged();
            return;
        }
    }
}

SPageJob CPageExtTemp::SaveJob() const
{
    // Each sensor went out when it was edited.
    return {.commands = {}, .bracketed = false, .end = EJobEnd::ReadPage};
}

CCommandList CPageExtTemp::SensorCommands(size_t sensor) const
{
    CCommandList commands;
    for (size_t i = 0; i < std::size(kSent); ++i) {
        std::string cell = Cell(sensor, i + 1);
        std::erase_if(cell, [](char c) { return c == '\r' || c == '\n'; });
        commands.push_back(
            {FormatWire("%%ETEMP%s%zu=%s\r", std::string(kSent[i].command).c_str(), sensor, cell.c_str())});
    }
    return commands;
}

CCommandList CPageExtTemp::SettingCommands(ETarget) const
{
    CCommandList commands;
    for (size_t sensor = 0; sensor < kSensors; ++sensor) {
        for (SCommand& command : SensorCommands(sensor))
            commands.push_back(std::move(command));
    }
    return commands;
}

std::optional<SRowEditor> CPageExtTemp::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kSensors)
        return std::nullopt;
    SRowEditor editor{.className = "CExtTempSetup",
                      .section = std::string(kSection),
                      .title = std::to_string(row) + "# ",
                      .titleKey = "Title"};
    SFieldDesc reading = Text(kReadingField, HeaderKey(1));
    reading.readOnly = true;
    editor.fields.Add(reading, {.text = Cell(row, 0)});
    for (size_t i = 0; i < std::size(kSent); ++i) {
        const SSensorColumn& column = kSent[i];
        const std::string& cell = Cell(row, i + 1);
        const std::string label = HeaderKey(i + 2);
        switch (column.edit) {
        case EEdit::AnyText:
            editor.fields.Add(Text(column.field, label), {.text = cell});
            break;
        case EEdit::Digits:
            editor.fields.Add(Spin(column.field, label, 0, std::numeric_limits<int>::max()), {.text = cell});
            break;
        case EEdit::Switch:
            editor.fields.Add(Flag(column.field, label), {.number = cell == "1" ? 1 : 0});
            break;
        }
    }
    return editor;
}

CCommandList CPageExtTemp::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kSensors)
        return {};
    for (const SSensorColumn& column : kSent) {
        if (!edited.Has(column.field))
            return {};
    }
    for (size_t i = 0; i < std::size(kSent); ++i) {
        const SSensorColumn& column = kSent[i];
        m_tables.front().SetCell(row, i + 1,
                                 column.edit == EEdit::Switch ? std::to_string(FlagDigit(edited, column.field))
                                                              : edited.LineText(column.field));
    }
    NotifyChanged();
    CCommandList commands{{"%STARTCMD\r"}};
    for (SCommand& command : SensorCommands(row))
        commands.push_back(std::move(command));
    commands.push_back({"%COMMITCMD\r"});
    return commands;
}

} // namespace orlan
