#include "cli/commands/EditCommand.h"

#include "cli/commands/OfflineProfile.h"
#include "cli/commands/PageLookup.h"
#include "labels/LabelCatalogue.h"
#include "pages/KnownValues.h"
#include "session/PageAccess.h"
#include "session/TerminalSession.h"

namespace orlan {

bool CEditCommand::Check()
{
    const size_t table = m_host.Options().table;
    if (EditsTable(*m_page, table) && table < m_page->Tables().size())
        return FindRow(m_page->Tables()[table]);
    if (EditsTable(*m_page, table)) {
        // Rows an action offers without a list of them go by number.
        const std::string& row = m_host.Options().row;
        if (!row.empty() && row.size() < 6 && row.find_first_not_of("0123456789") == std::string::npos) {
            m_row = std::stoul(row);
            return true;
        }
        m_host.Finish(ECliExit::Usage, PageNameForRefusal(*m_page, m_host.Catalogue()) + " takes a row number from 0, not "
                                           + row);
        return false;
    }
    std::string tables;
    for (size_t t = 0; t < m_page->Tables().size(); ++t) {
        if (EditsTable(*m_page, t))
            tables += (tables.empty() ? "" : ", ") + std::to_string(t);
    }
    m_host.Finish(ECliExit::Usage, PageNameForRefusal(*m_page, m_host.Catalogue())
                                       + (tables.empty() ? " edits no rows"
                                                         : " has no table " + std::to_string(table)
                                                               + " whose rows it edits; its tables: " + tables));
    return false;
}

bool CEditCommand::FindRow(const CPageTable& rows)
{
    const CLabelCatalogue& catalogue = m_host.Catalogue();
    if (const std::optional<size_t> row = rows.FindRow(m_host.Options().row, catalogue)) {
        m_row = *row;
        return true;
    }
    std::string labels;
    if (rows.Rows() > 0)
        labels = "; its rows are " + rows.RowLabel(0, catalogue) + " (0) to " + rows.RowLabel(rows.Rows() - 1, catalogue)
                 + " (" + std::to_string(rows.Rows() - 1) + ")";
    m_host.Finish(ECliExit::Usage, PageNameForRefusal(*m_page, catalogue) + " has no row " + m_host.Options().row
                                       + (labels.empty() ? " (the table has no rows)" : labels));
    return false;
}

void CEditCommand::StartJob()
{
    const CLabelCatalogue& catalogue = m_host.Catalogue();
    const size_t table = m_host.Options().table;
    const size_t row = m_row;
    std::optional<SRowEditor> editor = OpenRowEditor(*m_page, table, row);
    const std::string rowName = table < m_page->Tables().size() ? m_page->Tables()[table].RowLabel(row, catalogue)
                                                                : "row " + std::to_string(row);
    const std::string where = PageCaption(*m_page, catalogue) + ": " + rowName
                              + (m_page->Tables().size() > 1 ? " of table " + std::to_string(table) : "");
    if (!editor) {
        const size_t rows = table < m_page->Tables().size() ? m_page->Tables()[table].Rows() : 0;
        m_host.Finish(ECliExit::Usage, where + " cannot be edited (the table has " + std::to_string(rows) + " rows)");
        return;
    }
    const std::string refused = ApplySettings(editor->fields, m_host.Options().assignments, catalogue);
    if (!refused.empty()) {
        m_host.Finish(ECliExit::Usage, where + ": " + refused + "; nothing was sent");
        return;
    }
    JobStarts();
    const std::string error = m_host.Session().CommitRow(*m_page, table, row, *editor);
    if (!error.empty()) {
        const std::string message = catalogue.Lookup(error, "SYSMSG");
        m_host.Finish(ECliExit::Usage, where + " refused: " + (message.empty() ? error : message) + "; nothing was sent");
        return;
    }
    m_host.Progress("editing " + where);
}

std::string CEditCommand::ChangeProfile()
{
    return SetPageRow(m_host, *m_page, m_host.Options().table, m_row, m_host.Options().assignments);
}

} // namespace orlan
