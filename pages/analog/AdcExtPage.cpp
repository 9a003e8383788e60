#include "pages/analog/AdcExtPage.h"

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/OutputItems.h"
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
