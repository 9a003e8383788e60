#include "pages/network/EmailPage.h"

#include "console/WireFormat.h"
#include "pages/contacts/PhoneEditor.h"

namespace orlan {

CPageEmail::CPageEmail()
    : CPage({.className = "CPageEmail",
             .section = "PageEmail",
             .defaultAnswerWaitMs = 2000,
             .hasWriteBack = false,
             .headingSection = "PageEmail",
             .headingKey = "Title"})
{
    m_tables.emplace_back(STableDesc{.id = "addresses",
                                     .headerKeys = {"LISTC0", "LISTC1"},
                                     .rowCount = kRows,
                                     .columnWidths = {28}});
}

std::string CPageEmail::DumpRequest() const
{
    return "%DUMP_MMS\r";
}

std::vector<SDumpEntry> CPageEmail::DumpEntries()
{
    return {{"$EM", [this](const SDumpValue& value) {
                 // Rows beyond the two address nothing.
                 if (value.index >= 0 && m_tables.front().SetCell(static_cast<size_t>(value.index), 0,
                                                                  std::string(value.text)))
                     NotifyChanged();
             }}};
}

std::optional<SRowEditor> CPageEmail::RowEditor(size_t table, size_t row) const
{
    // Without a row there is no dialog: nothing may go out for row -1.
    if (table != 0 || row >= kRows)
        return std::nullopt;
    return MakePhoneEditor(Address(row));
}

CCommandList CPageEmail::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kRows || !edited.Has(kPhoneNumberField))
        return {};
    return {{FormatWire("%%EM%zu%s\r", row, EditedPhoneNumber(edited).c_str()), kEditWaitMs}};
}

} // namespace orlan
