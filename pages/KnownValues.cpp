#include "pages/KnownValues.h"

#include <algorithm>
#include <map>

#include "console/ConsoleCommands.h"

namespace orlan {

namespace {

// A value a probe puts in place of one: different from it, and read the
// same way whether the page takes it as a text, a number or a switch.
std::string OtherText(const std::string& text)
{
    return text == "1" ? "2" : "1";
}

// Table cells are also read as words (a state "ON"/"OFF", a "Yes"/"No"
// cell, marks "O"/"X"); each is tried, so a cell read either way counts.
std::vector<std::string> CellCandidates(const CPageTable& table)
{
    std::vector<std::string> candidates = {"1", "2", "ON", "OFF", "Yes", "No"};
    if (table.Desc().toggleCells) {
        candidates.push_back(table.Desc().toggleOn);
        candidates.push_back(table.Desc().toggleOff);
    }
    return candidates;
}

SUnknownValue FieldValueRef(const CFieldSet& fields, size_t i, const std::string& section)
{
    return {fields.Desc(i).id, fields.Desc(i).labelKey, section};
}

SUnknownValue ColumnRef(const CPageTable& table, size_t column, const std::string& section)
{
    const STableDesc& desc = table.Desc();
    const size_t header = column + (desc.numberedRows ? 1 : 0);
    return {desc.id + "." + std::to_string(column), header < desc.headerKeys.size() ? desc.headerKeys[header] : "",
            section};
}

// Whether `after` makes a text `before` does not.
bool MakesMore(const std::vector<std::string>& before, const std::vector<std::string>& after)
{
    std::map<std::string, size_t> remaining;
    for (const std::string& text : before)
        ++remaining[text];
    for (const std::string& text : after) {
        auto found = remaining.find(text);
        if (found == remaining.end() || found->second == 0)
            return true;
        --found->second;
    }
    return false;
}

// Which texts of `before` are no longer made as they were in `after`.
std::vector<bool> Changed(const std::vector<std::string>& before, const std::vector<std::string>& after)
{
    std::vector<bool> changed(before.size(), false);
    if (before.size() == after.size()) {
        for (size_t k = 0; k < before.size(); ++k)
            changed[k] = before[k] != after[k];
        return changed;
    }
    // The build made other commands: a text counts as unchanged only while
    // the other build still makes it.
    std::map<std::string, size_t> remaining;
    for (const std::string& text : after)
        ++remaining[text];
    for (size_t k = 0; k < before.size(); ++k) {
        auto found = remaining.find(before[k]);
        if (found != remaining.end() && found->second > 0)
            --found->second;
        else
            changed[k] = true;
    }
    return changed;
}

std::vector<std::string> Texts(const CCommandList& commands)
{
    std::vector<std::string> texts;
    texts.reserve(commands.size());
    for (const SCommand& command : commands)
        texts.push_back(command.text);
    return texts;
}

std::string WithoutLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

SLeftOut LeftOut(std::string command, const CKnownProbe::SResult& result, size_t k)
{
    return {std::move(command), result.unknown[k], !result.edits[k].empty(), result.edits[k]};
}

// Commands the page did not build at all for want of a value are reported
// too, by what they need (their text would show a value nobody chose).
void NoteWithheld(const CKnownProbe::SResult& result, std::vector<SLeftOut>& leftOut)
{
    for (const SUnknownValue& value : result.withheld) {
        const bool named = std::any_of(leftOut.begin(), leftOut.end(), [&value](const SLeftOut& left) {
            return std::find(left.unknown.begin(), left.unknown.end(), value) != left.unknown.end();
        });
        if (!named)
            leftOut.push_back({.command = {}, .unknown = {value}});
    }
}

// Keeps the commands whose values are all known; the others go to `leftOut`.
CCommandList KeepKnown(CCommandList commands, const CKnownProbe::SResult& result, std::vector<SLeftOut>& leftOut)
{
    CCommandList kept;
    for (size_t k = 0; k < commands.size(); ++k) {
        if (k < result.unknown.size() && !result.unknown[k].empty()) {
            leftOut.push_back(LeftOut(WithoutLineEnd(commands[k].text), result, k));
            continue;
        }
        kept.push_back(std::move(commands[k]));
    }
    NoteWithheld(result, leftOut);
    return kept;
}

// The probes change values and put them back, so a page is the same after
// as before; only its values are touched, never its description.
CPage& Probed(const CPage& page)
{
    return const_cast<CPage&>(page);
}

std::vector<std::string> ProfileLines(const CPage& page, std::string_view title)
{
    CProfileText text;
    if (title.empty())
        page.WriteProfileSection(text);
    else
        page.WriteProfileSectionAs(text, title);
    std::vector<std::string> lines;
    const std::string& bytes = text.Bytes();
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        lines.push_back(bytes.substr(start, end - start));
        start = end;
    }
    return lines;
}

// A row editor's values as one list of texts: its fields, then its cells.
std::vector<std::string> EditorTexts(const SRowEditor& editor)
{
    std::vector<std::string> out;
    for (const SFieldValue& value : editor.fields.Values())
        out.push_back(value.text + '\x1f' + std::to_string(value.number));
    for (const CPageTable& cells : editor.tables) {
        for (size_t r = 0; r < cells.Rows(); ++r) {
            for (size_t c = 0; c < cells.Desc().dataColumns; ++c)
                out.push_back(cells.Cell(r, c));
        }
    }
    return out;
}

} // namespace

