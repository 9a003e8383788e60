#include "cli/PageRender.h"

#include <charconv>
#include <cstdio>
#include <system_error>

#include "labels/LabelCatalogue.h"
#include "session/PageAccess.h"

namespace orlan {

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

namespace {

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

namespace {

// A number field's text as a JSON number; empty when it holds none.
std::string JsonNumber(std::string_view text, bool whole)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (!text.empty() && text.front() == '+')
        ++first;
    if (whole) {
        long long value = 0;
        const auto [end, error] = std::from_chars(first, last, value);
        return error == std::errc() && end == last && first != last ? std::to_string(value) : std::string();
    }
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return {};
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

// One value type per field: a switch a boolean, a list its index, a number
// field a number, any other text a string; null while not known (a number
// field holding no number is null too, with what it held as "raw").
std::string FieldJsonValue(const CFieldSet& fields, size_t i, const CLabelCatalogue& catalogue)
{
    const SFieldDesc& desc = fields.Desc(i);
    const SFieldValue& value = fields.Value(i);
    if (!fields.IsKnown(i))
        return "null";
    switch (desc.kind) {
    case EFieldKind::Check:
        return value.number != 0 ? "true" : "false";
    case EFieldKind::Choice:
        return value.number < 0 ? "null" : std::to_string(value.number);
    case EFieldKind::Spin:
    case EFieldKind::Text:
        if (desc.kind == EFieldKind::Spin || desc.value != EValueType::Text) {
            const std::string number = JsonNumber(value.text, desc.value != EValueType::Decimal);
            return number.empty() ? "null,\"raw\":" + JsonString(value.text) : number;
        }
        break;
    default:
        break;
    }
    return JsonString(FieldValueText(fields, i, catalogue));
}

// A column's id for scripts: its catalogue key (the same in every
// language), else its place.
std::string ColumnId(const STableDesc& desc, size_t column)
{
    const size_t key = column + (desc.numberedRows ? 1 : 0);
    if (key < desc.headerKeys.size() && !desc.headerKeys[key].empty())
        return desc.headerKeys[key];
    return "column" + std::to_string(column);
}

std::string TableJson(const CPageTable& table, const std::string& section, const CLabelCatalogue& catalogue)
{
    const STableDesc& desc = table.Desc();
    std::string out = "{\"id\":" + JsonString(desc.id) + ",\"columns\":[";
    for (size_t column = 0; column < desc.dataColumns; ++column)
        out += (column == 0 ? "" : ",") + std::string("{\"id\":") + JsonString(ColumnId(desc, column))
               + ",\"caption\":" + JsonString(ColumnCaption(table, column, section, catalogue)) + "}";
    out += "],\"rows\":[";
    for (size_t row = 0; row < table.Rows(); ++row) {
        out += (row == 0 ? "" : ",") + std::string("{\"label\":") + JsonString(table.RowLabel(row, catalogue))
               + ",\"cells\":{";
        for (size_t column = 0; column < desc.dataColumns; ++column)
            out += (column == 0 ? "" : ",") + JsonString(ColumnId(desc, column)) + ":"
                   + (table.IsKnown(row, column) ? JsonString(table.Cell(row, column)) : "null");
        out += "}}";
    }
    return out + "]}";
}

} // namespace

std::string PageJson(const CPage& page, const CLabelCatalogue& catalogue)
{
    const SPageInfo& info = page.Info();
    std::string out = "{\"class\":" + JsonString(info.className) + ",\"alias\":" + JsonString(PageAlias(info.className))
                      + ",\"caption\":" + JsonString(PageCaption(page, catalogue)) + ",\"fields\":{";
    const CFieldSet& fields = page.Fields();
    for (size_t i = 0; i < fields.Size(); ++i) {
        const SFieldDesc& desc = fields.Desc(i);
        out += (i == 0 ? "" : ",") + JsonString(desc.id) + ":{\"value\":" + FieldJsonValue(fields, i, catalogue)
               + ",\"caption\":" + JsonString(FieldCaption(desc, info.section, catalogue))
               + ",\"hidden\":" + (desc.hidden ? "true" : "false")
               + ",\"known\":" + (fields.IsKnown(i) ? "true" : "false") + "}";
    }
    out += "},\"tables\":[";
    for (size_t t = 0; t < page.Tables().size(); ++t)
        out += (t == 0 ? "" : ",") + TableJson(page.Tables()[t], info.section, catalogue);
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
            out += "    " + table.RowLabel(row, catalogue) + ":";
            for (size_t column = 0; column < table.Desc().dataColumns; ++column)
                out += (column == 0 ? " " : " | ") + table.Cell(row, column);
            out += "\n";
        }
    }
    return out;
}

} // namespace orlan
