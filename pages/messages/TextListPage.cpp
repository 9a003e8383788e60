#include "pages/messages/TextListPage.h"

#include "console/WireFormat.h"
#include "labels/TextCodec.h"
#include "pages/messages/MessageEditor.h"
#include "pages/NumberedText.h"

namespace orlan {

CTextListPage::CTextListPage(SPageInfo info, STextListDesc desc) : CPage(std::move(info)), m_desc(std::move(desc))
{
    m_info.hasWriteBack = false;  // rows go out from the row dialog only
    m_tables.emplace_back(STableDesc{.id = "texts",
                                     .headerKeys = m_desc.headerKeys,
                                     .rowCount = m_desc.rows});
    AddProfileInverse(RowFormat(), [this](const std::vector<std::string>& values) {
        const std::optional<long long> number = ScannedNumber(values[0]);
        const long long first = static_cast<long long>(m_desc.firstNumber);
        if (!number || *number < first || *number - first >= static_cast<long long>(Rows()))
            return false;
        StoreText(*number, values[1]);
        return true;
    });
}

std::string CTextListPage::RowFormat() const
{
    return "%%" + m_desc.commandLetter + "%2.2zu%s\r\n";
}

void CTextListPage::Clear()
{
    for (CPageTable& table : m_tables)
        table.Clear();
    NotifyChanged();
}

std::vector<SDumpEntry> CTextListPage::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({m_desc.rowKey, [this](const SDumpValue& value) { TakeRow(value); }});
    return entries;
}

void CTextListPage::TakeRow(const SDumpValue& value)
{
    if (const std::optional<SNumberedText> parsed = ParseNumberedText(value.text))
        StoreText(parsed->number, parsed->rest);
}

void CTextListPage::StoreText(long long number, std::string_view hex)
{
    const long long first = static_cast<long long>(m_desc.firstNumber);
    if (number < first || number - first >= static_cast<long long>(Rows()))
        return;
    if (m_tables.front().SetCell(static_cast<size_t>(number - first), 0, DecodeUcs2Hex(hex)))
        NotifyChanged();
}

std::optional<SRowEditor> CTextListPage::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= Rows())
        return std::nullopt;
    return MakeMessageEditor(m_info.section, Text(row), m_desc.unitBox);
}

CCommandList CTextListPage::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= Rows() || !edited.Has(kMessageTextField))
        return {};
    return {{.text = RowCommand(row, EditedMessageHex(edited)), .noWait = true}};
}

CCommandList CTextListPage::SettingCommands(ETarget target) const
{
    CCommandList commands;
    if (target != ETarget::Profile)
        return commands;
    for (size_t row = 0; row < Rows(); ++row)
        commands.push_back({.text = RowCommand(row, EncodeUcs2Hex(Text(row))), .direct = true});
    return commands;
}

std::string CTextListPage::RowCommand(size_t row, std::string_view hex) const
{
    return FormatWire("%%%s%2.2zu%s\r\n", m_desc.commandLetter.c_str(), row + m_desc.firstNumber,
                      std::string(hex).c_str());
}

} // namespace orlan
