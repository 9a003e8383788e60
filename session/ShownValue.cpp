#include "session/ShownValue.h"

#include "labels/LabelCatalogue.h"
#include "session/PageAccess.h"

namespace orlan {

std::string ShownValue(const CFieldSet& fields, size_t i, const CLabelCatalogue& catalogue)
{
    const SFieldDesc& desc = fields.Desc(i);
    const SFieldValue& value = fields.Value(i);
    switch (desc.kind) {
    case EFieldKind::Check:
        return value.number != 0 ? "on" : "off";
    case EFieldKind::Choice:
        if (value.number < 0)
            return {};
        if (fields.IsOutsideList(i))
            return std::to_string(value.number);
        return ChoiceItemCaption(desc.items[static_cast<size_t>(value.number)], catalogue);
    case EFieldKind::Image:
        return std::to_string(value.text.size()) + " bytes";
    default:
        return value.text;
    }
}

std::string ColumnCaption(const CPageTable& table, size_t column, const std::string& section,
                          const CLabelCatalogue& catalogue)
{
    const STableDesc& desc = table.Desc();
    // With numbered rows the first header is the row label column's.
    const size_t key = column + (desc.numberedRows ? 1 : 0);
    std::string caption = key < desc.headerKeys.size() && !desc.headerKeys[key].empty()
                              ? catalogue.Lookup(desc.headerKeys[key], section)
                              : std::string();
    if (caption.empty() && key < desc.fixedHeaders.size())
        caption = desc.fixedHeaders[key];
    return caption.empty() ? "column " + std::to_string(column + 1) : caption;
}

bool IsSettingField(const SFieldDesc& desc)
{
    return desc.kind != EFieldKind::Image && !desc.readOnly;
}

} // namespace orlan
