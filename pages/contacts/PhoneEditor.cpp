#include "pages/contacts/PhoneEditor.h"

namespace orlan {

SRowEditor MakePhoneEditor(std::string_view number)
{
    SRowEditor editor{.className = "CInputPhone", .section = "PageCSPhone"};
    editor.fields.Add({.id = std::string(kPhoneNumberField), .kind = EFieldKind::Text},
                      {.text = std::string(number)});
    editor.fields.Add({.id = "mmsAbility", .kind = EFieldKind::Check, .labelKey = "MMS_ABILITY", .hidden = true});
    editor.fields.Add({.id = "vpcAbility", .kind = EFieldKind::Check, .labelKey = "VPC_ABILITY", .hidden = true});
    return editor;
}

std::string EditedPhoneNumber(const CFieldSet& edited)
{
    return edited.Has(kPhoneNumberField) ? edited.LineText(kPhoneNumberField) : std::string();
}

} // namespace orlan
