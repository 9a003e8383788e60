#include "cli/PageRender.h"

#include <charconv>
#include <cstdio>

#include "labels/LabelCatalogue.h"
#include "session/PageAccess.h"

namespace orlan {

namespace {

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string ColumnCaption(const CPageTable& table, size_t column, const std::string& section,
                          const CLabelCatalogue& catalogue)
{
    const STableDesc& desc = table.Desc();
    const size_t key = column + (desc.numberedRows ? 1 : 0);
    std::string caption = key < desc.headerKeys.size() ? catalogue.Lookup(desc.headerKeys[key], section) : "";
    if (caption.empty() && key < desc.fixedHeaders.size())
        caption = desc.fixedHeaders[key];
    return caption.empty() ? "column " + std::to_string(column) : caption;
}

// The number the first `digits` characters of a caption spell; -1 when none.
long long LeadingNumber(std::string_view caption, size_t digits)
{
    long long value = -1;
    std::from_chars(caption.data(), caption.data() + digits, value);
    return value;
}

} // namespace

std::string FieldValueText(const CFieldSet& fields, size_t i, const CLabelCatalogue& catalogue)
{
    const SFieldDesc& desc = fields.Desc(i);
    const SFieldValue& value = fields.Value(i);
    switch (desc.kind) {
    case EFieldKind::Check:
        return value.number != 0 ? "1" : "0";
    case EFieldKind::Choice:
        if (value.number < 0)
            return "-1";
        if (fields.IsOutsideList(i))
            return std::to_string(value.number) + " (not in the list)";
    {
        const std::string index = std::to_string(value.number);
        const std::string caption = ChoiceItemCaption(desc.items[static_cast<size_t>(value.number)], catalogue);
        // Many items carry their number already ("01: Arm").
        const size_t digits = caption.find_first_not_of("0123456789");
        const bool numbered = digits > 0 && digits != std::string::npos && caption[digits] == ':'
                              && LeadingNumber(caption, digits) == value.number;
        return numbered ? caption : index + ": " + caption;
    }
    case EFieldKind::Image:
        return "(" + std::to_string(value.text.size()) + " bytes of picture)";
    default:
        return value.text;
    }
}

std::string PageJson(const CPage& page, const CLabelCatalogue& catalogue)
{
    const SPageInfo& info = page.Info();
    std::string out = "{\"class\":" + JsonString(info.className) + ",\"alias\":" + JsonString(PageAlias(info.className))
                      + ",\"caption\":" + JsonString(PageCaption(page, catalogue)) + ",\"fields\":{";
    const CFieldSet& fields = page.Fields();
    for (size_t i = 0; i < fields.Size(); ++i) {
        const SFieldDesc& desc = fields.Desc(i);
        const SFieldValue& value = fields.Value(i);
        const bool numeric = desc.kind == EFieldKind::Check || desc.kind == EFieldKind::Choice;
        out += (i == 0 ? "" : ",") + JsonString(desc.id) + ":{\"value\":"
               + (numeric ? std::to_string(value.number) : JsonString(FieldValueText(fields, i, catalogue)))
               + ",\"caption\":" + JsonString(FieldCaption(desc, info.section, catalogue))
               + ",\"hidden\":" + (desc.hidden ? "true" : "false")
               + ",\"known\":" + (fields.IsKnown(i) ? "true" : "false") + "}";
    }
    out += "},\"tables\":[";
    for (size_t t = 0; t < page.Tables().size(); ++t) {
        const CPageTable& table = page.Tables()[t];
        out += (t == 0 ? "" : ",") + std::string("[");
        for (size_t row = 0; row < table.Rows(); ++row) {
            out += (row == 0 ? "" : ",") + std::string("[");
            for (size_t column = 0; column < table.Desc().dataColumns; ++column)
                out += (column == 0 ? "" : ",") + JsonString(table.Cell(row, column));
            out += "]";
        }
        out += "]";
    }
    return out + "]}";
}

std::string PageHeading(const CPage& page, const CLabelCatalogue& catalogue)
{
    const std::string& name = page.Info().className;
    return PageCaption(page, catalogue) + " (" + name + ", " + std::string(PageAlias(name)) + ")\n";
}

std::string PageText(const CPage& page, const CLabelCatalogue& catalogue)
{
    const SPageInfo& info = page.Info();
    std::string out = PageHeading(page, catalogue);
    const CFieldSet& fields = page.Fields();
    for (size_t i = 0; i < fields.Size(); ++i) {
        const SFieldDesc& desc = fields.Desc(i);
        out += "  " + desc.id + " = " + FieldValueText(fields, i, catalogue) + "    # "
               + FieldCaption(desc, info.section, catalogue) + (desc.hidden ? " (hidden)" : "") + "\n";
    }
    for (size_t t = 0; t < page.Tables().size(); ++t) {
        const CPageTable& table = page.Tables()[t];
        out += "  table " + std::to_string(t) + ":";
        for (size_t column = 0; column < table.Desc().dataColumns; ++column)
            out += (column == 0 ? " " : " | ") + ColumnCaption(table, column, info.section, catalogue);
        out += "\n";
        for (size_t row = 0; row < table.Rows(); ++row) {
            out += "    " + std::to_string(row) + ":";
            for (size_t column = 0; column < table.Desc().dataColumns; ++column)
                out += (column == 0 ? " " : " | ") + table.Cell(row, column);
            out += "\n";
        }
    }
    return out;
}

} // namespace orlan
