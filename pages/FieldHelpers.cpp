#include "pages/FieldHelpers.h"

namespace orlan {

SFieldDesc Field(std::string_view id, EFieldKind kind, std::string_view labelKey)
{
    return {.id = std::string(id), .kind = kind, .labelKey = std::string(labelKey)};
}

SFieldDesc Flag(std::string_view id, std::string_view labelKey)
{
    return Field(id, EFieldKind::Check, labelKey);
}

SFieldDesc Text(std::string_view id, std::string_view labelKey)
{
    return Field(id, EFieldKind::Text, labelKey);
}

SFieldDesc Digits(SFieldDesc desc)
{
    desc.digitsOnly = true;
    return desc;
}

SFieldDesc Whole(SFieldDesc desc, int minimum, int maximum)
{
    desc.value = EValueType::Whole;
    desc.minimum = minimum;
    desc.maximum = maximum;
    return desc;
}

SFieldDesc Decimal(SFieldDesc desc)
{
    desc.value = EValueType::Decimal;
    return desc;
}

SFieldDesc Hour(SFieldDesc desc)
{
    return Whole(std::move(desc), 0, 23);
}

SFieldDesc Minute(SFieldDesc desc)
{
    return Whole(std::move(desc), 0, 59);
}

SFieldDesc Spin(std::string_view id, std::string_view labelKey, int minimum, int maximum)
{
    SFieldDesc desc = Field(id, EFieldKind::Spin, labelKey);
    desc.minimum = minimum;
    desc.maximum = maximum;
    return desc;
}

SFieldDesc Choice(std::string_view id, std::string_view labelKey, std::vector<SChoiceItem> items)
{
    SFieldDesc desc = Field(id, EFieldKind::Choice, labelKey);
    desc.items = std::move(items);
    return desc;
}

SFieldDesc Hidden(SFieldDesc desc, bool hidden)
{
    desc.hidden = hidden;
    return desc;
}

SFieldDesc WithHint(SFieldDesc desc, std::string_view hintKey)
{
    desc.hintKey = std::string(hintKey);
    return desc;
}

SFieldDesc SendsOnChange(SFieldDesc desc)
{
    desc.sendsOnChange = true;
    return desc;
}

std::vector<SChoiceItem> FixedItems(std::initializer_list<std::string_view> texts)
{
    std::vector<SChoiceItem> items;
    for (std::string_view text : texts)
        items.push_back({.text = std::string(text)});
    return items;
}

std::vector<SChoiceItem> CatalogueItems(std::string_view section, std::span<const std::string_view> keys)
{
    std::vector<SChoiceItem> items;
    for (std::string_view key : keys)
        items.push_back({.section = std::string(section), .key = std::string(key)});
    return items;
}

std::vector<std::string> SwitchKeys(std::string_view key)
{
    return {std::string(key) + " 1", std::string(key) + " 0"};
}

int FlagDigit(const CFieldSet& fields, std::string_view fieldId)
{
    return fields.Number(fieldId) != 0 ? 1 : 0;
}

bool IsSelected(const CFieldSet& fields, std::string_view fieldId)
{
    const SFieldDesc& desc = fields.Desc(fields.IndexOf(fieldId));
    const int index = fields.Number(fieldId);
    // A code beyond the items is the terminal's own, kept and sent back.
    return desc.kind != EFieldKind::Choice || index >= 0;
}

} // namespace orlan
