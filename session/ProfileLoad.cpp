#include "session/ProfileLoad.h"

#include <algorithm>

namespace orlan {

namespace {
constexpr std::string_view kHeader = "//Page ";
}

bool IsSectionHeader(std::string_view text, std::string* title)
{
    if (!text.starts_with(kHeader))
        return false;
    if (title)
        *title = std::string(text.substr(kHeader.size()));
    return true;
}

void CKeptProfileLines::KeepInSection(std::string_view section, size_t after, std::string bytes)
{
    m_inSection.push_back({std::string(section), after, std::move(bytes)});
}

void CKeptProfileLines::KeepWhole(std::string_view afterSection, std::string bytes)
{
    m_whole.push_back({std::string(afterSection), std::move(bytes)});
}

void CKeptProfileLines::Clear()
{
    m_inSection.clear();
    m_whole.clear();
}

std::string CKeptProfileLines::InSection(std::string_view section, size_t after) const
{
    std::string bytes;
    for (const SInSection& kept : m_inSection) {
        if (kept.section == section && kept.after == after)
            bytes += kept.bytes;
    }
    return bytes;
}

std::string CKeptProfileLines::InSectionFrom(std::string_view section, size_t written) const
{
    std::string bytes;
    for (const SInSection& kept : m_inSection) {
        if (kept.section == section && kept.after >= written)
            bytes += kept.bytes;
    }
    return bytes;
}

std::string CKeptProfileLines::Whole(std::string_view afterSection) const
{
    std::string bytes;
    for (const SWhole& kept : m_whole) {
        if (kept.afterSection == afterSection)
            bytes += kept.bytes;
    }
    return bytes;
}

std::string CKeptProfileLines::WholeNotBehind(const std::vector<std::string>& written) const
{
    std::string bytes;
    for (const SWhole& kept : m_whole) {
        if (!kept.afterSection.empty()
            && std::find(written.begin(), written.end(), kept.afterSection) == written.end())
            bytes += kept.bytes;
    }
    return bytes;
}

} // namespace orlan