std::string BrokenCommand(const CCommandList& commands)
{
    for (const SCommand& command : commands) {
        const std::string_view text = command.text;
        // Row texts end with CR LF; only what comes before the end counts.
        const std::string_view body = text.substr(0, text.find_last_not_of("\r\n") + 1);
        if (body.size() > 1
            && (body.find('%', 1) != std::string_view::npos || body.find_first_of("\r\n") != std::string_view::npos))
            return std::string(body);
    }
    return {};
}

std::string BrokenCommandText(std::string_view command)
{
    return "would put \"%\" or a line break inside the command \"" + std::string(command.substr(0, 40))
           + "\", where the terminal would take it for another command";
}

CKnownProbe::CKnownProbe(CFieldSet& fields, std::vector<CPageTable>& tables, const std::string& section)
{
    AddFields(fields, section);
    AddTables(tables, section);
}

void CKnownProbe::AddEditor(CFieldSet& fields, std::vector<CPageTable>& tables, const std::string& section)
{
    AddFields(fields, section);
    AddTables(tables, section);
}

void CKnownProbe::AddFields(CFieldSet& fields, const std::string& section)
{
    for (size_t i = 0; i < fields.Size(); ++i) {
        const bool known = fields.IsKnown(i);
        if (known && !fields.IsEdited(i))
            continue;
        SProbe probe;
        probe.value = FieldValueRef(fields, i, section);
        probe.edit = known;
        probe.change = [&fields, i](size_t) {
            SFieldValue other = fields.Value(i);
            other.text = OtherText(other.text);
            other.number = other.number == 1 ? 0 : 1;
            fields.Substitute(i, std::move(other));
        };
        probe.restore = [&fields, i, saved = fields.Value(i)] { fields.Substitute(i, saved); };
        m_probes.push_back(std::move(probe));
    }
}

void CKnownProbe::AddTables(std::vector<CPageTable>& tables, const std::string& section)
{
    for (size_t t = 0; t < tables.size(); ++t) {
        CPageTable& table = tables[t];
        for (size_t column = 0; column < table.Desc().dataColumns; ++column) {
            std::vector<size_t> rows;
            for (size_t row = 0; row < table.Rows(); ++row) {
                if (!table.IsKnown(row, column))
                    rows.push_back(row);
            }
            if (rows.empty())
                continue;
            SProbe probe;
            probe.value = ColumnRef(table, column, section);
            const std::vector<std::string> candidates = CellCandidates(table);
            probe.candidates = candidates.size();
            probe.change = [&tables, t, column, rows, candidates](size_t n) {
                for (size_t row : rows) {
                    const std::string& now = tables[t].Cell(row, column);
                    tables[t].SetCell(row, column, candidates[n] == now ? OtherText(now) : candidates[n]);
                }
            };
            probe.restore = [&tables, t, saved = table] { tables[t] = saved; };
            m_probes.push_back(std::move(probe));
        }
    }
}

CKnownProbe::SResult CKnownProbe::Run(std::vector<std::string> made, const TextBuild& build)
{
    SResult result;
    result.texts = std::move(made);
    result.unknown.assign(result.texts.size(), {});
    result.edits.assign(result.texts.size(), {});
    const bool anyUnknown = std::any_of(m_probes.begin(), m_probes.end(), [](const SProbe& p) { return !p.edit; });
    if (!anyUnknown)
        return result;
    for (SProbe& probe : m_probes) {
        std::vector<bool> carries(result.texts.size(), false);
        bool withholds = false;
        for (size_t n = 0; n < probe.candidates; ++n) {
            probe.change(n);
            const std::vector<std::string> other = build();
            probe.restore();
            const std::vector<bool> changed = Changed(result.texts, other);
            for (size_t k = 0; k < carries.size(); ++k)
                carries[k] = carries[k] || changed[k];
            withholds = withholds || (other.size() > result.texts.size() && MakesMore(result.texts, other));
        }
        if (withholds && !probe.edit)
            result.withheld.push_back(probe.value);
        for (size_t k = 0; k < carries.size(); ++k) {
            if (!carries[k])
                continue;
            if (probe.edit)
                result.edits[k].push_back(probe.value.id);
            else if (std::find(result.unknown[k].begin(), result.unknown[k].end(), probe.value) ==
                     result.unknown[k].end())
                result.unknown[k].push_back(probe.value);
        }
    }
    return result;
}

