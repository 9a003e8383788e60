#include "labels/LabelCatalogue.h"

#include "labels/CommonLabelKeys.h"
#include "labels/Utf8.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <system_error>

namespace orlan {

namespace {

constexpr std::string_view kBlanks = " \t\v\f";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// Section and key names compare without regard to ASCII letter case;
// other bytes compare as they are.
std::string FoldCase(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::string MakeText(std::string_view value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        value = value.substr(1, value.size() - 2);
    const std::string valid = SanitizeUtf8(value);
    return std::string(TruncateUtf8(valid, CLabelCatalogue::kMaxTextLength));
}

bool IsRegularFile(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Reads at most `limit` bytes; false when the file cannot be read.
bool ReadFileStart(const std::filesystem::path& path, std::uintmax_t limit, std::string& contents, bool& truncated)
{
    contents.clear();
    truncated = false;
    // Opening a directory or a device "succeeds" on POSIX; only plain files
    // are catalogues.
    if (!IsRegularFile(path))
        return false;
    // C streams, not iostreams: the program's start would otherwise build
    // the whole C++ locale machinery just to read this one file.
#ifdef _WIN32
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(::_wfopen(path.c_str(), L"rb"), &std::fclose);
#else
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
#endif
    if (!in)
        return false;
    constexpr std::size_t kChunk = 64 * 1024;
    std::string chunk(kChunk, '\0');
    while (contents.size() < limit) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uintmax_t>(kChunk, limit - contents.size()));
        const std::size_t got = std::fread(chunk.data(), 1, wanted, in.get());
        contents.append(chunk.data(), got);
        if (std::ferror(in.get()) != 0)
            return false;
        if (got < wanted)
            return true;
    }
    truncated = std::fgetc(in.get()) != EOF;
    if (truncated) {
        const auto lastBreak = contents.find_last_of("\r\n");
        contents.resize(lastBreak == std::string::npos ? 0 : lastBreak + 1);
    }
    return true;
}

} // namespace

bool CLabelCatalogue::Bind(const std::filesystem::path& path)
{
    m_path = path;
    std::string contents;
    bool truncated = false;
    const bool readable = ReadFileStart(path, kMaxFileBytes, contents, truncated);
    Parse(readable ? std::string_view(contents) : std::string_view());
    m_report.truncated = truncated;
    return readable;
}

CatalogueParseReport CLabelCatalogue::BindText(std::string_view contents)
{
    m_path.clear();
    Parse(contents);
    return m_report;
}

void CLabelCatalogue::Parse(std::string_view contents)
{
    m_sections.clear();
    m_report = {};
    if (contents.starts_with(kByteOrderMark))
        contents.remove_prefix(kByteOrderMark.size());

    KeyMap* section = nullptr;
    while (!contents.empty()) {
        // CR LF, LF and a lone CR all end a line; the empty line between CR
        // and LF is skipped like any blank line.
        const auto lineEnd = contents.find_first_of("\r\n");
        std::string_view line = contents.substr(0, lineEnd);
        contents.remove_prefix(lineEnd == std::string_view::npos ? contents.size() : lineEnd + 1);

        // A NUL ends the line's text, as it would end a C string.
        line = Trim(line.substr(0, line.find('\0')));
        if (line.empty() || line.front() == ';')
            continue;

        if (line.front() == '[') {
            const auto close = line.find(']');
            if (close == std::string_view::npos) {
                // An unterminated header opens nothing; the keys below it
                // are kept out of the section before it.
                section = nullptr;
                ++m_report.ignoredLines;
                continue;
            }
            section = &m_sections[FoldCase(Trim(line.substr(1, close - 1)))];
            continue;
        }

        const auto equals = line.find('=');
        const std::string_view key = equals == std::string_view::npos ? std::string_view() : Trim(line.substr(0, equals));
        if (section == nullptr || key.empty()) {
            ++m_report.ignoredLines;
            continue;
        }
        // The first occurrence of a key wins, as with the Windows INI reader.
        if (section->try_emplace(FoldCase(key), MakeText(Trim(line.substr(equals + 1)))).second)
            ++m_report.entries;
        else
            ++m_report.duplicateKeys;
    }
}

bool CLabelCatalogue::HasSection(std::string_view section) const
{
    return m_sections.contains(FoldCase(section));
}

std::vector<std::pair<std::string, std::string>> CLabelCatalogue::Keys() const
{
    std::vector<std::pair<std::string, std::string>> keys;
    for (const auto& [section, texts] : m_sections) {
        for (const auto& entry : texts)
            keys.emplace_back(section, entry.first);
    }
    return keys;
}

std::string CLabelCatalogue::Lookup(std::string_view key, std::string_view section) const
{
    if (m_recorder)
        m_recorder(section, key);
    const auto keys = m_sections.find(FoldCase(section));
    if (keys == m_sections.end())
        return {};
    const auto text = keys->second.find(FoldCase(key));
    return text == keys->second.end() ? std::string() : text->second;
}

std::filesystem::path ResolveCataloguePath(const std::filesystem::path& workingDir,
                                           const std::vector<std::filesystem::path>& installedCandidates)
{
    const std::filesystem::path local = workingDir / kCatalogueFileName;
    if (IsRegularFile(local))
        return local;
    for (const auto& candidate : installedCandidates) {
        if (IsRegularFile(candidate))
            return candidate;
    }
    return local;
}

std::string HeaderTitle(const CLabelCatalogue& catalogue)
{
    std::string title = catalogue.Lookup(kKeySysTitle, kSectionVersion);
    return title.empty() ? std::string(kDefaultHeaderTitle) : title;
}

} // namespace orlan
