#pragma once
// Meter reading over IEC 62056: how often the readings go to the server, the
// heartbeat, and whether an error report goes up when no meter answers. Its
// captions are fixed texts; it writes no profile section.
//
// Fields "uploadInterval", "heartInterval" (minutes, texts) and "errorReport"
// (switch), all filled by "$P62056" lines ("$P62056POOLT 15").
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPage62056 final : public CPage {
public:
    CPage62056();

    std::string DumpRequest() const override { return "%DUMP_62056\r"; }
    std::vector<SDumpEntry> DumpEntries() override;

private:
    void Store(std::string_view value);
};

} // namespace orlan
