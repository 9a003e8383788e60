#include "pages/io/CioPage.h"

#include <algorithm>
#include <array>

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/io/IoText.h"

namespace orlan {

namespace {

constexpr std::string_view kPulseTime = "pulseTime";
constexpr std::string_view kDisarmed = "disarmedInterlock";
constexpr std::string_view kUrgentDisarmed = "urgentDisarmedInterlock";

// Position = action index sent; 4 and 5 mean what the catalogue says.
constexpr std::array<io::SLabelWord, CPageCio::kActions> kActionWords = {{
    {"PageLink", "LTYPE0", "Open"},
    {"PageLink", "LTYPE1", "Close"},
    {"PageLink", "LTYPE2", "Close for one pulse"},
    {"PageLink", "LTYPE3", "Close for 300 seconds"},
    {"PageLink", "LTYPE4", "Action 4"},
    {"PageLink", "LTYPE5", "Action 5"},
    {"PageLink", "LTYPEN", "No action"},
}};

constexpr io::SLabelWord kNoSource{"PageLink", "ASOURCEN", "None"};
constexpr io::SLabelWord kDigitalInput{"PageLink", "ASOURCE_DIN", "Digital input"};
constexpr io::SLabelWord kAnalogInput{"PageLink", "ASOURCE_AIN", "Analog input"};
constexpr io::SLabelWord kInternalTemp{"PageLink", "ASOURCE_ITEMP", "Internal temperature alarm"};
constexpr io::SLabelWord kPower{"PageLink", "ASOURCE_POW", "Power supply alarm"};
constexpr io::SLabelWord kCall{"PageLink", "ASOURCE_CALL", "Incoming call"};
constexpr io::SLabelWord kHumidity{"PageLink", "ASOURCE_HUMI", "Humidity alarm"};
constexpr io::SLabelWord kExternalTemp{"PageLink", "ASOURCE_ETEMP", "External temperature sensor"};
constexpr io::SLabelWord kArming{"PageLink", "ASOURCE_ARM", "Arming"};

// Position = source index sent.
std::vector<SChoiceItem> SourceItems()
{
    std::vector<SChoiceItem> items{io::WordItem(kNoSource)};
    auto numbered = [&items](const io::SLabelWord& word, int count) {
        for (int n = 0; n < count; ++n)
            items.push_back(io::WordItem(word, std::to_string(n) + " "));
    };
    numbered(kDigitalInput, 4);
    numbered(kAnalogInput, 4);
    for (const io::SLabelWord& word : {kInternalTemp, kPower, kCall, kHumidity})
        items.push_back(io::WordItem(word));
    numbered(kExternalTemp, 6);
    items.push_back(io::WordItem(kArming));
    return items;
}

std::string RowId(std::size_t row, std::string_view what)
{
    return "row" + std::to_string(row) + std::string(what);
}

// "$OAS3 9": the row digit right behind the key, the source two later.
constexpr std::size_t kSourceAt = 2;

// A row's source: the row is one digit, so the source behind it stays apart
// when read back.
constexpr char kSourceFormat[] = "%%IOOA%1zu%d\r";

} // namespace

std::string CPageCio::FirstActionId(std::size_t row) { return RowId(row, "FirstAction"); }
std::string CPageCio::SecondActionId(std::size_t row) { return RowId(row, "SecondAction"); }
std::string CPageCio::SourceId(std::size_t row) { return RowId(row, "Source"); }

CPageCio::CPageCio()
    : CPage({.className = "CPageCio",
             .section = "PageLink",
             .navKey = "PAGE_INTERLOCK",
             .profileTitle = "Interlock actions",
             .defaultAnswerWaitMs = 3000})
{
    std::vector<std::string> rowKeys;
    for (std::size_t r = 0; r < kRows; ++r)
        rowKeys.push_back("LAB" + std::to_string(r + 1));
    // "T1" heads the row captions; then first action, second action, source.
    m_fields.AddGroup({.id = "links",
                       .captionKey = "TITLE",
                       .rows = kRows,
                       .columns = 3,
                       .columnKeys = {"T1", "T2", "T3", "T4"},
                       .rowKeys = rowKeys});
    const std::vector<SChoiceItem> actions = io::WordItems(kActionWords);
    const std::vector<SChoiceItem> sources = SourceItems();
    for (std::size_t r = 0; r < kRows; ++r) {
        const std::string label = rowKeys[r];
        SFieldDesc first = io::ShowsNotSet(Choice(FirstActionId(r), label, actions));
        SFieldDesc second = io::ShowsNotSet(Choice(SecondActionId(r), label, actions));
        SFieldDesc source = io::ShowsNotSet(Choice(SourceId(r), label, sources));
        first.group = second.group = source.group = "links";
        m_fields.Add(std::move(first), kNoSelection);
        m_fields.Add(std::move(second), kNoSelection);
        m_fields.Add(std::move(source), kNoSelection);
    }
    AddSetting({.field = Whole(Text(kPulseTime, "PULSET")), .keys = {"$IOPO"}, .command = "%%IOPO%s\r"});
    AddSetting({.field = Flag(kDisarmed, "DISARM"), .keys = {"$INTERLOCKDISARM"}, .command = "%%INTERLOCKDISARM%d\r"});
    AddSetting({.field = Flag(kUrgentDisarmed, "URGDISARM"),
                .keys = {"$INTERLOCKURG"},
                .command = "%%INTERLOCKURG%d\r"});
    // Read back from a profile: the sixteen actions as their dump line
    // gives them, and a row's source (the rows are one digit).
    AddProfileInverse("%%IOOC%s\r", [this](const std::vector<std::string>& values) {
        const std::string& marks = values[0];
        if (marks.size() != 2 * kRows || !std::all_of(marks.begin(), marks.end(), IsDigit))
            return false;
        StoreActions({.line = {}, .text = marks});
        return true;
    });
    AddProfileInverse(kSourceFormat, [this](const std::vector<std::string>& values) {
        const std::optional<long long> row = ScannedNumber(values[0]);
        const std::optional<long long> source = ScannedNumber(values[1]);
        if (!row || !source || *row >= static_cast<long long>(kRows) || *source < 0)
            return false;
        m_fields.SetChoice(SourceId(static_cast<std::size_t>(*row)), static_cast<int>(*source));
        return true;
    });
}

std::string CPageCio::DumpRequest() const
{
    return "%DUMP_GPIO\r%DUMP_SYS\r";
}

std::vector<SDumpEntry> CPageCio::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({"$IOOC", [this](const SDumpValue& value) { StoreActions(value); }});
    entries.push_back({"$OAS", [this](const SDumpValue& value) { StoreSource(value); }});
    return entries;
}

