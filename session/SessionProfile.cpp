// The session's profile as a whole: written from the pages, and loaded back
// into them.
#include <algorithm>
#include <utility>

#include "pages/KnownValues.h"
#include "pages/PageIdentity.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

struct SSection {
    std::string title;
    const CPage* page = nullptr;
    bool classic = true;  // written under the page's own title
};

std::vector<SSection> Sections(const CTerminalSession& session, EProfileScope scope)
{
    std::vector<SSection> sections;
    for (std::string_view name : ProfileSectionOrder()) {
        // A page asked for a section may write none (the digital input priorities).
        const CPage* page = session.FindPage(name);
        if (page && !page->Info().profileTitle.empty())
            sections.push_back({page->Info().profileTitle, page, true});
    }
    if (scope == EProfileScope::Complete) {
        for (const SPageIdentity& identity : PageIdentities()) {
            if (identity.completeTitle.empty())
                continue;
            if (const CPage* page = session.FindPage(identity.className))
                sections.push_back({std::string(identity.completeTitle), page, false});
        }
    }
    return sections;
}

// Lines with their line ends; a last line without one counts too.
std::vector<std::string_view> RawLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        lines.push_back(bytes.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string WithoutLineEnds(std::string_view raw)
{
    std::string text;
    for (char c : raw) {
        if (c != '\r' && c != '\n')
            text += c;
    }
    return text;
}

// A kept line is written back as one line even where it ended the file.
std::string EndedLine(std::string_view raw)
{
    std::string bytes(raw);
    if (!bytes.ends_with('\n'))
        bytes += "\r\n";
    return bytes;
}

// A section as the page wrote it, with the kept lines of a loaded profile
// put back behind the commands they followed.
std::string WithKeptLines(const std::string& section, std::string_view title, const CKeptProfileLines& kept)
{
    std::string bytes;
    bool inHeader = true;
    size_t commands = 0;
    for (std::string_view raw : RawLines(section)) {
        const std::string text = WithoutLineEnds(raw);
        if (inHeader) {
            bytes += raw;
            if (IsSectionHeader(text))
                inHeader = false;
            continue;
        }
        if (!text.empty()) {
            bytes += kept.InSection(title, commands);
            ++commands;
        }
        bytes += raw;
    }
    bytes += kept.InSectionFrom(title, commands);
    return bytes;
}

} // namespace

CPage* CTerminalSession::FindProfileSection(std::string_view title) const
{
    for (const SSection& section : Sections(*this, EProfileScope::Complete)) {
        if (section.title == title)
            return const_cast<CPage*>(section.page);
    }
    return nullptr;
}

std::string CTerminalSession::ProfileBytes(EProfileScope scope, std::vector<SLeftOut>* leftOut) const
{
    std::string bytes = m_keptProfileLines.Whole("");
    std::vector<SLeftOut> left;
    std::vector<std::string> written;
    for (const SSection& section : Sections(*this, scope)) {
        CProfileText text;
        WriteKnownProfileSection(*section.page, text, left, section.classic ? std::string_view() : section.title);
        // A page of the complete tail with nothing to write adds no section,
        // unless lines a loaded profile kept stand in it.
        const std::string own = text.Bytes();
        const bool hasCommands = std::ranges::any_of(RawLines(own), [](std::string_view raw) {
            const std::string line = WithoutLineEnds(raw);
            return !line.empty() && !IsSectionHeader(line);
        });
        const bool inFile = !m_loadedSections || std::ranges::find(*m_loadedSections, section.title) != m_loadedSections->end();
        if ((section.classic && inFile) || hasCommands || !m_keptProfileLines.InSectionFrom(section.title, 0).empty())
            bytes += WithKeptLines(own, section.title, m_keptProfileLines);
        bytes += m_keptProfileLines.Whole(section.title);
        written.push_back(section.title);
    }
    bytes += m_keptProfileLines.WholeNotBehind(written);
    if (leftOut)
        *leftOut = std::move(left);
    return bytes;
}

SProfileLoad CTerminalSession::LoadProfile(std::string_view bytes)
{
    SProfileLoad load;
    m_keptProfileLines.Clear();
    m_loadedSections.emplace();
    m_holdsWholeRead = false;
    // Cleared as a whole read clears them, and the pages with a section
    // besides; what a read keeps is forgotten too, the file's values alone
    // stand.
    std::vector<CPage*> cleared;
    auto clear = [&cleared](CPage* page) {
        if (page && std::find(cleared.begin(), cleared.end(), page) == cleared.end()) {
            page->ForgetValues();
            cleared.push_back(page);
        }
    };
    for (std::string_view name : WholeReadClearOrder())
        clear(FindPage(name));
    for (const SSection& section : Sections(*this, EProfileScope::Complete))
        clear(const_cast<CPage*>(section.page));

    std::string title;         // of the section being read
    CPage* page = nullptr;     // the page writing it; null outside known sections
    std::string lastKnown;     // the known section a section no page writes stands behind
    std::string whole;         // the bytes of such a section (or of the lines before the first)
    std::string blanks;        // empty lines not yet placed
    size_t taken = 0;          // commands of the section the page took
    size_t number = 0;
    auto keepWhole = [&] {
        if (!whole.empty())
            m_keptProfileLines.KeepWhole(lastKnown, std::move(whole));
        whole.clear();
    };
    bool headerTail = false;   // the line behind a known header, which its page writes
    for (std::string_view raw : RawLines(bytes)) {
        ++number;
        const std::string text = WithoutLineEnds(raw);
        if (text.empty()) {
            if (!std::exchange(headerTail, false) || raw != "\r\n")
                blanks += raw;
            continue;
        }
        headerTail = false;
        std::string header;
        if (IsSectionHeader(text, &header)) {
            CPage* known = FindProfileSection(header);
            if (known && !whole.empty()) {
                // Empty lines behind kept lines stay theirs, but for the
                // header's own leading line, which its page writes.
                if (blanks.ends_with("\r\r\n"))
                    blanks.resize(blanks.size() - 3);
                whole += blanks;
            }
            keepWhole();
            title = header;
            page = known;
            taken = 0;
            if (page) {
                m_loadedSections->push_back(title);
                lastKnown = title;
                blanks.clear();  // a known section writes its own
                headerTail = true;
            } else {
                whole = blanks + EndedLine(raw);
                blanks.clear();
                load.unplaced.push_back({title, number, text, "unknown section"});
            }
            continue;
        }
        if (!page) {
            whole += blanks + EndedLine(raw);
            blanks.clear();
            load.unplaced.push_back({title, number, text, title.empty() ? "outside any section" : "unknown section"});
            continue;
        }
        blanks.clear();
        if (text.starts_with('%') && page->TakeProfileCommand(text)) {
            ++taken;
            ++load.placed;
            continue;
        }
        const char* reason = !text.starts_with('%')               ? "not a command"
                             : page->OwnsProfileCommand(text) ? "value the field cannot hold"
                                                              : "unknown command";
        m_keptProfileLines.KeepInSection(title, taken, EndedLine(raw));
        load.unplaced.push_back({title, number, text, reason});
    }
    // Blank lines at the end stay the file's too.
    if (!whole.empty() || page != nullptr)
        whole += blanks;
    keepWhole();
    return load;
}

} // namespace orlan
