#pragma once
// The terminal's stored message texts, slots 0 to 25: the whole table, the
// digital input alarm texts (slots 0 to 7) and the analog input alarm texts
// (slots 8 to 15, with a unit and the automatic high/low wording switch).
// One "$SMS" line reaches all three; each takes the slots it shows.
#include "pages/messages/TextListPage.h"

namespace orlan {

inline constexpr int kMessageWaitMs = 2000;

class CPageAllSms final : public CTextListPage {
public:
    static constexpr size_t kRows = 26;
    CPageAllSms();
};

class CPageDinAlarm final : public CTextListPage {
public:
    static constexpr size_t kRows = 8;
    CPageDinAlarm();
};

class CPageADSms final : public CTextListPage {
public:
    static constexpr size_t kRows = 8;
    static constexpr size_t kFirstSlot = 8;
    static constexpr std::string_view kHeaderField = "smsHead";
    CPageADSms();
};

} // namespace orlan
