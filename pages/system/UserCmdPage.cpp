#include "pages/system/UserCmdPage.h"

#include <algorithm>

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "labels/CommonLabelKeys.h"
#include "labels/TextCodec.h"
#include "pages/NumberedText.h"

namespace orlan {

namespace {

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool LooksLikeUcs2Hex(std::string_view text)
{
    return text.size() % 4 == 0 && std::all_of(text.begin(), text.end(), IsHexDigit);
}

std::string WithoutPercent(std::string text)
{
    std::erase(text, '%');
    return text;
}

// The terminal's parser reserves the apostrophe, so encoded user commands
// carry it replaced.
std::string UserCommandOnWire(const std::string& text)
{
    return IsAscii(text) ? text : EncodeUcs2Hex(text, true);
}

// The rows of a profile: the row in hex.
constexpr char kUserRowFormat[] = "%%U%2.2zX%s\r";
constexpr char kSystemRowFormat[] = "%%Y%2.2zX%s\r";

} // namespace

CPageUserCmd::CPageUserCmd()
    : CPage({.className = "CPageUserCmd",
             .section = "PageCommands",
             .navKey = "PAGE_USER_CMD",
             .profileTitle = "User defined commands",
             .hasWriteBack = false})
{
    m_tables.emplace_back(STableDesc{.id = "commands",
                                     .headerKeys = {"LISTC0", "LISTC1", "LISTC2"},
                                     .rowCount = kRows,
                                     .dataColumns = 3,
                                     .numberedRows = false});
    for (size_t row = 0; row < kRows; ++row)
        m_tables.front().SetCell(row, 0, std::to_string(row));
    // A profile's row read back as its dump line gives it.
    auto inverse = [this](const char* format, size_t column, bool mayBeHex) {
        AddProfileInverse(format, [this, column, mayBeHex](const std::vector<std::string>& values) {
            const std::optional<long long> row = ScannedNumber(values[0], 16);
            if (!row || *row < 0 || static_cast<unsigned long long>(*row) >= kRows || values[1].empty())
                return false;
            const bool hex = mayBeHex && LooksLikeUcs2Hex(values[1]);
            m_tables.front().SetCell(static_cast<size_t>(*row), column, hex ? DecodeUcs2Hex(values[1]) : values[1]);
            return true;
        });
    };
    inverse(kUserRowFormat, kUserColumn, true);
    inverse(kSystemRowFormat, kSystemColumn, false);
}

std::string CPageUserCmd::DumpRequest() const
{
    return "%DUMP_UCMD\r";
}

std::vector<SDumpEntry> CPageUserCmd::DumpEntries()
{
    return {{"$SYSCMD", [this](const SDumpValue& value) { StoreCell(kSystemColumn, value, false); }},
            {"$USERCMD", [this](const SDumpValue& value) { StoreCell(kUserColumn, value, true); }}};
}

// "$USERCMD3 0041": the row number right behind the key, one separator, the
// value.
void CPageUserCmd::StoreCell(size_t column, const SDumpValue& value, bool mayBeHex)
{
    const std::optional<SNumberedText> parsed = ParseNumberedText(value.text);
    if (!parsed || parsed->number < 0 || static_cast<unsigned long long>(parsed->number) >= kRows)
        return;
    const size_t row = static_cast<size_t>(parsed->number);
    const std::string_view cell = parsed->rest;
    const bool hex = mayBeHex && LooksLikeUcs2Hex(cell);
    m_tables.front().SetCell(row, column, hex ? DecodeUcs2Hex(cell) : std::string(cell));
    NotifyChanged();
}

std::optional<SRowEditor> CPageUserCmd::RowEditor(size_t table, size_t row) const
{
    if (table != 0 || row >= kRows)
        return std::nullopt;
    SRowEditor editor{.className = "CCmdInput", .section = "PageCommands"};
    editor.fields.Add({.id = std::string(kSystemField), .kind = EFieldKind::Text, .labelKey = "LAB1"},
                      {.text = SystemCommand(row)});
    editor.fields.Add({.id = std::string(kUserField), .kind = EFieldKind::Text, .labelKey = "LAB2"},
                      {.text = UserCommand(row)});
    return editor;
}

std::string CPageUserCmd::RowEditError(size_t, size_t, const CFieldSet& edited) const
{
    if (edited.Has(kSystemField) && !IsAscii(edited.Text(kSystemField)))
        return std::string(kMsgInvalidCmd);
    return {};
}

CCommandList CPageUserCmd::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != 0 || row >= kRows || !edited.Has(kSystemField) || !edited.Has(kUserField) ||
        !RowEditError(table, row, edited).empty())
        return {};
    const std::string system = WithoutPercent(edited.LineText(kSystemField));
    const std::string user = UserCommandOnWire(WithoutPercent(edited.LineText(kUserField)));
    return {{FormatWire("%%U%2.2zu%s\r", row, user.c_str())}, {FormatWire("%%Y%2.2zu%s\r", row, system.c_str())}};
}

CCommandList CPageUserCmd::SettingCommands(ETarget target) const
{
    if (target != ETarget::Profile)
        return {};
    CCommandList commands;
    for (size_t row = 0; row < kRows; ++row) {
        const std::string user = UserCommandOnWire(UserCommand(row));
        const std::string& system = SystemCommand(row);
        if (user.empty() || system.empty())
            continue;
        commands.push_back({FormatWire(kUserRowFormat, row, user.c_str())});
        commands.push_back({FormatWire(kSystemRowFormat, row, system.c_str())});
    }
    return commands;
}

} // namespace orlan
