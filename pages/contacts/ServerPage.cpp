#include "pages/contacts/ServerPage.h"

namespace orlan {

CPageServer::CPageServer()
    : CPhoneListPage({.className = "CPageServer",
                      .section = "PageCSPhone",
                      .navKey = "PAGE_CS",
                      .profileTitle = "Device Control phones",
                      .defaultAnswerWaitMs = 2000,
                      .hasWriteBack = false},
                     {.rowKey = "$CS", .commandName = "CS", .table = PhoneTable(kRows)})
{
}

std::vector<SDumpEntry> CPageServer::DumpEntries()
{
    std::vector<SDumpEntry> entries = CPhoneListPage::DumpEntries();
    // The terminal's priority flags of the phone entries travel with the
    // phone dump; this page takes the line and shows nothing of it.
    entries.push_back({"$PRIOSRABI", [](const SDumpValue&) {}});
    return entries;
}

void CPageServer::WriteProfileSection(CProfileText& out) const
{
    out.WriteDirect("\r\n//Page " + m_info.profileTitle + "\r\n");
    for (size_t row = 0; row < kRows; ++row)
        out.WriteDirect(RowCommand(row, Number(row)) + "\n");
}

} // namespace orlan
