#include "session/ProfileDiff.h"

#include <algorithm>
#include <map>

namespace orlan {

namespace {

constexpr std::string_view kHeader = "//Page ";
// Beyond this many cells the order-keeping comparison would cost too much;
// the commands are then compared as sets, in order of appearance.
constexpr size_t kMaxLcsCells = 4'000'000;

bool IsBracket(std::string_view line)
{
    return line == "%STARTCMD" || line == "%COMMITCMD";
}

std::vector<std::string> DiffCommands(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    std::vector<std::string> lines;
    if (a.size() * b.size() > kMaxLcsCells) {
        std::map<std::string_view, int> inB;
        for (const std::string& c : b)
            ++inB[c];
        std::map<std::string_view, int> inA;
        for (const std::string& c : a) {
            ++inA[c];
            if (--inB[c] < 0)
                lines.push_back("-" + c);
        }
        for (const std::string& c : b) {
            if (--inA[c] < 0)
                lines.push_back("+" + c);
        }
        return lines;
    }
    // Longest common subsequence from the back, then walk forward.
    std::vector<std::vector<unsigned>> lcs(a.size() + 1, std::vector<unsigned>(b.size() + 1, 0));
    for (size_t i = a.size(); i-- > 0;) {
        for (size_t j = b.size(); j-- > 0;)
            lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    }
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            ++i;
            ++j;
        } else if (j >= b.size() || (i < a.size() && lcs[i + 1][j] >= lcs[i][j + 1])) {
            lines.push_back("-" + a[i++]);
        } else {
            lines.push_back("+" + b[j++]);
        }
    }
    return lines;
}

} // namespace

std::vector<SProfileSection> ParseProfileSections(std::string_view profile)
{
    std::vector<SProfileSection> sections;
    size_t pos = 0;
    while (pos <= profile.size()) {
        size_t end = profile.find('\n', pos);
        if (end == std::string_view::npos)
            end = profile.size();
        std::string line;
        for (char c : profile.substr(pos, end - pos)) {
            if (c != '\r')
                line += c;
        }
        pos = end + 1;
        if (line.starts_with(kHeader)) {
            sections.push_back({line.substr(kHeader.size()), {}});
        } else if (line.starts_with('%') && !IsBracket(line)) {
            if (sections.empty())
                sections.push_back({});
            sections.back().commands.push_back(std::move(line));
        }
    }
    return sections;
}

std::vector<SSectionDiff> DiffProfiles(std::string_view expected, std::string_view actual)
{
    const std::vector<SProfileSection> want = ParseProfileSections(expected);
    std::vector<SProfileSection> have = ParseProfileSections(actual);
    std::vector<bool> matched(have.size(), false);
    std::vector<SSectionDiff> diff;
    static const std::vector<std::string> none;
    for (const SProfileSection& section : want) {
        const std::vector<std::string>* other = &none;
        for (size_t k = 0; k < have.size(); ++k) {
            if (!matched[k] && have[k].title == section.title) {
                matched[k] = true;
                other = &have[k].commands;
                break;
            }
        }
        std::vector<std::string> lines = DiffCommands(section.commands, *other);
        if (!lines.empty())
            diff.push_back({section.title, std::move(lines)});
    }
    for (size_t k = 0; k < have.size(); ++k) {
        if (matched[k])
            continue;
        std::vector<std::string> lines = DiffCommands({}, have[k].commands);
        if (!lines.empty())
            diff.push_back({have[k].title, std::move(lines)});
    }
    return diff;
}

std::vector<std::string> CommandsNotHeld(std::string_view profile, std::string_view terminal)
{
    std::vector<std::string> missing;
    for (const SSectionDiff& section : DiffProfiles(profile, terminal)) {
        for (const std::string& line : section.lines) {
            if (line.starts_with('-'))
                missing.push_back(line.substr(1));
        }
    }
    return missing;
}

std::string DiffText(const std::vector<SSectionDiff>& diff, std::string_view expectedName,
                     std::string_view actualName)
{
    if (diff.empty())
        return {};
    std::string out = "--- " + std::string(expectedName) + "\n+++ " + std::string(actualName) + "\n";
    for (const SSectionDiff& section : diff) {
        out += "@@ " + std::string(kHeader) + section.title + "\n";
        for (const std::string& line : section.lines)
            out += line + "\n";
    }
    return out;
}

} // namespace orlan
