#pragma once
// Which control phones get a message when one of the four analog inputs
// alarms. The terminal reports only the message masks, so the row command's
// call mask is always sent as zero.
#include "pages/priorities/PriorityPage.h"

namespace orlan {

class CPageAinprio final : public CPriorityPage {
public:
    static constexpr size_t kInputs = 4;

    CPageAinprio();
};

} // namespace orlan
