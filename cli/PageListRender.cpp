#include "cli/PageRender.h"

#include <algorithm>

#include "labels/LabelCatalogue.h"
#include "session/PageAccess.h"

namespace orlan {

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
    switch (desc.value) {
    case EValueType::Whole:
        return "number " + std::to_string(desc.minimum) + ".." + std::to_string(desc.maximum);
    case EValueType::Decimal:
        return "decimal number";
    case EValueType::Text:
        break;
    }
    return desc.digitsOnly ? "digits" : "text, one line";
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

} // namespace orlan
