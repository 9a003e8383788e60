#include "cli/PageRender.h"

#include <algorithm>
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

std::string PageListText(const std::vector<std::unique_ptr<CPage>>& pages, const CLabelCatalogue& catalogue)
{
    struct SRow {
        std::string cells[6];
        std::string title;
    };
    std::vector<SRow> rows = {{{"class", "alias", "save", "table rows", "profile", "navigation"}, "title"}};
    for (const auto& page : pages) {
        const SPageInfo& info = page->Info();
        std::string tables;
        for (const CPageTable& table : page->Tables()) {
            const STableDesc& desc = table.Desc();
            // A growing list has the rows it received, up to its limit.
            const std::string rowCount = desc.order == ERowOrder::Fixed ? std::to_string(table.Rows())
                                         : desc.rowLimit > 0            ? "<=" + std::to_string(desc.rowLimit)
                                                                        : "any";
            tables += (tables.empty() ? "" : "+") + rowCount;
        }
        rows.push_back({{info.className, std::string(PageAlias(info.className)), info.hasWriteBack ? "yes" : "no",
                         tables.empty() ? "-" : tables, info.profileTitle.empty() ? "no" : "yes",
                         PageInNavigation(*page) ? "yes" : "no"},
                        PageCaption(*page, catalogue)});
    }
    size_t widths[6] = {};
    for (const SRow& row : rows) {
        for (size_t c = 0; c < 6; ++c)
            widths[c] = std::max(widths[c], row.cells[c].size());
    }
    std::string out;
    for (const SRow& row : rows) {
        for (size_t c = 0; c < 6; ++c)
            out += row.cells[c] + std::string(widths[c] - row.cells[c].size() + 2, ' ');
        out += row.title + "\n";
    }
    return out;
}

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

namespace {

std::string FieldKindText(const SFieldDesc& desc, const CLabelCatalogue& catalogue)
{
    switch (desc.kind) {
    case EFieldKind::Check:
        return "switch 0/1";
    case EFieldKind::Choice: {
        std::string items = "list";
        for (size_t i = 0; i < desc.items.size(); ++i)
            items += (i == 0 ? " " : ", ") + std::to_string(i) + "=" + ChoiceItemCaption(desc.items[i], catalogue);
        return items;
    }
    case EFieldKind::Spin:
        return "number " + std::to_string(desc.minimum) + ".." + std::to_string(desc.maximum);
    case EFieldKind::MultiLine:
        return "text, several lines";
    case EFieldKind::Image:
        return "picture";
    case EFieldKind::Text:
        break;
    }
    return desc.digitsOnly ? "digits" : "text, one line";
}

// "Siren (CPageBuzzer, buzzer)" and a line end.
std::string PageHeading(const CPage& page, const CLabelCatalogue& catalogue)
{
    const std::string& name = page.Info().className;
    return PageCaption(page, catalogue) + " (" + name + ", " + std::string(PageAlias(name)) + ")\n";
}

} // namespace

std::string PageFieldsText(const CPage& page, const CLabelCatalogue& catalogue)
{
    const SPageInfo& info = page.Info();
    std::string out = PageHeading(page, catalogue);
    const CFieldSet& fields = page.Fields();
    for (size_t i = 0; i < fields.Size(); ++i) {
        const SFieldDesc& desc = fields.Desc(i);
        const std::string notes = std::string(desc.hidden ? ", hidden" : "") + (desc.readOnly ? ", read only" : "")
                                  + (desc.sendsOnChange ? ", written at once" : "");
        out += "  " + desc.id + "  " + FieldKindText(desc, catalogue) + notes + "    # "
               + FieldCaption(desc, info.section, catalogue) + "\n";
    }
    for (size_t t = 0; t < page.Tables().size(); ++t) {
        const STableDesc& desc = page.Tables()[t].Desc();
        out += "  table " + std::to_string(t) + " (" + desc.id + "): " + std::to_string(page.Tables()[t].Rows())
               + " rows\n";
        const size_t first = desc.numberedRows ? 1 : 0;
        for (size_t column = 0; column < desc.dataColumns; ++column) {
            const size_t header = column + first;
            const std::string caption = header < desc.headerKeys.size() && !desc.headerKeys[header].empty()
                                            ? catalogue.Lookup(desc.headerKeys[header], info.section)
                                            : std::string();
            out += "    column " + std::to_string(column) + (caption.empty() ? "" : "    # " + caption) + "\n";
        }
    }
    return out;
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
