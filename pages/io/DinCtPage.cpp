#include "pages/io/DinCtPage.h"

#include <array>

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "labels/TextCodec.h"
#include "pages/FieldHelpers.h"
#include "pages/OutputItems.h"
#include "pages/ProfileInverse.h"
#include "pages/io/IoText.h"

namespace orlan {

namespace {

constexpr std::string_view kSmsTitle = "smsTitle";
constexpr std::string_view kSmsName = "smsName";
constexpr std::string_view kMode = "mode";
constexpr std::string_view kAutoUpload = "autoUpload";
constexpr std::string_view kUploadTimer = "uploadTimer";
constexpr std::string_view kFurtherSetting = "furtherSetting";
constexpr std::string_view kLogging = "logging";

constexpr std::array<io::SLabelWord, 2> kModes = {{
    {"PageCounter", "MODE0", "0: Always"},
    {"PageCounter", "MODE1", "1: Daily Reset"},
}};

// "$DINCTVALV2 1214": the counter digit right behind the key, its text two later.
constexpr std::size_t kColumnTextAt = 2;
constexpr std::size_t kMaxCounterDigits = 11;

std::vector<SChoiceItem> OutputItems()
{
    return OutputChoiceItems("Oc", "None");
}

// A counter's row commands read back from a profile: each sets one column.
struct SRowCommand {
    const char* format;
    std::size_t column;
};
constexpr SRowCommand kRowCommands[] = {
    {"%%DINCUNITV%zu,%s\r", CPageDinCt::kUnitValueColumn},
    {"%%DINCUNITM%zu,%s\r", CPageDinCt::kMultiplierColumn},
    {"%%DINCADJ%zu,%s\r", CPageDinCt::kAdjustmentColumn},
    {"%%DINCIOC%zu,%s\r", CPageDinCt::kOutputColumn},
    {"%%C%2.2zu%s\r", CPageDinCt::kUnitNameColumn},
};

} // namespace

CPageDinCt::CPageDinCt()
    : CPage({.className = "CPageDinCt",
             .section = "PageCounter",
             .defaultAnswerWaitMs = 3000,
             .headingSection = "PageCounter",
             .headingKey = "TITLE",
             .bracketedSave = false})
{
    AddSetting({.field = Text(kSmsTitle, "SMSTITLE"),
                .keys = {"$DINCTSMT"},
                .take = ETake::Ucs2Text,
                .command = "%%DINCSMST%s\r"});
    AddSetting({.field = Text(kSmsName, "SMSSUBTITLE"),
                .keys = {"$DINCTSNM"},
                .take = ETake::Ucs2Text,
                .command = "%%DINCSNAME%s\r"});
    AddSetting({.field = io::ShowsNotSet(Choice(kMode, "WMODE", io::WordItems(kModes))),
                .initial = kNoSelection,
                .keys = {"$DINCTMODE"},
                .command = "%%DINCMODE%d\r"});
    AddSetting({.field = Flag(kAutoUpload, "AUTOUP"), .keys = {"$DINCTA "}, .command = "%%DINCTAUTO%d\r"});
    AddSetting({.field = Digits(Text(kUploadTimer, "UPTIMER")), .keys = {"$DINDUT "}, .command = "%%DINCUT%s\r"});
    // The terminal's own name for it is all the caption it has.
    SFieldDesc further = Text(kFurtherSetting);
    further.fixedLabel = "DINCST";
    AddSetting({.field = further, .keys = {"$DINCST "}, .command = "%%DINCST%s\r"});
    AddSetting({.field = Flag(kLogging, "LOGEN"), .keys = {"$DINCLOG "}, .command = "%%DINCLOG%d\r"});

    m_tables.emplace_back(STableDesc{.id = "counters",
                                     .headerKeys = {"LISTC0", "LISTC1", "LISTC2", "LISTC3", "LISTC4", "LISTC5",
                                                    "LISTC6"},
                                     .rowCount = kCounters,
                                     .dataColumns = 6,
                                     .rowLabelPrefix = "Ct"});
    for (const SRowCommand& command : kRowCommands) {
        AddProfileInverse(command.format, [this, column = command.column](const std::vector<std::string>& values) {
            const std::optional<long long> counter = ScannedNumber(values[0]);
            if (!counter || *counter >= static_cast<long long>(kCounters)
                || (column == kOutputColumn && !ScannedNumber(values[1])))
                return false;
            m_tables.front().SetCell(static_cast<std::size_t>(*counter), column,
                                     column == kUnitNameColumn ? DecodeUcs2Hex(values[1]) : values[1]);
            return true;
        });
    }
}

bool CPageDinCt::RowInCompleteProfile(size_t table, size_t row) const
{
    // The row's commands carry every setting column; its count is the
    // terminal's own and never goes out from a profile.
    return table == 0 && m_tables.front().AreKnown(row, kUnitValueColumn, kUnitNameColumn + 1);
}

void CPageDinCt::Clear()
{
    for (std::string_view id : {kSmsTitle, kSmsName, kUploadTimer, kFurtherSetting, kLogging})
        m_fields.Forget(id);
    NotifyChanged();
}

std::string CPageDinCt::DumpRequest() const
{
    return "%DUMP_GPIO\r";
}

std::vector<SDumpEntry> CPageDinCt::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    const std::pair<const char*, std::size_t> columns[] = {{"$DINCTVALV", kValueColumn},
                                                           {"$DINCTUNTV", kUnitValueColumn},
                                                           {"$DINCTMAXV", kMultiplierColumn},
                                                           {"$DINCTADJV", kAdjustmentColumn},
                                                           {"$DINCTIOOC", kOutputColumn}};
    for (const auto& [key, column] : columns)
        entries.push_back({key, [this, column](const SDumpValue& value) { StoreColumn(value, column); }});
    entries.push_back({"$DINCUNITS", [this](const SDumpValue& value) { StoreUnitName(value); }});
    return entries;
}

