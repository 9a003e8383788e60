#include "sim/ConfigStore.h"

#include <algorithm>
#include <random>

namespace orlan {

namespace {

std::string_view TrimRight(std::string_view text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string LineError(std::size_t number, std::string_view what)
{
    return "line " + std::to_string(number) + ": " + std::string(what);
}

} // namespace

const std::vector<std::string_view>& CConfigStore::KnownGroups()
{
    static const std::vector<std::string_view> groups = {
        "SYS", "ROMSMS", "PHONE", "ADS", "GPIO", "UPS", "UCMD", "PRIOTB", "TIMER", "COUNTER", "TMP",
        "DS1", "HUM", "GSENSOR", "GRAY", "M2M", "HTTP", "MMS", "MODBUS", "62056", "M"};
    return groups;
}

bool CConfigStore::IsKnownGroup(std::string_view group)
{
    const auto& groups = KnownGroups();
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

std::optional<CConfigStore> CConfigStore::Parse(std::string_view fixture, std::string* error)
{
    CConfigStore store;
    std::string group;
    std::size_t number = 0;
    while (!fixture.empty()) {
        const std::size_t end = fixture.find('\n');
        // Dump lines keep their inner blanks; only line-end debris goes.
        const std::string_view line = TrimRight(fixture.substr(0, end));
        fixture.remove_prefix(end == std::string_view::npos ? fixture.size() : end + 1);
        ++number;

        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3) {
                *error = LineError(number, "malformed group header");
                return std::nullopt;
            }
            group = std::string(line.substr(1, line.size() - 2));
            if (!IsKnownGroup(group)) {
                *error = LineError(number, "unknown group " + group);
                return std::nullopt;
            }
            continue;
        }
        if (line.front() != '$' && line.front() != '*') {
            *error = LineError(number, "a dump line starts with '$' or '*'");
            return std::nullopt;
        }
        if (group.empty()) {
            *error = LineError(number, "dump line before the first group header");
            return std::nullopt;
        }
        store.m_lines.push_back({group, std::string(line)});
    }
    return store;
}

std::vector<std::string> CConfigStore::GroupLines(std::string_view group) const
{
    std::vector<std::string> lines;
    for (const ConfigLine& line : m_lines) {
        if (line.group == group)
            lines.push_back(line.text);
    }
    return lines;
}

const ConfigLine* CConfigStore::Find(std::string_view prefix) const
{
    for (const ConfigLine& line : m_lines) {
        if (std::string_view(line.text).starts_with(prefix))
            return &line;
    }
    return nullptr;
}

void CConfigStore::Set(std::string_view group, std::string_view prefix, std::string text)
{
    for (ConfigLine& line : m_lines) {
        if (std::string_view(line.text).starts_with(prefix)) {
            line.text = std::move(text);
            return;
        }
    }
    auto lastOfGroup = std::find_if(m_lines.rbegin(), m_lines.rend(),
                                    [group](const ConfigLine& line) { return line.group == group; });
    // Behind the group's last line, or at the very end for a group not yet seen.
    const auto where = lastOfGroup == m_lines.rend() ? m_lines.end() : lastOfGroup.base();
    m_lines.insert(where, {std::string(group), std::move(text)});
}

void CConfigStore::OmitShare(int percent, std::uint32_t seed)
{
    std::vector<std::size_t> settings;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].text.starts_with('$'))
            settings.push_back(i);
    }
    const std::size_t omitted = settings.size() * static_cast<std::size_t>(std::clamp(percent, 0, 100)) / 100;
    std::mt19937 random(seed);
    std::shuffle(settings.begin(), settings.end(), random);
    std::vector<bool> drop(m_lines.size(), false);
    for (std::size_t i = 0; i < omitted; ++i)
        drop[settings[i]] = true;
    std::vector<ConfigLine> kept;
    kept.reserve(m_lines.size() - omitted);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (!drop[i])
            kept.push_back(std::move(m_lines[i]));
    }
    m_lines = std::move(kept);
}

} // namespace orlan
