#include "pages/messages/MessageEditor.h"

#include "labels/TextCodec.h"

namespace orlan {

SRowEditor MakeMessageEditor(std::string_view section, std::string_view text, bool withUnit)
{
    SRowEditor editor{.className = "CInputSms", .section = std::string(section)};
    editor.fields.Add({.id = std::string(kMessageTextField), .kind = EFieldKind::MultiLine},
                      {.text = std::string(text)});
    editor.fields.Add({.id = std::string(kMessageUnitField),
                       .kind = EFieldKind::Text,
                       .hidden = !withUnit,
                       .fixedLabel = "Unit"});
    return editor;
}

std::string EditedMessageHex(const CFieldSet& edited)
{
    std::string hex = EncodeUcs2Hex(edited.Text(kMessageTextField));
    if (edited.Has(kMessageUnitField) && !edited.Text(kMessageUnitField).empty())
        hex += EncodeUcs2Hex("#" + edited.Text(kMessageUnitField));
    return hex;
}

} // namespace orlan
