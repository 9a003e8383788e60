#include "pages/io/DinParamsPage.h"

#include "console/ConsoleCommands.h"
#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/io/IoText.h"

namespace orlan {

namespace {

constexpr std::size_t kIntervalColumn = 1;
constexpr std::size_t kRepeatColumn = 2;
constexpr std::size_t kDelayColumn = 3;
constexpr std::size_t kFieldChars = 31;

constexpr io::SLabelWord kInputWord{"PageDinPrio", "LIST0C0", "Input"};

struct SSettingColumn {
    std::size_t column;
    const char* command;  // "%" + command + input + "," + value
};
// The terminal takes an input's settings in this order.
constexpr SSettingColumn kColumns[] = {{kIntervalColumn, "IOAS"}, {kRepeatColumn, "IOLS"}, {kDelayColumn, "DINDLY"}};

std::string SettingCommand(const SSettingColumn& setting, std::size_t input, const std::string& text)
{
    return FormatWire("%%%s%zu,%s\r", setting.command, input, text.c_str());
}

} // namespace

CPageDinParams::CPageDinParams()
    : CPage({.className = "CPageDinParams",
             .section = "PageDINTo",
             .navKey = "PAGE_DINSETUP",
             .profileTitle = "Digital inputs delays config",
             .defaultAnswerWaitMs = 3000,
             .hasWriteBack = false,
             .headingSection = "PageDINTo",
             .headingKey = "Title"})
{
    m_tables.emplace_back(STableDesc{.id = "timers",
                                     .headerKeys = {"LISTC0", "LISTC1", "LISTC2", "LISTC3"},
                                     .rowCount = kInputs,
                                     .dataColumns = 4,
                                     .numberedRows = false,
                                     .columnWidths = {10, 0, 0, 20}});
    LabelRows(std::string(kInputWord.builtIn));
    for (const SSettingColumn& setting : kColumns) {
        AddProfileInverse("%%" + std::string(setting.command) + "%zu,%s\r",
                          [this, column = setting.column](const std::vector<std::string>& values) {
                              const std::optional<long long> input = ScannedNumber(values[0]);
                              if (!input || *input < 0 || *input >= static_cast<long long>(kInputs)
                                  || !ScannedNumber(values[1]))
                                  return false;
                              m_tables.front().SetCell(static_cast<std::size_t>(*input), column, values[1]);
                              return true;
                          });
    }
}

void CPageDinParams::LabelRows(const std::string& word)
{
    for (std::size_t input = 0; input < kInputs; ++input)
        m_tables.front().SetCell(input, 0, word + std::to_string(input));
}

void CPageDinParams::LoadLabels(const CLabelCatalogue& catalogue)
{
    LabelRows(io::LabelText(catalogue, kInputWord));
    NotifyChanged();
}

std::string CPageDinParams::DumpRequest() const
{
    return "%DUMP_GPIO\r";
}

std::vector<SDumpEntry> CPageDinParams::DumpEntries()
{
    return {{"$DINAS", [this](const SDumpValue& value) { StoreValue(value, kIntervalColumn); }},
            {"$DINLS", [this](const SDumpValue& value) { StoreValue(value, kRepeatColumn); }},
            {"$DINDLY", [this](const SDumpValue& value) { StoreValue(value, kDelayColumn); }}};
}

void CPageDinParams::StoreValue(const SDumpValue& value, std::size_t column)
{
    // " 2,05": input and value, the value shown as a whole number.
    const std::vector<std::string_view> fields = SplitFields(value.text, kFieldChars);
    if (fields.size() < 2)
        return;
    const int input = LeadingIndex(fields[1]);
    if (input < 0 || input >= static_cast<int>(kInputs))
        return;
    const long long number = fields.size() > 2 ? WholeNumber(fields[2]) : 0;
    m_tables.front().SetCell(static_cast<std::size_t>(input), column, std::to_string(number));
    NotifyChanged();
}

std::optional<SRowEditor> CPageDinParams::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kInputs)
        return std::nullopt;
    SRowEditor editor{.className = "CDinTimersDlg", .section = "PageDINTo"};
    editor.fields.Add(Digits(Text(kIntervalField, "IOAS")), {.text = Cell(row, kIntervalColumn)});
    editor.fields.Add(Digits(Text(kRepeatField, "IOLS")), {.text = Cell(row, kRepeatColumn)});
    editor.fields.Add(Digits(Text(kDelayField, "TIMELAG")), {.text = Cell(row, kDelayColumn)});
    return editor;
}

CCommandList CPageDinParams::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kInputs)
        return {};
    const std::string_view fields[] = {kIntervalField, kRepeatField, kDelayField};
    CCommandList commands{{std::string(kStartCmd)}};
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        // Sent as typed, on one line.
        const std::string text = edited.Has(fields[i]) ? edited.LineText(fields[i]) : Cell(row, kColumns[i].column);
        commands.push_back({SettingCommand(kColumns[i], row, text), kEditWaitMs});
    }
    commands.push_back({std::string(kCommitCmd)});
    return commands;
}

CCommandList CPageDinParams::SettingCommands(ETarget target) const
{
    CCommandList commands;
    if (target != ETarget::Profile)
        return commands;
    for (std::size_t input = 0; input < kInputs; ++input) {
        for (const SSettingColumn& setting : kColumns)
            commands.push_back({SettingCommand(setting, input, Cell(input, setting.column))});
    }
    return commands;
}

} // namespace orlan
