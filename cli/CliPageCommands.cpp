// The commands that look at pages and profiles: pages, show, write, edit,
// diff, and the backup and verification around exec. Whatever can be refused
// is refused before the port opens; the rest runs on the whole read.
#include "cli/CliSession.h"

#include <utility>

#include "pages/KnownValues.h"
#include "session/PageAccess.h"
#include "session/ProfileDiff.h"

namespace orlan {

namespace {

std::string PageNames(const CTerminalSession& session, bool withSaveOnly)
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

// Tables whose rows the page's row dialog edits, as the window offers them.
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

} // namespace

std::string CCliSession::Caption(const CPage& page) const
{
    return PageCaption(page, m_catalogue);
}

bool CCliSession::PreparePageCommand()
{
    const ECliCommand command = m_options.command;
    if (command == ECliCommand::Pages) {
        std::string text;
        if (m_options.page.empty()) {
            text = PageListText(m_session.Pages(), m_catalogue);
        } else if (const CPage* page = FindPageByName(m_session, m_options.page)) {
            text = PageFieldsText(*page, m_catalogue);
        } else {
            Finish(ECliExit::Usage, "no page \"" + m_options.page + "\"; the pages are: " + PageNames(m_session, false));
            return false;
        }
        Finish(PrintOut(text) ? ECliExit::Ok : ECliExit::OutputFailed);
        return false;
    }
    if (command == ECliCommand::Diff)
        return ReadProfileText();
    if (command != ECliCommand::Show && command != ECliCommand::Write && command != ECliCommand::Edit)
        return true;
    if (m_options.page.empty())
        return true;  // show: every page
    m_page = FindPageByName(m_session, m_options.page);
    if (m_page == nullptr) {
        Finish(ECliExit::Usage, "no page \"" + m_options.page + "\"; the pages are: " + PageNames(m_session, false));
        return false;
    }
    const std::string name = Caption(*m_page) + " (" + m_page->Info().className + ")";
    if (command == ECliCommand::Write) {
        if (!m_page->Info().hasWriteBack) {
            Finish(ECliExit::Usage,
                   name + " has no Save; the pages with one are: " + PageNames(m_session, true));
            return false;
        }
        // The values are tried on a copy now, so nothing is read in vain:
        // each by its field's rules, then in the commands they go out in.
        CFieldSet trial = m_page->Fields();
        const std::string refused = ApplySettings(trial, m_options.assignments, m_catalogue);
        if (!refused.empty()) {
            Finish(ECliExit::Usage, name + ": " + refused);
            return false;
        }
        const CFieldSet before = std::exchange(m_page->Fields(), trial);
        std::vector<SLeftOut> leftOut;
        const std::string broken = BrokenCommand(KnownSaveJob(*m_page, leftOut).commands);
        m_page->Fields() = before;
        if (!broken.empty()) {
            Finish(ECliExit::Usage, name + ": the value given " + BrokenCommandText(broken) + "; nothing was sent");
            return false;
        }
    }
    if (command == ECliCommand::Edit && !EditsTable(*m_page, m_options.table)) {
        std::string tables;
        for (size_t t = 0; t < m_page->Tables().size(); ++t) {
            if (EditsTable(*m_page, t))
                tables += (tables.empty() ? "" : ", ") + std::to_string(t);
        }
        Finish(ECliExit::Usage, name + (tables.empty() ? " edits no rows"
                                                       : " has no table " + std::to_string(m_options.table)
                                                             + " whose rows it edits; its tables: " + tables));
        return false;
    }
    return true;
}

bool CCliSession::ReadProfileText()
{
    const std::string why = ReadFileInChunks(m_options.profilePath, kMaxProfileBytes,
                                             [this](std::string_view bytes) { m_profileText += bytes; });
    if (why.empty())
        return true;
    Finish(ECliExit::ProfileFailed, ProfileFailure(m_options.profilePath, why));
    return false;
}

void CCliSession::ShowPages()
{
    std::string out;
    if (m_page != nullptr) {
        out = m_options.json ? PageJson(*m_page, m_catalogue) + "\n" : PageText(*m_page, m_catalogue);
    } else {
        for (const auto& page : m_session.Pages()) {
            if (m_options.json)
                out += (out.empty() ? "[\n" : ",\n") + PageJson(*page, m_catalogue);
            else
                out += (out.empty() ? "" : "\n") + PageText(*page, m_catalogue);
        }
        if (m_options.json)
            out += "\n]\n";
    }
    Finish(PrintOut(out) ? ECliExit::Ok : ECliExit::OutputFailed);
}

void CCliSession::WritePage()
{
    // Lists filled by the read may hold other items than before it.
    const std::string refused = ApplySettings(m_page->Fields(), m_options.assignments, m_catalogue);
    if (!refused.empty()) {
        Finish(ECliExit::Usage, Caption(*m_page) + ": " + refused + "; nothing was sent");
        return;
    }
    m_page->NotifyChanged();
    Progress("writing " + Caption(*m_page));
    m_stage = EStage::PageJob;
    m_session.WriteBack(*m_page);
}

void CCliSession::OnValueRefused(const CPage& page, const std::string& fieldId, const std::string& why)
{
    Finish(ECliExit::Usage, Caption(page) + ": " + (fieldId.empty() ? "" : "field \"" + fieldId + "\" ") + why
                                + "; nothing was sent");
}

void CCliSession::EditRow()
{
    const size_t table = m_options.table;
    const size_t row = m_options.row;
    std::optional<SRowEditor> editor = OpenRowEditor(*m_page, table, row);
    const std::string where = Caption(*m_page) + ": row " + std::to_string(row) + " of table " + std::to_string(table);
    if (!editor) {
        const size_t rows = table < m_page->Tables().size() ? m_page->Tables()[table].Rows() : 0;
        Finish(ECliExit::Usage, where + " cannot be edited (the table has " + std::to_string(rows) + " rows)");
        return;
    }
    const std::string refused = ApplySettings(editor->fields, m_options.assignments, m_catalogue);
    if (!refused.empty()) {
        Finish(ECliExit::Usage, where + ": " + refused + "; nothing was sent");
        return;
    }
    m_stage = EStage::PageJob;
    const std::string error = m_session.CommitRow(*m_page, table, row, *editor);
    if (!error.empty()) {
        const std::string message = m_catalogue.Lookup(error, "SYSMSG");
        Finish(ECliExit::Usage, where + " refused: " + (message.empty() ? error : message) + "; nothing was sent");
        return;
    }
    Progress("editing " + where);
}

void CCliSession::DiffWithProfile()
{
    const std::vector<SSectionDiff> diff = DiffProfiles(m_profileText, m_session.ProfileBytes());
    if (!PrintOut(DiffText(diff, m_options.profilePath, "terminal"))) {
        Finish(ECliExit::OutputFailed);
        return;
    }
    if (diff.empty())
        Finish(ECliExit::Ok, "the terminal holds " + m_options.profilePath);
    else
        Finish(ECliExit::Differs, std::to_string(diff.size()) + " sections differ from " + m_options.profilePath);
}

void CCliSession::BackupThenExecute()
{
    const std::string bytes = m_session.ProfileBytes();
    const std::string why = SaveFileSafely(m_options.backupPath, bytes, kProfileSave);
    if (!why.empty()) {
        Finish(ECliExit::ProfileFailed, "the backup could not be written (" + m_options.backupPath + ": " + why
                                            + "); nothing was sent");
        return;
    }
    Progress("backup written to " + m_options.backupPath + " (" + std::to_string(bytes.size()) + " bytes)");
    m_backupDone = true;
    m_deadline.stop();
    ExecuteLoadedProfile();
}

void CCliSession::FinalReadDone()
{
    if (m_options.command != ECliCommand::Exec || !m_options.verify) {
        Finish(ExitOf(m_report), "whole configuration read");
        return;
    }
    // What the profile asks for and the terminal does not hold now did not
    // take effect; settings the profile does not name do not count.
    size_t missing = 0;
    for (const SSectionDiff& section : DiffProfiles(m_profileText, m_session.ProfileBytes())) {
        for (const std::string& line : section.lines) {
            if (!line.starts_with('-'))
                continue;
            ++missing;
            if (!PrintLine(line.substr(1) + " (did not take effect)")) {
                Finish(ECliExit::OutputFailed);
                return;
            }
        }
    }
    if (missing > 0)
        Finish(ECliExit::NotVerified, std::to_string(missing) + " of the profile's settings did not take effect");
    else
        Finish(ExitOf(m_report), "every setting of the profile took effect");
}

} // namespace orlan
