#pragma once
// Dump entries that store a routed value straight into one field of a page:
// the form most settings pages bind their keys with.
#include <string_view>

#include "pages/Page.h"

namespace orlan {

// The switch value of the key's row (on or off) into a check field.
SDumpEntry SwitchEntry(CPage& page, std::string_view key, std::string_view fieldId);
// The text from the row's position into a text field.
SDumpEntry TextEntry(CPage& page, std::string_view key, std::string_view fieldId);
// The decimal number from the row's position as a list selection.
SDumpEntry ChoiceEntry(CPage& page, std::string_view key, std::string_view fieldId);

// A check field as the digit a command carries.
int FlagDigit(const CFieldSet& fields, std::string_view fieldId);

} // namespace orlan
