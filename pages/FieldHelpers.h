#pragma once
// Short forms of the field descriptions the pages declare, and the readings
// of a field their commands share.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pages/FieldSet.h"

namespace orlan {

// A list field's start: nothing selected.
inline const SFieldValue kNoSelection{.number = -1};

SFieldDesc Field(std::string_view id, EFieldKind kind, std::string_view labelKey = {});
SFieldDesc Flag(std::string_view id, std::string_view labelKey = {});
SFieldDesc Text(std::string_view id, std::string_view labelKey = {});
SFieldDesc Spin(std::string_view id, std::string_view labelKey, int minimum, int maximum);
SFieldDesc Choice(std::string_view id, std::string_view labelKey, std::vector<SChoiceItem> items);
SFieldDesc Hidden(SFieldDesc desc, bool hidden = true);
SFieldDesc WithHint(SFieldDesc desc, std::string_view hintKey);
SFieldDesc SendsOnChange(SFieldDesc desc);
// A text the terminal takes as decimal digits only.
SFieldDesc Digits(SFieldDesc desc);
// A text holding a whole number in [minimum, maximum]; without a maximum
// any of up to nine digits.
inline constexpr int kAnyCount = 999999999;
SFieldDesc Whole(SFieldDesc desc, int minimum = 0, int maximum = kAnyCount);
// A text holding a decimal number ("-12.5").
SFieldDesc Decimal(SFieldDesc desc);
// Hours of a day and minutes of an hour.
SFieldDesc Hour(SFieldDesc desc);
SFieldDesc Minute(SFieldDesc desc);

// List items of fixed texts, or of catalogue texts of one section.
std::vector<SChoiceItem> FixedItems(std::initializer_list<std::string_view> texts);
std::vector<SChoiceItem> CatalogueItems(std::string_view section, std::span<const std::string_view> keys);

// The routed rows of one switch: "$AR 1" and "$AR 0" for "$AR".
std::vector<std::string> SwitchKeys(std::string_view key);

// A check field as the digit a command carries.
int FlagDigit(const CFieldSet& fields, std::string_view fieldId);
// False for a list field with nothing selected (a code beyond its items,
// kept as the terminal reported it, counts as selected): a list is sent
// only with a selection. True for every other field.
bool IsSelected(const CFieldSet& fields, std::string_view fieldId);

} // namespace orlan
