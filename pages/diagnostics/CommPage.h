#pragma once
// The console terminal page: the raw console traffic, a send box and the
// key-learning commands. It holds no settings; its own view draws it, and it
// is shown without becoming the current page, so the page-button logic
// leaves the page under it alone.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageComm final : public CPage {
public:
    CPageComm();

    std::string DumpRequest() const override { return {}; }
};

} // namespace orlan
