#include "pages/io/Din3GPage.h"

#include <array>

#include "console/ConsoleCommands.h"
#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/ProfileInverse.h"
#include "pages/io/IoText.h"

namespace orlan {

namespace {

constexpr io::SLabelWord kInputWord{"PageDinPrio", "LIST0C0", "Input"};
constexpr std::array<io::SLabelWord, 2> kChannels = {{
    {"DlgRf", "VCH1", "Channel 1"},
    {"DlgRf", "VCH2", "Channel 2"},
}};
constexpr std::size_t kFieldChars = 31;

// The commands of an input's dialog ("%IOVPC2,1": input, value), each
// with the column it sets.
struct SInputCommand {
    const char* name;
    std::size_t column;
};
constexpr SInputCommand kInputCommands[] = {
    {"IOVPC", CPageDin3G::kVideoCallColumn},
    {"IOMMS", CPageDin3G::kMmsColumn},
    {"IOVCR", CPageDin3G::kRecordingColumn},
    {"IOVCH", CPageDin3G::kChannelColumn},
};

} // namespace

CPageDin3G::CPageDin3G()
    : CPage({.className = "CPageDin3G",
             .section = "PageDinZone",
             .defaultAnswerWaitMs = 2000,
             .hasWriteBack = false,
             .headingSection = "PageDinZone",
             .headingKey = "Title"}),
      m_yes(io::kYesWord.builtIn),
      m_no(io::kNoWord.builtIn),
      m_inputWord(kInputWord.builtIn)
{
    m_tables.emplace_back(STableDesc{.id = "inputs",
                                     .headerKeys = {"LIST0C0", "LIST0C1", "LIST0C2", "LIST0C3", "LIST0C4"},
                                     .rowCount = kInputs,
                                     .dataColumns = 5,
                                     .numberedRows = false});
    LabelRows();
    for (const SInputCommand& command : kInputCommands) {
        AddProfileInverse("%%" + std::string(command.name) + "%zu,%d\r", [this, column = command.column](const std::vector<std::string>& values) {
            const std::optional<long long> input = ScannedNumber(values[0]);
            const std::optional<long long> value = ScannedNumber(values[1]);
            if (!input || !value || *input >= static_cast<long long>(kInputs))
                return false;
            const auto row = static_cast<std::size_t>(*input);
            m_tables.front().SetCell(row, column,
                                     column == kChannelColumn ? std::to_string(*value) : *value != 0 ? m_yes : m_no);
            return true;
        });
    }
}

bool CPageDin3G::RowInCompleteProfile(size_t table, size_t row) const
{
    // An input's dialog sends all four: each must have been reported.
    return table == 0 && m_tables.front().AreKnown(row, kVideoCallColumn, kChannelColumn + 1);
}

void CPageDin3G::LabelRows()
{
    for (std::size_t input = 0; input < kInputs; ++input)
        m_tables.front().SetCell(input, 0, m_inputWord + std::to_string(input));
}

void CPageDin3G::Clear()
{
    m_tables.front().Clear();
    LabelRows();
    NotifyChanged();
}

void CPageDin3G::LoadLabels(const CLabelCatalogue& catalogue)
{
    std::string yes = io::LabelText(catalogue, io::kYesWord);
    std::string no = io::LabelText(catalogue, io::kNoWord);
    CPageTable& table = m_tables.front();
    for (std::size_t input = 0; input < kInputs; ++input) {
        for (std::size_t column : {kVideoCallColumn, kMmsColumn, kRecordingColumn}) {
            if (table.Cell(input, column) == m_yes)
                table.SetCell(input, column, yes);
            else if (table.Cell(input, column) == m_no)
                table.SetCell(input, column, no);
        }
    }
    m_yes = std::move(yes);
    m_no = std::move(no);
    m_inputWord = io::LabelText(catalogue, kInputWord);
    LabelRows();
    NotifyChanged();
}

std::string CPageDin3G::DumpRequest() const
{
    return "%DUMP_GPIO\r";
}

std::vector<SDumpEntry> CPageDin3G::DumpEntries()
{
    return {{"$ZONE_DIN", [this](const SDumpValue& value) { StoreInput(value); }}};
}

void CPageDin3G::StoreInput(const SDumpValue& value)
{
    // " 1,0,1,0,2": input, video call, MMS, recording, channel (field 0 is
    // what stands before the blank behind the key).
    const std::vector<std::string_view> fields = SplitFields(value.text, kFieldChars);
    if (fields.size() < 2)
        return;
    const int input = LeadingIndex(fields[1]);
    if (input < 0 || input >= static_cast<int>(kInputs))
        return;
    auto field = [&fields](std::size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };
    CPageTable& table = m_tables.front();
    const auto row = static_cast<std::size_t>(input);
    for (std::size_t column : {kVideoCallColumn, kMmsColumn, kRecordingColumn})
        table.SetCell(row, column, WholeNumber(field(column + 1)) != 0 ? m_yes : m_no);
    table.SetCell(row, kChannelColumn, std::string(field(kChannelColumn + 1)));
    NotifyChanged();
}

std::optional<SRowEditor> CPageDin3G::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kInputs)
        return std::nullopt;
    // The channel cell holds 1 or 2; anything else selects none.
    const long long channel = WholeNumber(Cell(row, kChannelColumn));
    const int chosen = channel > 0 && channel <= static_cast<long long>(kChannels.size()) ? static_cast<int>(channel - 1) : -1;
    SRowEditor editor{.className = "CDin3GDialog", .section = "DlgDin3G"};
    CFieldSet& f = editor.fields;
    f.Add(Flag(kVideoCallField, "VPC"), {.number = Cell(row, kVideoCallColumn) == m_yes ? 1 : 0});
    f.Add(Flag(kMmsField, "MMS"), {.number = Cell(row, kMmsColumn) == m_yes ? 1 : 0});
    f.Add(Flag(kRecordingField, "VCR"), {.number = Cell(row, kRecordingColumn) == m_yes ? 1 : 0});
    f.Add(io::ShowsNotSet(Choice(kChannelField, "VCH", io::WordItems(kChannels))), {.number = chosen});
    return editor;
}

CCommandList CPageDin3G::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kInputs)
        return {};
    auto on = [&edited](std::string_view id) { return edited.Has(id) && edited.Number(id) != 0 ? 1 : 0; };
    // No channel chosen goes as 0, as the terminal reported it.
    const int index = edited.Has(kChannelField) ? edited.Number(kChannelField) : -1;
    const int channel = index >= 0 && index < static_cast<int>(kChannels.size()) ? index + 1 : 0;
    const int values[] = {on(kVideoCallField), on(kMmsField), on(kRecordingField), channel};
    CCommandList commands{{std::string(kStartCmd), kEditWaitMs}};
    for (std::size_t i = 0; i < std::size(kInputCommands); ++i)
        commands.push_back({FormatWire("%%%s%zu,%d\r", kInputCommands[i].name, row, values[i]), kEditWaitMs});
    commands.push_back({std::string(kCommitCmd)});
    return commands;
}

} // namespace orlan
