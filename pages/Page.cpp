#include "pages/Page.h"

#include "console/ConsoleCommands.h"

namespace orlan {

CPage::CPage(SPageInfo info) : m_info(std::move(info)) {}

void CPage::Clear()
{
    m_fields.Reset();
    for (CPageTable& table : m_tables)
        table.Clear();
    NotifyChanged();
}

CCommandList CPage::BuildCommands(ETarget target) const
{
    CCommandList commands = SettingCommands(target);
    if (target == ETarget::Terminal && m_info.hasWriteBack) {
        commands.insert(commands.begin(), SCommand{std::string(kStartCmd)});
        commands.push_back(SCommand{std::string(kCommitCmd)});
    }
    return commands;
}

void CPage::WriteProfileSection(CProfileText& out) const
{
    if (m_info.profileTitle.empty())
        return;
    out.SectionHeader(m_info.profileTitle);
    for (const SCommand& command : BuildCommands(ETarget::Profile)) {
        if (command.direct)
            out.WriteDirect(command.text);
        else
            out.SendLine(command.text);
    }
}

std::optional<SRowEditor> CPage::RowEditor(size_t, size_t) const
{
    return std::nullopt;
}

CCommandList CPage::CommitRow(size_t, size_t, const CFieldSet&)
{
    return {};
}

std::string CPage::RowEditError(size_t, size_t, const CFieldSet&) const
{
    return {};
}

CCommandList CPage::OnFieldEdited(std::string_view)
{
    return {};
}

CCommandList CPage::SettingCommands(ETarget) const
{
    return {};
}

void CPage::NotifyChanged() const
{
    for (const auto& observer : m_observers)
        observer();
}

} // namespace orlan
