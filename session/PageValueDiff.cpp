#include "session/PageValueDiff.h"

#include <algorithm>

#include "session/DetachedSession.h"
#include "session/PageAccess.h"
#include "session/ShownValue.h"

namespace orlan {

namespace {

void DiffFields(const CPage& a, const CPage& b, const std::string& caption, const CLabelCatalogue& catalogue,
                std::vector<SValueChange>& out)
{
    const CFieldSet& before = a.Fields();
    const CFieldSet& after = b.Fields();
    for (size_t i = 0; i < before.Size() && i < after.Size(); ++i) {
        const SFieldDesc& desc = before.Desc(i);
        if (!IsSettingField(desc))
            continue;
        const bool knownBefore = before.IsKnown(i);
        const bool knownAfter = after.IsKnown(i);
        if (!knownBefore && !knownAfter)
            continue;
        const std::string was = knownBefore ? ShownValue(before, i, catalogue) : std::string();
        const std::string now = knownAfter ? ShownValue(after, i, catalogue) : std::string();
        if (knownBefore == knownAfter && before.Value(i) == after.Value(i))
            continue;
        out.push_back({caption, {}, FieldCaption(desc, a.Info().section, catalogue), was, now, knownBefore,
                       knownAfter, a.Info().className, desc.id});
    }
}

void DiffTables(const CPage& a, const CPage& b, const std::string& caption, const CLabelCatalogue& catalogue,
                std::vector<SValueChange>& out)
{
    for (size_t t = 0; t < a.Tables().size() && t < b.Tables().size(); ++t) {
        const CPageTable& before = a.Tables()[t];
        const CPageTable& after = b.Tables()[t];
        const size_t rows = std::max(before.Rows(), after.Rows());
        for (size_t row = 0; row < rows; ++row) {
            for (size_t column = 0; column < before.Desc().dataColumns; ++column) {
                const bool knownBefore = row < before.Rows() && before.IsKnown(row, column);
                const bool knownAfter = row < after.Rows() && after.IsKnown(row, column);
                if (!knownBefore && !knownAfter)
                    continue;
                const std::string was = knownBefore ? before.Cell(row, column) : std::string();
                const std::string now = knownAfter ? after.Cell(row, column) : std::string();
                if (knownBefore == knownAfter && was == now)
                    continue;
                const CPageTable& named = row < before.Rows() ? before : after;
                out.push_back({caption, named.RowLabel(row, catalogue),
                               ColumnCaption(before, column, a.Info().section, catalogue), was, now, knownBefore,
                               knownAfter, a.Info().className,
                               before.Desc().id + "." + std::to_string(column)});
            }
        }
    }
}

} // namespace

std::vector<SValueChange> DiffPageValues(const CTerminalSession& a, const CTerminalSession& b,
                                         const CLabelCatalogue& catalogue)
{
    std::vector<SValueChange> changes;
    for (const auto& page : a.Pages()) {
        const CPage* other = b.FindPage(page->Info().className);
        if (other == nullptr)
            continue;
        const std::string caption = PageCaption(*page, catalogue);
        DiffFields(*page, *other, caption, catalogue, changes);
        DiffTables(*page, *other, caption, catalogue, changes);
    }
    return changes;
}

std::vector<SValueChange> DiffProfileValues(std::string_view a, std::string_view b,
                                            const CLabelCatalogue& catalogue)
{
    CDetachedSession first;
    CDetachedSession second;
    first.Session().LoadProfile(a);
    second.Session().LoadProfile(b);
    return DiffPageValues(first.Session(), second.Session(), catalogue);
}

std::string ValueChangeText(const SValueChange& change)
{
    auto shown = [](bool known, const std::string& value) { return known ? value : std::string("(none)"); };
    return change.page + ": " + (change.row.empty() ? std::string() : change.row + " ") + change.field + ": "
           + shown(change.knownBefore, change.before) + " \u2192 " + shown(change.knownAfter, change.after);
}

} // namespace orlan
