#pragma once
// The message entry dialog (CInputSms) the message text and channel name
// pages edit a row with: a multi-line text, and a short unit box that only
// the analog alarm texts page shows.
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

inline constexpr std::string_view kMessageTextField = "text";
inline constexpr std::string_view kMessageUnitField = "unit";

// The dialog, opened with a row's text; `section` is the opening page's.
SRowEditor MakeMessageEditor(std::string_view section, std::string_view text, bool withUnit);

// The UCS-2 hex the terminal stores for the edited row: the text, then
// "#" and the unit when a unit was typed. Line breaks travel inside the hex,
// so they cannot end the command early.
std::string EditedMessageHex(const CFieldSet& edited);

} // namespace orlan
