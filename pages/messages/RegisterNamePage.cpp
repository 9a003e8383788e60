#include "pages/messages/RegisterNamePage.h"

#include "console/WireFormat.h"
#include "labels/TextCodec.h"
#include "pages/NumberedText.h"

namespace orlan {

namespace {
// The terminal numbers the highest values 0 to 31 and the lowest 32 to 63.
constexpr long long kLowValueOffset = static_cast<long long>(CPageRname::kRows);
constexpr char kValueFormat[] = "%%R%2.2zu%s\r";
constexpr char kNameFormat[] = "%%N%2.2zu%s\r";
} // namespace

CPageRname::CPageRname()
    : CPage({.className = "CPageRname",
             .section = "PageModSlave",
             .defaultAnswerWaitMs = kEditWaitMs,
             .hasWriteBack = false,
             .headingKey = "PAGE_RNAME"})
{
    m_tables.emplace_back(STableDesc{.id = "registers",
                                     .headerKeys = {"LISTC0", "LISTC1", "LISTC2", "LISTC3"},
                                     .rowCount = kRows,
                                     .dataColumns = 3});
    // A row's commands read back: values of rows from kRows on are the low ones.
    AddProfileInverse(kValueFormat, [this](const std::vector<std::string>& values) {
        const std::optional<long long> number = ScannedNumber(values[0]);
        if (!number || *number < 0 || *number >= 2 * kLowValueOffset)
            return false;
        const bool low = *number >= kLowValueOffset;
        const auto row = static_cast<size_t>(low ? *number - kLowValueOffset : *number);
        m_tables.front().SetCell(row, low ? kLowColumn : kHighColumn, values[1]);
        return true;
    });
    AddProfileInverse(kNameFormat, [this](const std::vector<std::string>& values) {
        const std::optional<long long> row = ScannedNumber(values[0]);
        if (!row || *row < 0 || *row >= kLowValueOffset)
            return false;
        m_tables.front().SetCell(static_cast<size_t>(*row), kNameColumn, DecodeUcs2Hex(values[1]));
        return true;
    });
}

std::vector<SDumpEntry> CPageRname::DumpEntries()
{
    return {{"$RNAME", [this](const SDumpValue& value) { StoreName(value.text); }},
            {"$REG", [this](const SDumpValue& value) { StoreValue(value.text); }}};
}

void CPageRname::StoreName(std::string_view value)
{
    const std::optional<SNumberedText> parsed = ParseNumberedText(value);
    if (!parsed || parsed->number >= kLowValueOffset)
        return;
    if (m_tables.front().SetCell(static_cast<size_t>(parsed->number), kNameColumn, DecodeUcs2Hex(parsed->rest)))
        NotifyChanged();
}

void CPageRname::StoreValue(std::string_view value)
{
    const std::optional<SNumberedText> parsed = ParseNumberedText(value);
    if (!parsed)
        return;
    const bool low = parsed->number >= kLowValueOffset;
    const long long row = low ? parsed->number - kLowValueOffset : parsed->number;
    if (row >= kLowValueOffset)
        return;
    if (m_tables.front().SetCell(static_cast<size_t>(row), low ? kLowColumn : kHighColumn, std::string(parsed->rest)))
        NotifyChanged();
}

std::optional<SRowEditor> CPageRname::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kRows)
        return std::nullopt;
    SRowEditor editor{.className = "CRnamedlg", .section = m_info.section};
    editor.fields.Add({.id = std::string(kRegisterNameField), .kind = EFieldKind::Text, .labelKey = "LISTC1"},
                      {.text = Cell(row, kNameColumn)});
    editor.fields.Add({.id = std::string(kRegisterHighField), .kind = EFieldKind::Text, .labelKey = "LISTC2"},
                      {.text = Cell(row, kHighColumn)});
    editor.fields.Add({.id = std::string(kRegisterLowField), .kind = EFieldKind::Text, .labelKey = "LISTC3"},
                      {.text = Cell(row, kLowColumn)});
    return editor;
}

CCommandList CPageRname::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kRows || !edited.Has(kRegisterNameField) || !edited.Has(kRegisterHighField)
        || !edited.Has(kRegisterLowField))
        return {};
    const std::string high = edited.LineText(kRegisterHighField);
    const std::string low = edited.LineText(kRegisterLowField);
    const std::string name = EncodeUcs2Hex(edited.Text(kRegisterNameField));
    // The session follows these with the page's read, the register dump.
    return {{FormatWire(kValueFormat, row, high.c_str())},
            {FormatWire(kValueFormat, row + CPageRname::kRows, low.c_str())},
            {FormatWire(kNameFormat, row, name.c_str())}};
}

} // namespace orlan
