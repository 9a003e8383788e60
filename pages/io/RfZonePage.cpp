#include "pages/io/RfZonePage.h"

#include <array>
#include <cstdint>

#include "console/ConsoleCommands.h"
#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "labels/TextCodec.h"
#include "pages/FieldHelpers.h"
#include "pages/OutputItems.h"
#include "pages/io/IoText.h"

namespace orlan {

namespace {

constexpr io::SLabelWord kNoneWord{"SYSCHAR", "NC", "None"};
constexpr io::SLabelWord kOutputWord{"SYSCHAR", "LINKDO", "Output "};
constexpr std::array<io::SLabelWord, 2> kVideoChannels = {{
    {"DlgRf", "VCH1", "Channel 1"},
    {"DlgRf", "VCH2", "Channel 2"},
}};

// "$WINEND3 1": the zone number behind the key, one separator, the value.
constexpr std::size_t kZoneDigits = 10;
constexpr std::size_t kMaxSlotDigits = 11;

struct SZoneKey {
    std::string_view key;
    std::size_t column;  // 0: parsed, but the list has no column for it
};
constexpr SZoneKey kZoneKeys[] = {
    {"$WINEND", CPageRfZone::kEnabledColumn}, {"$WINSND", CPageRfZone::kSoundColumn},
    {"$WINURG", CPageRfZone::kUrgentColumn},  {"$WINCOD", CPageRfZone::kCodeColumn},
    {"$WINLDO", CPageRfZone::kOutputColumn},  {"$WINZS", CPageRfZone::kIntervalColumn},
    {"$WINVPC", 0},
};

// The zone commands, as the row dialog and the profile write them and the
// profile reads them back. The switches take the zone in hex.
constexpr char kZoneOn[] = "%%WSON%zx\r";
constexpr char kZoneOff[] = "%%WSOFF%zx\r";
constexpr char kSoundOn[] = "%%WSSNDON%zx\r";
constexpr char kSoundOff[] = "%%WSSNDOFF%zx\r";
constexpr char kUrgent[] = "%%WINURG%zu,%d\r";
constexpr char kOutput[] = "%%WSLDO%zu,%lld\r";
constexpr char kInterval[] = "%%WINZS%zu,%lld\r";

} // namespace

CPageRfZone::CPageRfZone()
    : CPage({.className = "CPageRfZone",
             .section = "PageRFZone",
             .navKey = "PAGE_RFZONE",
             .profileTitle = "Wireless zone Params",
             .defaultAnswerWaitMs = 2000,
             .hasWriteBack = false,
             .headingSection = "PageRFZone",
             .headingKey = "Title"}),
      m_yes(io::kYesWord.builtIn),
      m_no(io::kNoWord.builtIn),
      m_none(kNoneWord.builtIn),
      m_outputWord(kOutputWord.builtIn),
      m_videoChannels{std::string(kVideoChannels[0].builtIn), std::string(kVideoChannels[1].builtIn)}
{
    AddSetting({.field = SendsOnChange(Flag(kRemoteSmsField, "RPLARM")),
                .keys = SwitchKeys("$RPLARM"),
                .command = "%%RPLARMBTN%d\r",
                .answerWaitMs = kEditWaitMs});
    m_tables.emplace_back(STableDesc{.id = "zones",
                                     .headerKeys = {"LIST0C0", "LIST0C1", "LIST0C2", "LIST0C3", "LIST0C4", "LIST0C5",
                                                    "LIST0C6", "LIST0C7"},
                                     .rowCount = kZones,
                                     .dataColumns = 8,
                                     .numberedRows = false,
                                     .columnWidths = {0, 0, 0, 0, 0, 24}});
    NumberRows();
    // A zone command read back stores what the zone's dump line would.
    auto inverse = [this](const char* format, std::size_t column, std::optional<std::string> fixed, int base) {
        AddProfileInverse(format, [this, column, fixed, base](const std::vector<std::string>& values) {
            const std::optional<long long> zone = ScannedNumber(values[0], base);
            if (!zone || *zone < 0 || *zone >= static_cast<long long>(kZones))
                return false;
            const std::string value = fixed ? *fixed : values[1];
            if (!ScannedNumber(value))
                return false;
            return StoreZoneValue(static_cast<std::size_t>(*zone), column, value);
        });
    };
    inverse(kZoneOn, kEnabledColumn, "1", 16);
    inverse(kZoneOff, kEnabledColumn, "0", 16);
    inverse(kSoundOn, kSoundColumn, "1", 16);
    inverse(kSoundOff, kSoundColumn, "0", 16);
    inverse(kUrgent, kUrgentColumn, std::nullopt, 10);
    inverse(kOutput, kOutputColumn, std::nullopt, 10);
    inverse(kInterval, kIntervalColumn, std::nullopt, 10);
}

void CPageRfZone::NumberRows()
{
    for (std::size_t zone = 0; zone < kZones; ++zone)
        m_tables.front().SetCell(zone, kZoneColumn, FormatWire("%2.2zu", zone));
}

void CPageRfZone::Clear()
{
    m_tables.front().Clear();
    NumberRows();
    m_reported = false;
    NotifyChanged();
}

void CPageRfZone::LoadLabels(const CLabelCatalogue& catalogue)
{
    std::string yes = io::LabelText(catalogue, io::kYesWord);
    std::string no = io::LabelText(catalogue, io::kNoWord);
    std::string none = io::LabelText(catalogue, kNoneWord);
    // Cells already filled say the same in the new words.
    CPageTable& table = m_tables.front();
    for (std::size_t zone = 0; zone < kZones; ++zone) {
        for (std::size_t column : {kEnabledColumn, kSoundColumn, kUrgentColumn}) {
            if (table.Cell(zone, column) == m_yes)
                table.SetCell(zone, column, yes);
            else if (table.Cell(zone, column) == m_no)
                table.SetCell(zone, column, no);
        }
        if (table.Cell(zone, kOutputColumn) == m_none)
            table.SetCell(zone, kOutputColumn, none);
    }
    m_yes = std::move(yes);
    m_no = std::move(no);
    m_none = std::move(none);
    m_outputWord = io::LabelText(catalogue, kOutputWord);
    m_videoChannels = {io::LabelText(catalogue, kVideoChannels[0]), io::LabelText(catalogue, kVideoChannels[1])};
    NotifyChanged();
}

std::string CPageRfZone::DumpRequest() const
{
    return "%DUMP_GPIO\r%DUMP_ROMSMS\r";
}

std::vector<SDumpEntry> CPageRfZone::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({"$WIN", [this](const SDumpValue& value) { StoreZoneLine(value); }});
    entries.push_back({"$SMS", [this](const SDumpValue& value) { StoreName(value); }});
    // The zone summary line carries nothing the list shows.
    entries.push_back({"$ZONE_WIN", [](const SDumpValue&) {}});
    return entries;
}

