#pragma once
// The phone entry dialog (CInputPhone) both phone pages edit a row with: the
// number, plus two ability check boxes the dialog keeps hidden and whose
// values nobody uses.
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

inline constexpr std::string_view kPhoneNumberField = "number";

// The dialog, opened with a row's number.
SRowEditor MakePhoneEditor(std::string_view number);
// The number as typed, ready for one command line; empty when the set has
// no number field.
std::string EditedPhoneNumber(const CFieldSet& edited);

} // namespace orlan
