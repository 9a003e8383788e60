#pragma once
// Which control phones get a message and which get a call when a wireless
// zone alarms: the first column (bit 0) stands apart, then zones 0 … 10.
#include "pages/priorities/PriorityPage.h"

namespace orlan {

class CPageWinPrio final : public CPriorityPage {
public:
    static constexpr size_t kColumns = 12;

    CPageWinPrio();
};

} // namespace orlan