SPageJob KnownSaveJob(const CPage& page, std::vector<SLeftOut>& leftOut)
{
    CPage& probed = Probed(page);
    CKnownProbe probe(probed.Fields(), probed.Tables(), page.Info().section);
    SPageJob job = page.SaveJob();
    const CKnownProbe::SResult result =
        probe.Run(Texts(job.commands), [&page] { return Texts(page.SaveJob().commands); });
    const size_t before = leftOut.size();
    job.commands = KeepKnown(std::move(job.commands), result, leftOut);
    if (job.commands.empty() && leftOut.size() > before) {
        // Nothing of the page is known: no batch, no read, only the report.
        job.bracketed = false;
        job.end = EJobEnd::Nothing;
    }
    return job;
}

void WriteKnownProfileSection(const CPage& page, CProfileText& out, std::vector<SLeftOut>& leftOut,
                              std::string_view title)
{
    CPage& probed = Probed(page);
    CKnownProbe probe(probed.Fields(), probed.Tables(), page.Info().section);
    const CKnownProbe::SResult result =
        probe.Run(ProfileLines(page, title), [&page, title] { return ProfileLines(page, title); });
    for (size_t k = 0; k < result.texts.size(); ++k) {
        if (result.unknown[k].empty())
            out.WriteRaw(result.texts[k]);
        else
            leftOut.push_back(LeftOut(WithoutLineEnd(result.texts[k]), result, k));
    }
    NoteWithheld(result, leftOut);
}

CCommandList KnownRowCommands(CPage& page, size_t table, size_t row, const SRowEditor& edited,
                              std::vector<SLeftOut>& leftOut)
{
    // A commit may also show the row at once in the page's table: each
    // probe's build is undone, and the real one made last.
    SRowEditor probed = edited;
    const std::vector<CPageTable> tablesBefore = page.Tables();
    const CFieldSet fieldsBefore = page.Fields();
    auto undo = [&page, &tablesBefore, &fieldsBefore] {
        page.Tables() = tablesBefore;
        page.Fields() = fieldsBefore;
    };
    CKnownProbe probe(page.Fields(), page.Tables(), page.Info().section);
    probe.AddEditor(probed.fields, probed.tables, edited.section);
    // The build as it is, undone like each probe's: the real one comes last.
    const auto build = [&] {
        std::vector<std::string> texts = Texts(page.CommitEditedRow(table, row, probed));
        undo();
        return texts;
    };
    const CKnownProbe::SResult result = probe.Run(build(), build);
    return KeepKnown(page.CommitEditedRow(table, row, edited), result, leftOut);
}

CCommandList KnownFieldChange(CPage& page, std::string_view fieldId, std::vector<SLeftOut>& leftOut)
{
    CKnownProbe probe(page.Fields(), page.Tables(), page.Info().section);
    const std::string id(fieldId);
    CCommandList commands = page.OnFieldEdited(id);
    const CKnownProbe::SResult result =
        probe.Run(Texts(commands), [&page, &id] { return Texts(page.OnFieldEdited(id)); });
    return KeepKnown(std::move(commands), result, leftOut);
}

std::optional<SRowEditor> OpenRowEditor(const CPage& page, size_t table, size_t row)
{
    std::optional<SRowEditor> editor = page.RowEditor(table, row);
    if (!editor)
        return editor;
    CPage& probed = Probed(page);
    CKnownProbe probe(probed.Fields(), probed.Tables(), page.Info().section);
    const CKnownProbe::SResult result = probe.Run(EditorTexts(*editor), [&page, table, row] {
        const std::optional<SRowEditor> made = page.RowEditor(table, row);
        return made ? EditorTexts(*made) : std::vector<std::string>{};
    });
    size_t k = 0;
    for (size_t i = 0; i < editor->fields.Size(); ++i, ++k)
        editor->fields.SetKnown(i, k < result.unknown.size() && result.unknown[k].empty());
    for (CPageTable& cells : editor->tables) {
        for (size_t r = 0; r < cells.Rows(); ++r) {
            for (size_t c = 0; c < cells.Desc().dataColumns; ++c, ++k) {
                cells.SetKnown(r, c, k < result.unknown.size() && result.unknown[k].empty());
            }
        }
    }
    return editor;
}

} // namespace orlan
