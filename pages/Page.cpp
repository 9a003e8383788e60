#include "pages/Page.h"

#include <algorithm>

#include "console/ConsoleCommands.h"
#include "labels/TextCodec.h"

namespace orlan {

CPage::CPage(SPageInfo info) : m_info(std::move(info)) {}

void CPage::Clear()
{
    m_fields.Reset();
    for (CPageTable& table : m_tables)
        table.Clear();
    NotifyChanged();
}

void CPage::ForgetValues()
{
    Clear();
    m_fields.Reset();
    for (CPageTable& table : m_tables) {
        for (size_t row = 0; row < table.Rows(); ++row) {
            for (size_t column = 0; column < table.Desc().dataColumns; ++column)
                table.SetKnown(row, column, false);
        }
    }
    NotifyChanged();
}

CCommandList CPage::BuildCommands(ETarget target) const
{
    if (target == ETarget::Profile)
        return SettingCommands(target);
    SPageJob job = SaveJob();
    if (job.bracketed) {
        job.commands.insert(job.commands.begin(), SCommand{std::string(kStartCmd)});
        job.commands.push_back(SCommand{std::string(kCommitCmd)});
    }
    return job.commands;
}

SPageJob CPage::SaveJob() const
{
    return {.commands = SettingCommands(ETarget::Terminal),
            .bracketed = m_info.hasWriteBack && m_info.bracketedSave,
            .end = m_info.saveEnd};
}

std::optional<SPageJob> CPage::ActionJob(std::string_view, std::optional<size_t>)
{
    return std::nullopt;
}

size_t CPage::AddSetting(SSetting setting)
{
    const size_t index = m_fields.Add(setting.field, setting.initial);
    m_settings.push_back(std::move(setting));
    return index;
}

bool CPage::TakeProfileCommand(std::string_view command)
{
    const SSetting* best = nullptr;
    size_t longest = 0;
    for (const SSetting& setting : m_settings) {
        const size_t match = SettingCommandMatch(setting, command);
        if (match > longest) {
            longest = match;
            best = &setting;
        }
    }
    if (best != nullptr) {
        // A value the field's rule refuses is not taken: the line stays the
        // profile's, reported, and the field as it was.
        const size_t i = m_fields.IndexOf(best->field.id);
        const SFieldValue before = m_fields.Value(i);
        const bool wasKnown = m_fields.IsKnown(i);
        if (!TakeSettingCommand(*best, command, m_fields))
            return false;
        if (!ValueError(m_fields.Desc(i), m_fields.Value(i).text).empty()) {
            m_fields.Substitute(i, before);
            m_fields.SetKnown(i, wasKnown);
            return false;
        }
    } else if (!TakeByInverse(m_inverses, command)) {
        return false;
    }
    NotifyChanged();
    return true;
}

bool CPage::OwnsProfileCommand(std::string_view command) const
{
    for (const SSetting& setting : m_settings) {
        const std::optional<SCommandFrame> frame = CommandFrame(setting);
        if (frame && frame->before.size() > 1 && command.starts_with(frame->before))
            return true;
    }
    return NamesCommand(m_inverses, command);
}

bool CPage::HeardWhole(std::string_view key) const
{
    return std::any_of(m_info.wholeLineKeys.begin(), m_info.wholeLineKeys.end(),
                       [key](const std::string& whole) { return key.starts_with(whole); });
}

void CPage::RouteSettings(CDumpRouter& router) const
{
    for (const SSetting& setting : m_settings) {
        for (const std::string& key : setting.keys) {
            if (!HeardWhole(key) && !router.Routes(m_info.className, key))
                router.AddRoute(SettingRoute(setting, key, m_info.className));
        }
    }
}

void CPage::TakeRouted(const SSetting& setting, const SDumpValue& value)
{
    const std::string& id = setting.field.id;
    if (setting.take == ETake::Ucs2Text)
        m_fields.SetText(id, DecodeUcs2Hex(value.text));
    else if (setting.field.kind == EFieldKind::Check)
        m_fields.SetNumber(id, value.on ? 1 : 0);
    else if (setting.field.kind == EFieldKind::Choice)
        m_fields.SetChoice(id, value.index);
    else
        m_fields.SetText(id, value.text);
}

std::vector<SDumpEntry> CPage::SettingEntries()
{
    std::vector<SDumpEntry> entries;
    // Settings are declared once, in the constructor: the indices stay.
    for (size_t i = 0; i < m_settings.size(); ++i) {
        for (const std::string& key : m_settings[i].keys) {
            if (HeardWhole(key))
                continue;
            entries.push_back({key, [this, i](const SDumpValue& value) {
                                   TakeRouted(m_settings[i], value);
                                   NotifyChanged();
                               }});
        }
    }
    for (const std::string& key : m_info.wholeLineKeys)
        entries.push_back({key, [this](const SDumpValue& value) { TakeDeclaredLine(value.line); }});
    return entries;
}

void CPage::TakeDeclaredLine(std::string_view line)
{
    bool changed = false;
    for (const SSetting& setting : m_settings) {
        for (const std::string& key : setting.keys) {
            // The value stands behind the key wherever the key stands.
            const size_t at = line.find(key);
            const SDumpRoute route = SettingRoute(setting, key, m_info.className);
            if (!HeardWhole(key) || at == std::string_view::npos || !CDumpRouter::Matches(route, line.substr(at)))
                continue;
            TakeRouted(setting, CDumpRouter::HandOver(route, line.substr(at)));
            changed = true;
        }
    }
    if (changed)
        NotifyChanged();
}

void CPage::AppendPlainCommand(CCommandList& commands, std::string_view fieldId) const
{
    for (const SSetting& setting : m_settings) {
        if (setting.field.id != fieldId)
            continue;
        if (std::optional<std::string> text = FormatSetting(setting, m_fields))
            commands.push_back({std::move(*text), setting.answerWaitMs});
    }
}

CCommandList CPage::PlainCommands(std::initializer_list<std::string_view> fieldIds) const
{
    CCommandList commands;
    for (std::string_view id : fieldIds)
        AppendPlainCommand(commands, id);
    return commands;
}

void CPage::WriteProfileSection(CProfileText& out) const
{
    WriteProfileSectionAs(out, m_info.profileTitle);
}

void CPage::WriteProfileSectionAs(CProfileText& out, std::string_view title) const
{
    if (title.empty())
        return;
    out.SectionHeader(title);
    CCommandList commands = BuildCommands(ETarget::Profile);
    if (RowsInCompleteProfile()) {
        for (SCommand& command : RowDialogCommands())
            commands.push_back(std::move(command));
    }
    for (const SCommand& command : commands) {
        if (command.direct)
            out.WriteDirect(command.text);
        else
            out.SendLine(command.text);
    }
}

CCommandList CPage::RowDialogCommands() const
{
    // A row's OK may show the row at once: what it changes is put back.
    CPage& page = const_cast<CPage&>(*this);
    const CFieldSet fields = m_fields;
    const std::vector<CPageTable> tables = m_tables;
    CCommandList commands;
    for (size_t table = 0; table < tables.size(); ++table) {
        for (size_t row = 0; row < tables[table].Rows(); ++row) {
            if (!RowInCompleteProfile(table, row))
                continue;
            const std::optional<SRowEditor> editor = RowEditor(table, row);
            if (!editor)
                continue;
            for (SCommand& command : page.CommitEditedRow(table, row, *editor)) {
                // Without the row's bracket and its closing request.
                if (command.text != kStartCmd && command.text != kCommitCmd && !command.text.starts_with("%DUMP"))
                    commands.push_back(std::move(command));
            }
            page.m_fields = fields;
            page.m_tables = tables;
        }
    }
    return commands;
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

CCommandList CPage::OnFieldEdited(std::string_view fieldId)
{
    for (const SSetting& setting : m_settings) {
        if (setting.field.id == fieldId && setting.field.sendsOnChange) {
            if (std::optional<std::string> text = FormatSetting(setting, m_fields))
                return {{std::move(*text), setting.answerWaitMs}};
        }
    }
    return {};
}

CCommandList CPage::SettingCommands(ETarget) const
{
    CCommandList commands;
    for (const SSetting& setting : m_settings) {
        if (setting.field.sendsOnChange)
            continue;
        if (std::optional<std::string> text = FormatSetting(setting, m_fields))
            commands.push_back({std::move(*text), setting.answerWaitMs});
    }
    return commands;
}

void CPage::NotifyChanged() const
{
    for (const auto& observer : m_observers)
        observer();
}

} // namespace orlan
