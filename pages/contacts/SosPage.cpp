#include "pages/contacts/SosPage.h"

#include "console/WireFormat.h"

namespace orlan {

CPageSos::CPageSos()
    : CPhoneListPage({.className = "CPageSos", .section = "PageCSPhone", .hasWriteBack = false}, "$SOS", 1)
{
    m_fields.Add({.id = std::string(kVideoCallField),
                  .kind = EFieldKind::Check,
                  .labelKey = "VPC_ABILITY",
                  .sendsOnChange = true});
}

void CPageSos::Clear()
{
    for (CPageTable& table : m_tables)
        table.Clear();
    NotifyChanged();
}

std::vector<SDumpEntry> CPageSos::DumpEntries()
{
    std::vector<SDumpEntry> entries = CPhoneListPage::DumpEntries();
    entries.push_back({"$MMSEXTSOSVPC", [this](const SDumpValue& value) {
                           m_fields.SetNumber(kVideoCallField, value.on ? 1 : 0);
                           NotifyChanged();
                       }});
    return entries;
}

CCommandList CPageSos::OnFieldEdited(std::string_view fieldId)
{
    if (fieldId != kVideoCallField)
        return {};
    const int flag = m_fields.Number(kVideoCallField) != 0 ? 1 : 0;
    return {{FormatWire("%%MMSEXTSOSVPC%d\r", flag), kEditTicks}};
}

std::string CPageSos::RowCommand(size_t row, std::string_view number) const
{
    return FormatWire("%%SOS%zu%s\r", row, std::string(number).c_str());
}

} // namespace orlan
