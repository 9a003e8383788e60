#include "cli/commands/OfflineProfile.h"

#include "cli/commands/PageLookup.h"
#include "cli/commands/ProfileFiles.h"
#include "labels/LabelCatalogue.h"
#include "pages/KnownValues.h"
#include "session/PageAccess.h"
#include "session/TerminalSession.h"

namespace orlan {

bool WorksOffline(const SCliOptions& options)
{
    switch (options.command) {
    case ECliCommand::Show:
    case ECliCommand::Write:
    case ECliCommand::Edit:
    case ECliCommand::Report:
        return !options.profilePath.empty();
    case ECliCommand::Diff:
        return !options.otherProfilePath.empty();
    default:
        return false;
    }
}

bool OpenProfile(ICliHost& host, const std::string& path, SOpenedProfile& opened)
{
    if (!ReadProfileFile(host, path, opened.bytes))
        return false;
    CTerminalSession& session = host.Session();
    const SProfileLoad load = session.LoadProfile(opened.bytes);
    for (const SUnplacedLine& line : load.unplaced)
        host.Progress(path + ":" + std::to_string(line.line) + ": kept as it stands (" + line.reason
                      + (line.section.empty() ? "" : ", section " + line.section) + "): " + line.text);
    // A file of the classic sections alone is saved so again.
    opened.scope = session.ProfileBytes(EProfileScope::Classic) == opened.bytes ? EProfileScope::Classic
                                                                                : EProfileScope::Complete;
    return true;
}

std::string SetPageFields(ICliHost& host, CPage& page, const std::vector<std::string>& assignments)
{
    const std::string refused = ApplySettings(page.Fields(), assignments, host.Catalogue());
    if (refused.empty())
        page.NotifyChanged();
    return refused;
}

std::string SetPageRow(ICliHost& host, CPage& page, size_t table, size_t row,
                       const std::vector<std::string>& assignments)
{
    std::optional<SRowEditor> editor = OpenRowEditor(page, table, row);
    if (!editor)
        return "the row cannot be edited";
    const CLabelCatalogue& catalogue = host.Catalogue();
    if (std::string refused = ApplySettings(editor->fields, assignments, catalogue); !refused.empty())
        return refused;
    if (const std::string error = page.RowEditError(table, row, editor->fields); !error.empty()) {
        const std::string message = catalogue.Lookup(error, "SYSMSG");
        return "refused: " + (message.empty() ? error : message);
    }
    // The row's commands, read back through the page's profile inverse: the
    // table then holds what the dialog would have written.
    return host.Session().ApplyRowToPage(page, table, row, *editor);
}

namespace {

// "PAGE.ID" or "PAGE.ROW.ID": the page up to the first dot, the field after
// the last; a row label may hold dots itself ("No.2").
struct STemplateKey {
    std::string page;
    std::string row;
    std::string id;
};

std::optional<STemplateKey> SplitTemplateKey(std::string_view key)
{
    const size_t first = key.find('.');
    const size_t last = key.rfind('.');
    if (first == std::string_view::npos || first == 0 || last + 1 >= key.size())
        return std::nullopt;
    STemplateKey split{std::string(key.substr(0, first)), {}, std::string(key.substr(last + 1))};
    if (last > first)
        split.row = std::string(key.substr(first + 1, last - first - 1));
    return split;
}

} // namespace

std::string SetTemplateValues(ICliHost& host, const std::vector<std::string>& assignments)
{
    const CLabelCatalogue& catalogue = host.Catalogue();
    for (const std::string& assignment : assignments) {
        const size_t equals = assignment.find('=');
        const std::optional<STemplateKey> key =
            equals == std::string::npos ? std::nullopt : SplitTemplateKey(std::string_view(assignment).substr(0, equals));
        if (!key)
            return "--set " + assignment + ": give PAGE.ID=VALUE or PAGE.ROW.ID=VALUE";
        CPage* page = FindPageByName(host.Session(), key->page);
        if (page == nullptr)
            return "--set " + assignment + ": no page \"" + key->page + "\"; the pages are: "
                   + PageNames(host.Session(), false);
        const std::vector<std::string> one{key->id + assignment.substr(equals)};
        std::string refused;
        if (key->row.empty()) {
            refused = SetPageFields(host, *page, one);
        } else {
            const size_t table = 0;
            const std::optional<size_t> row =
                table < page->Tables().size() ? page->Tables()[table].FindRow(key->row, catalogue) : std::nullopt;
            refused = row ? SetPageRow(host, *page, table, *row, one) : "no row " + key->row;
        }
        if (!refused.empty())
            return PageNameForRefusal(*page, catalogue) + ": " + refused;
    }
    return {};
}

size_t LeftOutNow(ICliHost& host, const SOpenedProfile& opened)
{
    std::vector<SLeftOut> leftOut;
    host.Session().ProfileBytes(opened.scope, &leftOut);
    return leftOut.size();
}

bool ProfileAfterChanges(ICliHost& host, const SOpenedProfile& opened, size_t leftOutBefore, std::string& bytes)
{
    std::vector<SLeftOut> leftOut;
    bytes = host.Session().ProfileBytes(opened.scope, &leftOut);
    if (leftOut.size() <= leftOutBefore)
        return true;
    std::string listed;
    for (const SLeftOut& left : leftOut)
        listed += "not written: " + left.command + "\n";
    host.PrintOut(listed);
    host.Finish(ECliExit::NotWritten,
                "a value given travels with one the profile does not hold; nothing was written");
    return false;
}

void SaveProfileAndFinish(ICliHost& host, const SOpenedProfile& opened, size_t leftOutBefore)
{
    std::string bytes;
    if (!ProfileAfterChanges(host, opened, leftOutBefore, bytes))
        return;
    const SCliOptions& options = host.Options();
    const std::string& path = options.outputPath.empty() ? options.profilePath : options.outputPath;
    if (const std::string why = SaveFileSafely(path, bytes, kProfileSave); !why.empty()) {
        host.Finish(ECliExit::ProfileFailed, ProfileFailure(path, why));
        return;
    }
    host.Finish(ECliExit::Ok, bytes == opened.bytes ? path + " holds these values already" : "saved " + path);
}

} // namespace orlan
