#include "pages/contacts/SosPage.h"

#include "pages/FieldHelpers.h"

namespace orlan {

CPageSos::CPageSos()
    : CPhoneListPage({.className = "CPageSos", .section = "PageCSPhone", .hasWriteBack = false, .headingKey = "PAGE_SOS"},
                     {.rowKey = "$SOS", .commandName = "SOS", .table = PhoneTable(1)})
{
    AddSetting({.field = SendsOnChange(Flag(kVideoCallField, "VPC_ABILITY")),
                .keys = {"$MMSEXTSOSVPC"},
                .command = "%%MMSEXTSOSVPC%d\r",
                .answerWaitMs = kEditWaitMs});
}

void CPageSos::Clear()
{
    for (CPageTable& table : m_tables)
        table.Clear();
    NotifyChanged();
}

} // namespace orlan
