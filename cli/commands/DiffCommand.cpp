#include "cli/commands/DiffCommand.h"

#include <algorithm>

#include "cli/PageRender.h"
#include "cli/commands/OfflineProfile.h"
#include "cli/commands/ProfileFiles.h"
#include "session/PageValueDiff.h"
#include "session/ProfileDiff.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

std::string ChangesJson(const std::vector<SValueChange>& changes)
{
    std::string out = "[";
    for (const SValueChange& change : changes) {
        auto value = [](bool known, const std::string& text) { return known ? JsonString(text) : std::string("null"); };
        out += std::string(out.size() > 1 ? "," : "") + "\n{\"page\":" + JsonString(change.pageClass)
               + ",\"pageCaption\":" + JsonString(change.page) + ",\"row\":" + JsonString(change.row)
               + ",\"field\":" + JsonString(change.fieldId) + ",\"fieldCaption\":" + JsonString(change.field)
               + ",\"before\":" + value(change.knownBefore, change.before)
               + ",\"after\":" + value(change.knownAfter, change.after) + "}";
    }
    return out + (changes.empty() ? "]\n" : "\n]\n");
}

} // namespace

bool CDiffCommand::Prepare()
{
    if (!ReadProfileText(m_host, m_profileText))
        return false;
    const SCliOptions& options = m_host.Options();
    if (!WorksOffline(options))
        return true;
    std::string other;
    if (ReadProfileFile(m_host, options.otherProfilePath, other))
        Report(options.profilePath, m_profileText, options.otherProfilePath, other);
    return false;
}

void CDiffCommand::Run()
{
    ReadWholeConfiguration("reading the whole configuration");
}

void CDiffCommand::OnWholeReadComplete()
{
    Report(m_host.Options().profilePath, m_profileText, "terminal", m_host.Session().ProfileBytes());
}

void CDiffCommand::Report(const std::string& name, const std::string& text, const std::string& otherName,
                          const std::string& otherText)
{
    const SCliOptions& options = m_host.Options();
    // Against a terminal only what the profile holds counts: a profile of
    // some pages says nothing of the others.
    const bool terminal = !WorksOffline(options);
    std::string out;
    size_t count = 0;
    std::string what;
    if (options.raw) {
        std::vector<SSectionDiff> diff = DiffProfiles(text, otherText);
        if (terminal) {
            const std::vector<SProfileSection> held = ParseProfileSections(text);
            std::erase_if(diff, [&held](const SSectionDiff& section) {
                return std::none_of(held.begin(), held.end(),
                                    [&section](const SProfileSection& h) { return h.title == section.title; });
            });
        }
        out = DiffText(diff, name, otherName);
        count = diff.size();
        what = " sections differ";
    } else {
        std::vector<SValueChange> changes = DiffProfileValues(text, otherText, m_host.Catalogue());
        if (terminal)
            std::erase_if(changes, [](const SValueChange& change) { return !change.knownBefore; });
        if (options.json) {
            out = ChangesJson(changes);
        } else {
            for (const SValueChange& change : changes)
                out += ValueChangeText(change) + "\n";
        }
        count = changes.size();
        what = " settings differ";
    }
    if (!m_host.PrintOut(out)) {
        m_host.Finish(ECliExit::OutputFailed);
        return;
    }
    if (count == 0)
        m_host.Finish(ECliExit::Ok, otherName + " holds " + name);
    else
        m_host.Finish(ECliExit::Differs, std::to_string(count) + what + " between " + name + " and " + otherName);
}

} // namespace orlan
