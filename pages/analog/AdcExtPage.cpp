#include "pages/analog/AdcExtPage.h"

#include <algorithm>
#include <functional>
#include <numeric>

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/OutputItems.h"
#include "pages/ProfileInverse.h"
#include "pages/analog/AnalogText.h"

namespace orlan {

using namespace analog;

namespace {

// A column of the list: its caption, the command that sends it and, for the
// editor, its field id.
struct SColumn {
    std::string_view caption;
    std::string_view command;
    std::string_view field;
};

// The terminal takes column 2 as the low threshold and column 3 as the
// hysteresis (and so for 5 and 6); the captions say so.
constexpr SColumn kColumnSpecs[CPageAdcExt::kColumns] = {
    {"High1", "H", "high1"},
    {"Low1", "L", "low1"},
    {"Lag1", "OS", "lag1"},
    {"High2", "HS", "high2"},
    {"Low2", "LS", "low2"},
    {"Lag2", "LAGS", "lag2"},
    {"High1 Interlcok", "HOC1", "high1Output"},
    {"Low1 Interlock", "LOC1", "low1Output"},
    {"High2 Interlock", "HOC2", "high2Output"},
    {"Low2 Interlock", "LOC2", "low2Output"},
};

constexpr size_t kFieldChars = 31;
// "$AINEXT2 a,b,…" hands "2 a,b,…": the channel, then the fields at 2.
constexpr size_t kFieldsAt = 2;
constexpr size_t kOutputCount = 8;

std::vector<SChoiceItem> OutputItems()
{
    return OutputChoiceItems("OC ", "Not Used");
}

// The list entry of a cell: its output, "Not Used" for any number beyond
// them (255), nothing for a cell that holds no number.
int OutputIndex(std::string_view cell)
{
    const int number = LeadingIndex(cell);
    if (number < 0)
        return -1;
    return number < static_cast<int>(kOutputCount) ? number : static_cast<int>(kOutputCount);
}

// "%%AIN%zuHS%s\r": the channel, the column's command name, its value.
std::string CommandFormat(const SColumn& column)
{
    return "%%AIN%zu" + std::string(column.command) + "%s\r";
}

std::string OutputNumber(int index)
{
    return std::to_string(index >= 0 && index < static_cast<int>(kOutputCount) ? index : CPageAdcExt::kNoOutput);
}

} // namespace

CPageAdcExt::CPageAdcExt()
    : CPage({.className = "CPageAdcExt",
             .section = "PageAdcExt",
             .hasWriteBack = false,
             .headingSection = "PageAdcExt",
             .headingKey = "TITLE"})
{
    STableDesc table{.id = "channels",
                     .rowCount = kChannels,
                     .dataColumns = kColumns,
                     .rowLabelPrefix = "AIN"};
    table.fixedHeaders.emplace_back("Index");
    for (const SColumn& column : kColumnSpecs)
        table.fixedHeaders.emplace_back(column.caption);
    m_tables.emplace_back(std::move(table));

    // A row's commands read back from a profile; the longer command names
    // first, so "%AIN0HS5" is not taken as "H" with the value "S5".
    std::vector<size_t> byName(kColumns);
    std::iota(byName.begin(), byName.end(), size_t{0});
    std::ranges::stable_sort(byName, std::greater<>{}, [](size_t c) { return kColumnSpecs[c].command.size(); });
    for (size_t c : byName) {
        AddProfileInverse(CommandFormat(kColumnSpecs[c]), [this, c](const std::vector<std::string>& values) {
            const std::optional<long long> channel = ScannedNumber(values[0]);
            if (!channel || *channel >= static_cast<long long>(kChannels)
                || (c >= kThresholdColumns && !ScannedNumber(values[1])))
                return false;
            m_tables.front().SetCell(static_cast<size_t>(*channel), c, values[1]);
            return true;
        });
    }
}

bool CPageAdcExt::RowInCompleteProfile(size_t table, size_t row) const
{
    // A row goes out whole: a cell never reported would be sent as empty.
    return table == 0 && m_tables.front().AreKnown(row, 0, kColumns);
}

void CPageAdcExt::Clear()
{
    NotifyChanged();
}

std::string CPageAdcExt::DumpRequest() const
{
    return "%DUMP_ADS\r";
}

std::vector<SDumpEntry> CPageAdcExt::DumpEntries()
{
    return {{"$AINEXT", [this](const SDumpValue& v) { StoreFields(v, 0, kThresholdColumns); }},
            {"$AINOOC", [this](const SDumpValue& v) { StoreFields(v, kThresholdColumns, kOutputColumns); }}};
}

void CPageAdcExt::StoreFields(const SDumpValue& value, size_t firstColumn, size_t count)
{
    const std::optional<size_t> channel = ChannelAt(value.text, 0, kChannels);
    if (!channel)
        return;
    std::vector<std::string_view> fields = SplitFields(TextFrom(value.text, kFieldsAt), kFieldChars, count, ",");
    // A last field is taken only when it holds something.
    if (!fields.empty() && fields.back().empty())
        fields.pop_back();
    for (size_t i = 0; i < fields.size(); ++i)
        m_tables.front().SetCell(*channel, firstColumn + i, std::string(fields[i]));
    NotifyChanged();
}

std::optional<SRowEditor> CPageAdcExt::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kChannels)
        return std::nullopt;
    SRowEditor editor{.className = "CSetupAdcExt", .section = "PageAdcExt"};
    for (size_t c = 0; c < kColumns; ++c) {
        const SColumn& column = kColumnSpecs[c];
        const std::string& cell = Cell(row, c);
        SFieldDesc desc = c < kThresholdColumns ? Text(column.field) : Choice(column.field, {}, OutputItems());
        desc.fixedLabel = std::string(column.caption);
        if (c < kThresholdColumns)
            editor.fields.Add(std::move(desc), {.text = cell});
        else
            editor.fields.Add(std::move(desc), {.number = OutputIndex(cell)});
    }
    return editor;
}

CCommandList CPageAdcExt::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kChannels)
        return {};
    for (const SColumn& column : kColumnSpecs) {
        if (!edited.Has(column.field))
            return {};
    }
    CCommandList commands{{"%STARTCMD\r"}};
    for (size_t c = 0; c < kColumns; ++c) {
        const SColumn& column = kColumnSpecs[c];
        std::string cell = c < kThresholdColumns ? edited.LineText(column.field) : OutputNumber(edited.Number(column.field));
        commands.push_back({FormatWire("%%AIN%zu%s%s\r", row, std::string(column.command).c_str(), cell.c_str())});
        m_tables.front().SetCell(row, c, std::move(cell));
    }
    commands.push_back({"%COMMITCMD\r"});
    NotifyChanged();
    return commands;
}

} // namespace orlan
