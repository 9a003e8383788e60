#pragma once
// The dump routing table as data: for every key, how it is matched, which
// part of the line its consumers receive, and which pages consume it. One
// independent row first, then three chains in table order. A plain
// setting's key is not here: the page that declares it brings its row
// (SettingRoute, in the second chain after these rows); the table keeps the
// keys several pages share, composite lines and keys whose order among
// others matters.
#include <array>
#include <span>
#include <string_view>

namespace orlan {

enum class EHandOver {
    FromPosition,  // the text from `position` on
    Switch,        // the key holds the value: `switchValue`
    SwitchIfOne,   // on when the character at `position` is '1'
    ListIndex,     // the decimal number from `position` on
    RowText,       // row = the digit at `digitAt`, text from `position` on
    WholeLine,
};

struct SDumpRoute {
    int chain = 0;  // 0: the independent row
    std::string_view key;
    EHandOver form = EHandOver::FromPosition;
    int position = 0;
    int digitAt = -1;  // >= 0: the key matches only with a decimal digit there
    bool switchValue = false;
    std::array<std::string_view, 4> consumers{};  // page class names, in hand-over order
};

std::span<const SDumpRoute> DumpRoutes();

} // namespace orlan
