#include "pages/DumpBindings.h"

#include <string>

namespace orlan {

SDumpEntry SwitchEntry(CPage& page, std::string_view key, std::string_view fieldId)
{
    return {std::string(key), [&page, id = std::string(fieldId)](const SDumpValue& value) {
                page.Fields().SetNumber(id, value.on ? 1 : 0);
                page.NotifyChanged();
            }};
}

SDumpEntry TextEntry(CPage& page, std::string_view key, std::string_view fieldId)
{
    return {std::string(key), [&page, id = std::string(fieldId)](const SDumpValue& value) {
                page.Fields().SetText(id, value.text);
                page.NotifyChanged();
            }};
}

SDumpEntry ChoiceEntry(CPage& page, std::string_view key, std::string_view fieldId)
{
    return {std::string(key), [&page, id = std::string(fieldId)](const SDumpValue& value) {
                page.Fields().SetChoice(id, value.index);
                page.NotifyChanged();
            }};
}

int FlagDigit(const CFieldSet& fields, std::string_view fieldId)
{
    return fields.Number(fieldId) != 0 ? 1 : 0;
}

} // namespace orlan
