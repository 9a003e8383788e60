#include "pages/io/InterlockPage.h"

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/ProfileInverse.h"

namespace orlan {

namespace {

// An entry as its dialog sends it: entry, event code, command code.
constexpr const char* kEntryFormat = "%%ILOCK%zu,%lld,%lld\r";

// Each field of an "$ILOCK" line keeps at most this many characters.
constexpr std::size_t kFieldChars = 63;

bool Known(long long code, std::size_t count)
{
    return code >= 0 && code < static_cast<long long>(count);
}

// The name of a code, empty for one the table does not name.
template <std::size_t N>
std::string Name(const std::array<std::string_view, N>& names, long long code)
{
    return Known(code, N) ? std::string(names[static_cast<std::size_t>(code)]) : std::string();
}

template <std::size_t N>
std::vector<SChoiceItem> NameItems(const std::array<std::string_view, N>& names)
{
    std::vector<SChoiceItem> items;
    for (std::string_view name : names)
        items.push_back({.text = std::string(name)});
    return items;
}

// A list whose code the tables do not name selects nothing and says the
// terminal's code stays.
SFieldDesc KeepsUnknownCode(SFieldDesc desc)
{
    desc.noSelectionKey = "KEEP_CODE";
    return desc;
}

// The code the dialog left: the chosen one, or the reported one when the
// list had nothing to show for it and the user chose nothing.
long long ChosenCode(const CFieldSet& edited, std::string_view field, std::size_t count, long long reported)
{
    const int chosen = edited.Has(field) ? edited.Number(field) : -1;
    return Known(chosen, count) ? chosen : reported;
}

} // namespace

const std::array<std::string_view, CPageInterlock::kEvents>& CPageInterlock::EventNames()
{
    static const std::array<std::string_view, kEvents> names = {
        "NC",           "POWERUP",      "CLOCK SYNC",     "MINS",           "HOURS",
        "DAYS",         "ARM",          "DISARM",         "HOME ARM",       "POWER LOST",
        "POWER RECOVER", "TMP100 ALERT", "TMP100 RECOVER", "HUMIDITY ALERT", "HUMIDITY RECOVER",
        "DIN0 ALERT",   "DIN1 ALERT",   "DIN2 ALERT",     "DIN3 ALERT",     "DIN4 ALERT",
        "DIN5 ALERT",   "DIN6 ALERT",   "DIN7 ALERT",     "DIN0 RECOVER",   "DIN1 RECOVER",
        "DIN2 RECOVER", "DIN3 RECOVER", "DIN4 RECOVER",   "DIN5 RECOVER",   "DIN6 RECOVER",
        "DIN7 RECOVER", "AIN0 ALERT",   "AIN1 ALERT",     "AIN2 ALERT",     "AIN3 ALERT",
        "AIN0 RECOVER", "AIN1 RECOVER", "AIN2 RECOVER",   "AIN3 RECOVER",   "GPS Started"};
    return names;
}

const std::array<std::string_view, CPageInterlock::kCommands>& CPageInterlock::CommandNames()
{
    static const std::array<std::string_view, kCommands> names = {
        "NC",             "DISARM",           "ARM",              "OUTPUT0 ON",       "OUTPUT1 ON",
        "OUTPUT2 ON",     "OUTPUT3 ON",       "OUTPUT0 OFF",      "OUTPUT1 OFF",      "OUTPUT2 OFF",
        "OUTPUT3 OFF",    "OUTPUT0 PULSE",    "OUTPUT1 PULSE",    "OUTPUT2 PULSE",    "OUTPUT3 PULSE",
        "SNAPSHOOT OUTS", "DAILY SMS REPORT", "EXPORT AD BY COM", "EXPORT AD BY SMS", "EXEC USERCMD 0",
        "EXEC USERCMD 1", "EXEC USERCMD 2",   "EXEC USERCMD 3",   "EXEC USERCMD 4",   "EXEC USERCMD 5",
        "EXEC USERCMD 6", "GPRS UPLOAD",      "BUZZER BEEP",      "BUZZER ALARM"};
    return names;
}

CPageInterlock::CPageInterlock()
    : CPage({.className = "CPageInterlock",
             .section = "PageLink",
             .defaultAnswerWaitMs = 2000,
             .hasWriteBack = false,
             .headingSection = "PageLink",
             .headingKey = "TITLE_ILOCK"})
{
    // The codes stay with the page: the list shows only the names.
    m_tables.emplace_back(STableDesc{.id = "interlocks",
                                     .headerKeys = {"INDEX", "ON_EVENT", "EXEC_CMD"},
                                     .rowCount = kEntries,
                                     .dataColumns = 3,
                                     .numberedRows = false});
    for (std::size_t entry = 0; entry < kEntries; ++entry)
        m_tables.front().SetCell(entry, 0, std::to_string(entry));
    AddProfileInverse(kEntryFormat, [this](const std::vector<std::string>& values) {
        const std::optional<long long> entry = ScannedNumber(values[0]);
        const std::optional<long long> event = ScannedNumber(values[1]);
        const std::optional<long long> command = ScannedNumber(values[2]);
        if (!entry || !event || !command || *entry >= static_cast<long long>(kEntries))
            return false;
        StoreCodes(static_cast<std::size_t>(*entry), *event, *command);
        return true;
    });
}

bool CPageInterlock::RowInCompleteProfile(size_t table, size_t row) const
{
    // An entry never reported would go out as "no event, no command".
    return table == 0 && row < kEntries && m_tables.front().IsKnown(row, 1);
}

std::string CPageInterlock::DumpRequest() const
{
    return "%DUMP_TIMER\r";
}

std::vector<SDumpEntry> CPageInterlock::DumpEntries()
{
    return {{"$ILOCK", [this](const SDumpValue& value) { StoreEntry(value); }}};
}

void CPageInterlock::StoreEntry(const SDumpValue& value)
{
    // " 5,9,3": entry, event code, command code (field 0 is what stands
    // before the blank behind the key).
    const std::vector<std::string_view> fields = SplitFields(value.text, kFieldChars);
    if (fields.size() < 2)
        return;
    const int entry = LeadingIndex(fields[1]);
    if (entry < 0 || entry >= static_cast<int>(kEntries))
        return;
    StoreCodes(static_cast<std::size_t>(entry), fields.size() > 2 ? WholeNumber(fields[2]) : 0,
               fields.size() > 3 ? WholeNumber(fields[3]) : 0);
}

void CPageInterlock::StoreCodes(std::size_t entry, long long event, long long command)
{
    m_events[entry] = event;
    m_commands[entry] = command;
    CPageTable& table = m_tables.front();
    table.SetCell(entry, 1, Name(EventNames(), event));
    table.SetCell(entry, 2, Name(CommandNames(), command));
    NotifyChanged();
}

int CPageInterlock::EventCode(std::size_t entry) const
{
    return entry < kEntries && Known(m_events[entry], kEvents) ? static_cast<int>(m_events[entry]) : 0;
}

int CPageInterlock::CommandCode(std::size_t entry) const
{
    return entry < kEntries && Known(m_commands[entry], kCommands) ? static_cast<int>(m_commands[entry]) : 0;
}

std::optional<SRowEditor> CPageInterlock::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kEntries)
        return std::nullopt;
    SRowEditor editor{.className = "CInterLockDlg", .section = "PageLink"};
    // A code the tables do not name preselects nothing.
    const int event = Known(m_events[row], kEvents) ? static_cast<int>(m_events[row]) : -1;
    const int command = Known(m_commands[row], kCommands) ? static_cast<int>(m_commands[row]) : -1;
    editor.fields.Add(KeepsUnknownCode(Choice(kEventField, "ON_EVENT", NameItems(EventNames()))), {.number = event});
    editor.fields.Add(KeepsUnknownCode(Choice(kCommandField, "EXEC_CMD", NameItems(CommandNames()))),
                      {.number = command});
    return editor;
}

CCommandList CPageInterlock::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kEntries)
        return {};
    const long long event = ChosenCode(edited, kEventField, kEvents, m_events[row]);
    const long long command = ChosenCode(edited, kCommandField, kCommands, m_commands[row]);
    return {{FormatWire(kEntryFormat, row, event, command), kEditWaitMs}};
}

} // namespace orlan
