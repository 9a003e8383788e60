#pragma once
// Which control phones get a message and which get a call when one of the
// four digital inputs alarms.
#include "pages/priorities/PriorityPage.h"

namespace orlan {

class CPagePriotab final : public CPriorityPage {
public:
    static constexpr size_t kInputs = 4;

    CPagePriotab();
};

} // namespace orlan
