#include "pages/contacts/PhoneListPage.h"

#include "pages/contacts/PhoneEditor.h"

namespace orlan {

namespace {

// The terminal reports unused entries with other text; only a number that
// starts like one is taken.
bool LooksLikeNumber(std::string_view text)
{
    return !text.empty() && ((text.front() >= '0' && text.front() <= '9') || text.front() == '+');
}

} // namespace

CPhoneListPage::CPhoneListPage(SPageInfo info, std::string rowKey, size_t rows)
    : CPage(std::move(info)), m_rowKey(std::move(rowKey))
{
    m_tables.emplace_back(STableDesc{.id = "phones", .headerKeys = {"LISTC0", "LISTC1"}, .rowCount = rows});
}

std::string CPhoneListPage::DumpRequest() const
{
    return "%DUMP_PHONE\r";
}

std::vector<SDumpEntry> CPhoneListPage::DumpEntries()
{
    return {{m_rowKey, [this](const SDumpValue& value) { StoreNumber(value); }}};
}

void CPhoneListPage::StoreNumber(const SDumpValue& value)
{
    if (value.index < 0 || !LooksLikeNumber(value.text))
        return;
    if (m_tables.front().SetCell(static_cast<size_t>(value.index), 0, std::string(value.text)))
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
    return {{RowCommand(row, EditedPhoneNumber(edited)), kEditTicks}};
}

} // namespace orlan
