#pragma once
// The ten control phone numbers: the numbers that receive alarm messages and
// may command the terminal. Rows are written one at a time from the phone
// entry dialog; the page has no Save of its own.
#include "pages/contacts/PhoneListPage.h"

namespace orlan {

class CPageServer final : public CPhoneListPage {
public:
    static constexpr size_t kRows = 10;

    CPageServer();

    std::vector<SDumpEntry> DumpEntries() override;
    // The header and one "%CS" line per row, empty rows included, written
    // as formatted rather than through the command sender.
    void WriteProfileSection(CProfileText& out) const override;
};

} // namespace orlan
