#include "pages/analog/GraycodePage.h"

#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/analog/AnalogText.h"

namespace orlan {

using namespace analog;

namespace {

constexpr std::string_view kKey = "$GRAY";

// Each line's name behind "$GRAY", its field and where its value starts,
// counted from the "$".
struct SGrayLine {
    std::string_view name;
    std::string_view field;
    size_t valueAt;
};
constexpr SGrayLine kLines[] = {
    {"L", "rangeLow", 7},          {"H", "rangeHigh", 7},           {"STEP", "step", 10},
    {"ADJ", "offset", 9},          {"BITS", "bits", 10},            {"ACCS", "accuracy", 10},
    {"TIMER", "timer", 11},        {"DETT", "detectTime", 10},      {"EVENTCNT", "eventCount", 14},
    {"EVENTMIN", "eventMinutes", 14}, {"REPHS", "reportStart", 11}, {"REPHE", "reportEnd", 11},
    {"VALUEV", "value", 12},       {"VALUEB", "binary", 12},        {"VALUEG", "gray", 12},
};

SFieldDesc Grouped(SFieldDesc desc, std::string_view group, bool readOnly = false)
{
    desc.group = std::string(group);
    desc.readOnly = readOnly;
    return desc;
}

constexpr char kRangeFormat[] = "%%GRAYRANGE%s,%s\r";
constexpr char kEventFormat[] = "%%GRAYEVENT%s,%s\r";

} // namespace

CPageGraycode::CPageGraycode()
    : CPage({.className = "CPageGraycode",
             .section = "PageGryCode",
             .defaultAnswerWaitMs = 3000,
             .headingSection = "PageGryCode",
             .headingKey = "Frame"})
{
    m_fields.AddGroup({.id = "range", .captionKey = "RANGE"});
    m_fields.AddGroup({.id = "events", .captionKey = "EVENTS"});
    m_fields.AddGroup({.id = "reports", .captionKey = "UPTHE"});
    m_fields.AddGroup({.id = "readings", .captionKey = "VALUE"});
    AddSetting({.field = Grouped(Decimal(Text("rangeLow", "RANGE_LOW")), "range")});
    AddSetting({.field = Grouped(Decimal(Text("rangeHigh", "RANGE_HIGH")), "range")});
    AddSetting({.field = Decimal(Text("step", "STEP")), .command = "%%GRAYSTEP%s\r"});
    AddSetting({.field = Decimal(Text("offset", "ADJ")), .command = "%%GRAYOFFSET%s\r"});
    AddSetting({.field = Whole(Text("bits", "BITS"), 1, 32), .command = "%%GRAYBITS%s\r"});
    AddSetting({.field = Decimal(Text("accuracy", "ACC")), .command = "%%GRAYACCS%s\r"});
    AddSetting({.field = Whole(Text("timer", "TIMER")), .command = "%%GRAYTIMER%s\r"});
    AddSetting({.field = Whole(Text("detectTime", "DETT")), .command = "%%GRAYDETT%s\r"});
    AddSetting({.field = Grouped(Whole(Text("eventCount", "EVENTC")), "events")});
    AddSetting({.field = Grouped(Whole(Text("eventMinutes", "EVENTM")), "events")});
    // Never sent: shown as the terminal reports them.
    AddSetting({.field = Grouped(Text("reportStart", "UPTHS"), "reports", true)});
    AddSetting({.field = Grouped(Text("reportEnd", "UPTHEND"), "reports", true)});
    AddSetting({.field = Grouped(Text("value", "VALUEV"), "readings", true)});
    AddSetting({.field = Grouped(Text("binary", "VALUEB"), "readings", true)});
    AddSetting({.field = Grouped(Text("gray", "VALUEG"), "readings", true)});
    AddProfileInverse(kRangeFormat, IntoFields(m_fields, {"rangeLow", "rangeHigh"}));
    AddProfileInverse(kEventFormat, IntoFields(m_fields, {"eventCount", "eventMinutes"}));
}

std::string CPageGraycode::DumpRequest() const
{
    return "%DUMP_GRAY\r";
}

std::vector<SDumpEntry> CPageGraycode::DumpEntries()
{
    return {{std::string(kKey), [this](const SDumpValue& v) { StoreLine(v); }}};
}

void CPageGraycode::StoreLine(const SDumpValue& value)
{
    const size_t at = value.line.find(kKey);
    if (at == std::string_view::npos)
        return;
    const std::string_view line = value.line.substr(at);
    const std::string_view name = line.substr(kKey.size());
    for (const SGrayLine& gray : kLines) {
        // No name is the start of another, so the first that fits is it.
        if (name.starts_with(gray.name)) {
            m_fields.SetText(gray.field, TextFrom(line, gray.valueAt));
            NotifyChanged();
            return;
        }
    }
}

CCommandList CPageGraycode::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    CCommandList commands{
        {FormatWire(kRangeFormat, f.LineText("rangeLow").c_str(), f.LineText("rangeHigh").c_str())}};
    for (SCommand& command : PlainCommands({"step", "offset", "bits", "accuracy", "timer", "detectTime"}))
        commands.push_back(std::move(command));
    commands.push_back(
        {FormatWire(kEventFormat, f.LineText("eventCount").c_str(), f.LineText("eventMinutes").c_str())});
    return commands;
}

} // namespace orlan
