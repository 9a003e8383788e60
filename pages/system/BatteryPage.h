#pragma once
// The power supply alarm: alarm delay, battery alarm switch and the power
// threshold.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageBattery final : public CPage {
public:
    CPageBattery();

    std::string DumpRequest() const override;
};

} // namespace orlan
