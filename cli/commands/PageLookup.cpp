#include "cli/commands/PageLookup.h"

#include "session/PageAccess.h"
#include "session/TerminalSession.h"

namespace orlan {

std::string PageNames(CTerminalSession& session, bool withSaveOnly)
{
    std::string names;
    for (const auto& page : session.Pages()) {
        if (withSaveOnly && !page->Info().hasWriteBack)
            continue;
        const std::string_view alias = PageAlias(page->Info().className);
        names += (names.empty() ? "" : ", ") + std::string(alias.empty() ? page->Info().className : alias);
    }
    return names;
}

CPage* FindNamedPage(ICliHost& host)
{
    const std::string& name = host.Options().page;
    CPage* page = FindPageByName(host.Session(), name);
    if (page == nullptr)
        host.Finish(ECliExit::Usage, "no page \"" + name + "\"; the pages are: " + PageNames(host.Session(), false));
    return page;
}

std::string PageNameForRefusal(const CPage& page, const CLabelCatalogue& catalogue)
{
    return PageCaption(page, catalogue) + " (" + page.Info().className + ")";
}

bool EditsTable(const CPage& page, size_t table)
{
    for (const SPageAction& action : page.Actions()) {
        if (action.rowEditorTable == table)
            return true;
    }
    if (table >= page.Tables().size())
        return false;
    const size_t rows = page.Tables()[table].Rows();
    for (size_t row = 0; row < rows; ++row) {
        if (page.RowEditor(table, row))
            return true;
    }
    // A growing list shows its rows only after a read.
    return page.Tables()[table].Desc().order != ERowOrder::Fixed && rows == 0;
}

} // namespace orlan
