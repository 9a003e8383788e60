#pragma once
// UPS monitoring: switches for monitoring and its SMS, the alarm span, rate
// and the UPS port's line speed.
//
// No dump line of the terminal fills this page and a read leaves it as it
// is; it is not part of profiles.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageUps final : public CPage {
public:
    CPageUps();

    // Keeps every value: the terminal reports none of them.
    void Clear() override {}
    std::string DumpRequest() const override;
};

} // namespace orlan