bool CPageRfZone::StoreCell(std::size_t zone, std::size_t column, std::string text)
{
    if (!m_tables.front().SetCell(zone, column, std::move(text)))
        return false;
    m_reported = true;
    NotifyChanged();
    return true;
}

void CPageRfZone::StoreZoneLine(const SDumpValue& value)
{
    // Values sit at fixed positions from the line's start, so the key must
    // start the line.
    const std::string_view line = value.line;
    for (const SZoneKey& key : kZoneKeys) {
        if (!line.starts_with(key.key))
            continue;
        const std::optional<io::SLeadingNumber> zone = io::LeadingNumber(io::TextFrom(line, key.key.size()), kZoneDigits);
        if (!zone || zone->value >= static_cast<long long>(kZones) || key.column == 0)
            return;
        StoreZoneValue(static_cast<std::size_t>(zone->value), key.column, io::TextFrom(zone->rest, 1));
        return;
    }
}

bool CPageRfZone::StoreZoneValue(std::size_t row, std::size_t column, std::string_view text)
{
    switch (column) {
    case kEnabledColumn:
    case kSoundColumn:
    case kUrgentColumn:
        return StoreCell(row, column, !text.empty() && text.front() == '1' ? m_yes : m_no);
    case kCodeColumn:
        // The terminal's 32-bit code, in hex.
        return StoreCell(row, column, FormatWire("%2.2x", static_cast<std::uint32_t>(WholeNumber(text))));
    case kOutputColumn: {
        const long long output = WholeNumber(text);
        return StoreCell(row, column, output > 7 ? m_none : std::to_string(output));
    }
    default:
        return StoreCell(row, column, std::to_string(WholeNumber(text)));
    }
}

void CPageRfZone::StoreName(const SDumpValue& value)
{
    // Zone names are the message texts 9 to 20; the other texts belong to
    // the message pages.
    const std::optional<io::SLeadingNumber> slot = io::LeadingNumber(value.text, kMaxSlotDigits);
    if (!slot || slot->value < static_cast<long long>(kFirstNameSlot)
        || slot->value >= static_cast<long long>(kFirstNameSlot + kZones))
        return;
    m_tables.front().SetCell(static_cast<std::size_t>(slot->value) - kFirstNameSlot, kNameColumn,
                             DecodeUcs2Hex(io::TextFrom(slot->rest, 1)));
    NotifyChanged();
}

