#pragma once
// The label catalogue: every user-visible text of the windows comes from an
// INI file (gsm.ini) looked up by section and key, so texts and language
// change with the file. A missing file, section or key gives "".
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orlan {

inline constexpr std::string_view kCatalogueFileName = "gsm.ini";

// What the last parse made of the file; for tooling and tests, lookups do
// not need it.
struct CatalogueParseReport {
    std::size_t entries = 0;       // keys stored
    std::size_t ignoredLines = 0;  // lines that are neither blank, comment, section nor key
    std::size_t duplicateKeys = 0; // later repeats of a key, which lose to the first
    bool truncated = false;        // the file exceeded kMaxFileBytes
};

class CLabelCatalogue {
public:
    // A text is cut to this many Unicode code points.
    static constexpr std::size_t kMaxTextLength = 254;
    // Only this much of a file is read; the unfinished last line is dropped.
    static constexpr std::uintmax_t kMaxFileBytes = 8u * 1024u * 1024u;

    CLabelCatalogue() = default; // unbound: every lookup gives ""

    // Reads and parses the file now, so binding at a window's initialisation
    // sees the latest edits. False when the file cannot be read; lookups
    // then give "".
    bool Bind(const std::filesystem::path& path);
    // Parses catalogue text held in memory; Path() becomes empty.
    CatalogueParseReport BindText(std::string_view contents);

    // Section and key names ignore ASCII letter case. The result is valid
    // UTF-8 of at most kMaxTextLength code points.
    std::string Lookup(std::string_view key, std::string_view section) const;

    bool HasSection(std::string_view section) const;
    // How many sections the file holds: none in a file that is no catalogue.
    std::size_t SectionCount() const { return m_sections.size(); }

    const std::filesystem::path& Path() const { return m_path; }
    const CatalogueParseReport& Report() const { return m_report; }

    // Every (section, key) the file holds, names folded to lower case; for
    // the checks that a catalogue holds no key the code never asks for.
    std::vector<std::pair<std::string, std::string>> Keys() const;
    // Called with (section, key) on every lookup; for those checks too.
    using LookupRecorder = std::function<void(std::string_view section, std::string_view key)>;
    void SetLookupRecorder(LookupRecorder recorder) { m_recorder = std::move(recorder); }

private:
    using KeyMap = std::map<std::string, std::string, std::less<>>;

    void Parse(std::string_view contents);

    std::filesystem::path m_path;
    std::map<std::string, KeyMap, std::less<>> m_sections;
    CatalogueParseReport m_report;
    LookupRecorder m_recorder;
};

// The catalogue a window binds to: gsm.ini in the working directory when it
// exists, otherwise the first existing installed candidate (the programs pass
// e.g. <exe dir>/../share/orlan/gsm.ini and <exe dir>/gsm.ini), otherwise the
// working-directory path, which then yields empty texts.
std::filesystem::path ResolveCataloguePath(const std::filesystem::path& workingDir,
                                           const std::vector<std::filesystem::path>& installedCandidates);

// Main window header: the [version] SysTitle text, or "Sms alarm system"
// when that is empty or missing.
std::string HeaderTitle(const CLabelCatalogue& catalogue);

} // namespace orlan
