#include "pages/contacts/ServerPage.h"

#include "console/WireFormat.h"

namespace orlan {

CPageServer::CPageServer()
    : CPhoneListPage({.className = "CPageServer",
                      .section = "PageCSPhone",
                      .navKey = "PAGE_CS",
                      .profileTitle = "Device Control phones",
                      .defaultTickLimit = 2000,
                      .hasWriteBack = false},
                     "$CS", kRows)
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

std::string CPageServer::RowCommand(size_t row, std::string_view number) const
{
    return FormatWire("%%CS%zu%s\r", row, std::string(number).c_str());
}

void CPageServer::WriteProfileSection(CProfileText& out) const
{
    out.WriteDirect("\r\n//Page " + m_info.profileTitle + "\r\n");
    for (size_t row = 0; row < kRows; ++row)
        out.WriteDirect(RowCommand(row, Number(row)) + "\n");
}

} // namespace orlan
