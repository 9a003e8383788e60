#include "pages/contacts/PhoneListPage.h"

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/contacts/PhoneEditor.h"

namespace orlan {

STableDesc PhoneTable(size_t rows)
{
    return {.id = "phones", .headerKeys = {"LISTC0", "LISTC1"}, .rowCount = rows};
}

CPhoneListPage::CPhoneListPage(SPageInfo info, SPhoneListDesc desc) : CPage(std::move(info)), m_desc(std::move(desc))
{
    m_tables.emplace_back(m_desc.table);
    // The row of RowCommand, read back: a list of up to ten rows numbers
    // them with one digit, so a number that starts with a digit stays whole.
    const bool oneDigit = m_desc.table.rowCount <= 10;
    AddProfileInverse("%%" + m_desc.commandName + (oneDigit ? "%1zu%s\r" : "%zu%s\r"),
                      [this](const std::vector<std::string>& values) {
                          const std::optional<long long> row = ScannedNumber(values[0]);
                          if (!row || *row < 0 || static_cast<size_t>(*row) >= m_tables.front().Rows())
                              return false;
                          const std::string& number = values[1];
                          if (number.empty() ? !m_desc.takesEmpty : !IsDigit(number.front()) && number.front() != '+')
                              return false;
                          StoreNumber({.line = {}, .text = number, .index = static_cast<int>(*row)});
                          return true;
                      });
}

std::string CPhoneListPage::DumpRequest() const
{
    return "%DUMP_PHONE\r";
}

std::vector<SDumpEntry> CPhoneListPage::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({m_desc.rowKey, [this](const SDumpValue& value) { StoreNumber(value); }});
    return entries;
}

void CPhoneListPage::StoreNumber(const SDumpValue& value)
{
    // The terminal reports unused entries with other text.
    const std::string_view text = value.text;
    const bool taken = text.empty() ? m_desc.takesEmpty : IsDigit(text.front()) || text.front() == '+';
    if (value.index < 0 || !taken)
        return;
    // Rows beyond the list address nothing.
    if (m_tables.front().SetCell(static_cast<size_t>(value.index), 0, std::string(text)))
        NotifyChanged();
}

std::optional<SRowEditor> CPhoneListPage::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= m_tables.front().Rows())
        return std::nullopt;
    return MakePhoneEditor(Number(row));
}

CCommandList CPhoneListPage::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= m_tables.front().Rows() || !edited.Has(kPhoneNumberField))
        return {};
    return {{RowCommand(row, EditedPhoneNumber(edited)), kEditWaitMs}};
}

bool CPhoneListPage::RowInCompleteProfile(size_t table, size_t row) const
{
    return table == 0 && row < m_tables.front().Rows() && m_tables.front().IsKnown(row, 0);
}

std::string CPhoneListPage::RowCommand(size_t row, std::string_view number) const
{
    return FormatWire("%%%s%zu%s\r", m_desc.commandName.c_str(), row, std::string(number).c_str());
}

} // namespace orlan