void CPageCio::StoreActions(const SDumpValue& value)
{
    // One character per action: the first actions of rows 0-7, then the
    // second ones; "n" is no action, other characters leave the row.
    const std::string_view marks = value.text.substr(0, 2 * kRows);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const char c = marks[i];
        int action = -1;
        if (c >= '0' && c <= '6')
            action = c - '0';
        else if (c == 'n' || c == 'N')
            action = kNoAction;
        if (action < 0)
            continue;
        const std::size_t row = i % kRows;
        m_fields.SetChoice(i < kRows ? FirstActionId(row) : SecondActionId(row), action);
    }
    NotifyChanged();
}

void CPageCio::StoreSource(const SDumpValue& value)
{
    const std::string_view text = value.text;
    if (text.empty() || text.front() < '0' || text.front() > '7')
        return;
    m_fields.SetChoice(SourceId(static_cast<std::size_t>(text.front() - '0')), LeadingIndex(io::TextFrom(text, kSourceAt)));
    NotifyChanged();
}

CCommandList CPageCio::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    // Sixteen numbers back to back: an action never set goes as -1, the
    // terminal takes the arguments by their layout.
    std::string actions = "%IOOC";
    for (std::size_t r = 0; r < kRows; ++r)
        actions += std::to_string(f.Number(FirstActionId(r)));
    for (std::size_t r = 0; r < kRows; ++r)
        actions += std::to_string(f.Number(SecondActionId(r)));
    CCommandList commands{{actions + "\r"}};
    for (std::size_t r = 0; r < kRows; ++r)
        commands.push_back({FormatWire(kSourceFormat, r, f.Number(SourceId(r)))});
    for (SCommand& command : PlainCommands({kPulseTime, kDisarmed, kUrgentDisarmed}))
        commands.push_back(std::move(command));
    return commands;
}

} // namespace orlan
