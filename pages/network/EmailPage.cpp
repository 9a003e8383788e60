#include "pages/network/EmailPage.h"

#include "console/TextScan.h"
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
    // An address's command in a profile reads back into its row.
    AddProfileInverse("%%EM%1zu%s\r", [this](const std::vector<std::string>& values) {
        if (values.size() != 2 || values[0].size() != 1 || !IsDigit(values[0][0]))
            return false;
        const auto row = static_cast<size_t>(values[0][0] - '0');
        if (row >= kRows)
            return false;
        m_tables.front().SetCell(row, 0, values[1]);
        NotifyChanged();
        return true;
    });
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
