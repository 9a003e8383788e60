#pragma once
// Which of the sixteen system events each control phone hears of, and the
// switch for M2M messages.
#include "pages/priorities/PriorityPage.h"

namespace orlan {

class CPageSysPrio final : public CPriorityPage {
public:
    static constexpr size_t kEvents = 16;
    static constexpr std::string_view kM2mField = "m2mSms";

    CPageSysPrio();
};

} // namespace orlan