std::optional<SRowEditor> CPageRfZone::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kZones)
        return std::nullopt;
    std::vector<SChoiceItem> outputs = OutputChoiceItems(m_outputWord, m_none);
    const std::string& outputCell = Cell(row, kOutputColumn);
    const long long output = io::AllDigits(outputCell) ? WholeNumber(outputCell) : kNoOutputItem;

    SRowEditor editor{.className = "CRFZoneDlg", .section = "DlgRf"};
    CFieldSet& f = editor.fields;
    f.Add(Flag(kEnabledField, "ENABLE"), {.number = Cell(row, kEnabledColumn) == m_yes ? 1 : 0});
    f.Add(Flag(kSoundField, "SOUND"), {.number = Cell(row, kSoundColumn) == m_yes ? 1 : 0});
    f.Add(Flag(kUrgentField, "24HOURS"), {.number = Cell(row, kUrgentColumn) == m_yes ? 1 : 0});
    f.Add(Text(kNameField, "NAME"), {.text = Cell(row, kNameColumn)});
    f.Add(Choice(kOutputField, "LINKAGE", std::move(outputs)),
          {.number = output >= 0 && output < kNoOutputItem ? static_cast<int>(output) : kNoOutputItem});
    f.Add(Spin(kIntervalField, "WINAS", 0, 99999), {.text = std::to_string(WholeNumber(Cell(row, kIntervalColumn)))});
    // The dialog's video controls are not used by this terminal.
    f.Add(Hidden(Flag("videoCall", "VPC")));
    f.Add(Hidden(Flag("mms", "MMS")));
    f.Add(Hidden(Flag("recorder", "VCR")));
    f.Add(Hidden(Choice("videoChannel", "VCH", FixedItems({m_videoChannels[0], m_videoChannels[1]}))), kNoSelection);
    return editor;
}

CCommandList CPageRfZone::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kZones)
        return {};
    auto on = [&edited](std::string_view id) { return edited.Has(id) && edited.Number(id) != 0; };
    const int chosen = edited.Has(kOutputField) ? edited.Number(kOutputField) : kNoOutputItem;
    const int output = chosen >= 0 && chosen < kNoOutputItem ? chosen : kNoOutputItem;
    const long long interval = edited.Has(kIntervalField) ? WholeNumber(edited.Text(kIntervalField)) : 0;
    const std::string name = edited.Has(kNameField) ? EncodeUcs2Hex(edited.Text(kNameField)) : std::string();
    // The switch commands take the zone in hex, the others in decimal.
    return {{std::string(kStartCmd), kEditWaitMs},
            {FormatWire(on(kEnabledField) ? kZoneOn : kZoneOff, row), kEditWaitMs},
            {FormatWire(on(kSoundField) ? kSoundOn : kSoundOff, row), kEditWaitMs},
            {FormatWire(kUrgent, row, on(kUrgentField) ? 1 : 0), kEditWaitMs},
            {FormatWire("%%S%2.2zu%s\r", row + kFirstNameSlot, name.c_str()), kEditWaitMs},
            {FormatWire(kInterval, row, interval), kEditWaitMs},
            {FormatWire(kOutput, row, static_cast<long long>(output)), kEditWaitMs},
            {std::string(kCommitCmd)}};
}

CCommandList CPageRfZone::SettingCommands(ETarget target) const
{
    CCommandList commands;
    if (target != ETarget::Profile)
        return commands;
    // Kept as the terminal expects them: a zone is off only when it says
    // "No", so a zone never reported is written on.
    for (std::size_t zone = 0; zone < kZones; ++zone) {
        auto off = [this, zone](std::size_t column) { return Cell(zone, column) == m_no; };
        const std::string& outputCell = Cell(zone, kOutputColumn);
        const long long output = io::AllDigits(outputCell) ? WholeNumber(outputCell) : kNoOutputInProfile;
        commands.push_back({FormatWire(off(kEnabledColumn) ? kZoneOff : kZoneOn, zone)});
        commands.push_back({FormatWire(off(kSoundColumn) ? kSoundOff : kSoundOn, zone)});
        commands.push_back({FormatWire(kUrgent, zone, off(kUrgentColumn) ? 0 : 1)});
        commands.push_back({FormatWire(kOutput, zone, output)});
        commands.push_back({FormatWire(kInterval, zone, WholeNumber(Cell(zone, kIntervalColumn)))});
    }
    commands.push_back({FormatWire("%%RPLARMBTN%d\r", FlagDigit(m_fields, kRemoteSmsField))});
    return commands;
}

} // namespace orlan