void CPageDinCt::StoreColumn(const SDumpValue& value, std::size_t column)
{
    const std::string_view text = value.text;
    if (text.empty() || !IsDigit(text.front()))
        return;
    // Counters beyond the list address nothing.
    if (m_tables.front().SetCell(static_cast<std::size_t>(text.front() - '0'), column,
                                 std::string(io::TextFrom(text, kColumnTextAt))))
        NotifyChanged();
}

void CPageDinCt::StoreUnitName(const SDumpValue& value)
{
    const std::optional<io::SLeadingNumber> counter = io::LeadingNumber(value.text, kMaxCounterDigits);
    if (!counter || counter->value >= static_cast<long long>(kCounters))
        return;
    m_tables.front().SetCell(static_cast<std::size_t>(counter->value), kUnitNameColumn,
                             DecodeUcs2Hex(io::TextFrom(counter->rest, 1)));
    NotifyChanged();
}

std::optional<SRowEditor> CPageDinCt::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kCounters)
        return std::nullopt;
    // An output the list cannot name (255, or nothing reported) is "None".
    const int output = LeadingIndex(Cell(row, kOutputColumn));
    SRowEditor editor{.className = "CDinCtDlg", .section = "PageCounter"};
    editor.fields.Add(Flag(kSetValueField, "SETVALUE"));
    editor.fields.Add(Text(kValueField, "LISTC1"), {.text = Cell(row, kValueColumn)});
    editor.fields.Add(Text(kUnitValueField, "LISTC2"), {.text = Cell(row, kUnitValueColumn)});
    editor.fields.Add(Text(kMultiplierField, "LISTC3"), {.text = Cell(row, kMultiplierColumn)});
    editor.fields.Add(Text(kAdjustmentField, "LISTC4"), {.text = Cell(row, kAdjustmentColumn)});
    editor.fields.Add(Choice(kOutputField, "INTERLOCK", OutputItems()),
                      {.number = output >= 0 && output < kNoOutputItem ? output : kNoOutputItem});
    editor.fields.Add(Text(kUnitNameField, "UNITS"), {.text = Cell(row, kUnitNameColumn)});
    return editor;
}

CCommandList CPageDinCt::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kCounters)
        return {};
    auto text = [&edited](std::string_view id) { return edited.Has(id) ? edited.LineText(id) : std::string(); };
    CCommandList commands;
    if (edited.Has(kSetValueField) && edited.Number(kSetValueField) != 0)
        commands.push_back({FormatWire("%%DINCSET%zu,%s\r", row, text(kValueField).c_str())});
    commands.push_back({FormatWire("%%DINCUNITV%zu,%s\r", row, text(kUnitValueField).c_str())});
    commands.push_back({FormatWire("%%DINCUNITM%zu,%s\r", row, text(kMultiplierField).c_str())});
    commands.push_back({FormatWire("%%DINCADJ%zu,%s\r", row, text(kAdjustmentField).c_str())});
    // "None", and anything the list does not hold, is no output.
    const int output = edited.Has(kOutputField) ? edited.Number(kOutputField) : -1;
    commands.push_back({FormatWire("%%DINCIOC%zu,%d\r", row, output >= 0 && output < kNoOutputItem ? output : kNoOutput)});
    const std::string name = edited.Has(kUnitNameField) ? EncodeUcs2Hex(edited.Text(kUnitNameField)) : std::string();
    commands.push_back({FormatWire("%%C%2.2zu%s\r", row, name.c_str())});
    return commands;
}

} // namespace orlan
