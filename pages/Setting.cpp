#include "pages/Setting.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "console/TextScan.h"
#include "labels/TextCodec.h"

namespace orlan {

bool IsSwitchKey(std::string_view key)
{
    return key.size() > 2 && key[key.size() - 2] == ' ' && (key.back() == '0' || key.back() == '1');
}

int ValuePosition(std::string_view key)
{
    const bool endsInSeparator = !key.empty() && (key.back() == ' ' || key.back() == '=' || key.back() == ':');
    return static_cast<int>(key.size()) + (endsInSeparator ? 0 : 1);
}

int ValuePosition(const SSetting& setting, std::string_view key)
{
    return setting.joinedValue ? static_cast<int>(key.size()) : ValuePosition(key);
}

SDumpRoute SettingRoute(const SSetting& setting, std::string_view key, std::string_view pageClass)
{
    SDumpRoute route{.chain = 2, .key = key, .position = ValuePosition(setting, key), .consumers = {pageClass}};
    if (setting.field.kind == EFieldKind::Check && IsSwitchKey(key)) {
        route.form = EHandOver::Switch;
        route.position = 0;
        route.switchValue = key.back() == '1';
    } else if (setting.field.kind == EFieldKind::Check) {
        route.form = EHandOver::SwitchIfOne;
    } else if (setting.field.kind == EFieldKind::Choice) {
        route.form = EHandOver::ListIndex;
    }
    return route;
}

namespace {

struct SConversion {
    size_t begin = 0;  // at its '%'
    size_t end = 0;    // after its type letter
    char type = 0;
};

// The one conversion of a setting format, or nothing.
std::optional<SConversion> FindConversion(std::string_view format)
{
    std::optional<SConversion> found;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        if (found)
            return std::nullopt;  // a second conversion
        size_t j = i + 1;
        while (j < format.size() && std::string_view("-+ 0#").find(format[j]) != std::string_view::npos)
            ++j;
        while (j < format.size() && IsDigit(format[j]))
            ++j;
        if (j < format.size() && format[j] == '.') {
            ++j;
            while (j < format.size() && IsDigit(format[j]))
                ++j;
        }
        if (j >= format.size() || std::string_view("sdiuxX").find(format[j]) == std::string_view::npos)
            return std::nullopt;
        found = SConversion{i, j + 1, format[j]};
        i = j;
    }
    return found;
}

// The format with "%%" as '%' around one already formatted value.
std::string Assemble(std::string_view format, const SConversion& conversion, std::string_view value)
{
    std::string out;
    auto literal = [&out](std::string_view text) {
        for (size_t i = 0; i < text.size(); ++i) {
            out += text[i];
            if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%')
                ++i;
        }
    };
    literal(format.substr(0, conversion.begin));
    out += value;
    literal(format.substr(conversion.end));
    return out;
}

std::string FormatOne(std::string_view spec, long long number)
{
    // The spec is checked: flags, width, precision and one integer type;
    // the value is passed as long long.
    std::string withLength(spec.substr(0, spec.size() - 1));
    withLength += "ll";
    withLength += spec.back();
    char buffer[128];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int n = std::snprintf(buffer, sizeof buffer, withLength.c_str(), number);
#pragma GCC diagnostic pop
    return n > 0 ? std::string(buffer, static_cast<size_t>(std::min<int>(n, sizeof buffer - 1))) : std::string();
}

std::string FormatText(std::string_view spec, const std::string& text)
{
    if (spec == "%s")
        return text;
    char buffer[2048];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int n = std::snprintf(buffer, sizeof buffer, std::string(spec).c_str(), text.c_str());
#pragma GCC diagnostic pop
    return n > 0 ? std::string(buffer, static_cast<size_t>(std::min<int>(n, sizeof buffer - 1))) : std::string();
}

} // namespace

std::optional<SCommandFrame> CommandFrame(const SSetting& setting)
{
    if (setting.command.empty())
        return std::nullopt;
    const std::optional<SConversion> conversion = FindConversion(setting.command);
    if (!conversion)
        return std::nullopt;
    SCommandFrame frame;
    const std::string_view format = setting.command;
    frame.before = Assemble(format.substr(0, conversion->begin), {0, 0, 's'}, {});
    std::string after = Assemble(format.substr(conversion->end), {0, 0, 's'}, {});
    if (!after.empty() && after.back() == '\r')
        after.pop_back();
    frame.after = after;
    frame.spec = format.substr(conversion->begin, conversion->end - conversion->begin);
    return frame;
}

namespace {

// The value between the frame's texts, when the conversion could have written it.
std::optional<std::string_view> FramedValue(const SCommandFrame& frame, std::string_view command)
{
    if (command.size() < frame.before.size() + frame.after.size() || !command.starts_with(frame.before)
        || !command.ends_with(frame.after))
        return std::nullopt;
    const std::string_view value =
        command.substr(frame.before.size(), command.size() - frame.before.size() - frame.after.size());
    const char type = frame.spec.back();
    if (type == 's')
        return frame.spec == "%s" ? std::optional(value) : std::nullopt;  // a padded text is not read back
    std::string_view digits = value;
    if ((type == 'd' || type == 'i') && digits.starts_with('-'))
        digits.remove_prefix(1);
    const bool hex = type == 'x' || type == 'X';
    const bool ok = !digits.empty() && digits.size() <= 9 && std::all_of(digits.begin(), digits.end(), [hex](char c) {
        return IsDigit(c) || (hex && std::isxdigit(static_cast<unsigned char>(c)));
    });
    return ok ? std::optional(value) : std::nullopt;
}

} // namespace

size_t SettingCommandMatch(const SSetting& setting, std::string_view command)
{
    const std::optional<SCommandFrame> frame = CommandFrame(setting);
    return frame && FramedValue(*frame, command) ? frame->before.size() : 0;
}

bool TakeSettingCommand(const SSetting& setting, std::string_view command, CFieldSet& fields)
{
    const std::optional<SCommandFrame> frame = CommandFrame(setting);
    const std::optional<std::string_view> value = frame ? FramedValue(*frame, command) : std::nullopt;
    if (!value)
        return false;
    const std::string& id = setting.field.id;
    if (frame->spec.back() == 's') {
        fields.SetText(id, setting.take == ETake::Ucs2Text ? DecodeUcs2Hex(*value) : std::string(*value));
        return true;
    }
    const bool hex = frame->spec.back() == 'x' || frame->spec.back() == 'X';
    const long long number = std::stoll(std::string(*value), nullptr, hex ? 16 : 10);
    switch (setting.field.kind) {
    case EFieldKind::Check:
        fields.SetNumber(id, number != 0 ? 1 : 0);
        break;
    case EFieldKind::Choice:
        fields.SetChoice(id, static_cast<int>(number));
        break;
    default:
        fields.SetText(id, std::to_string(number));
        break;
    }
    return true;
}

bool IsSettingFormat(std::string_view format)
{
    return FindConversion(format).has_value();
}

std::optional<std::string> FormatSetting(const SSetting& setting, const CFieldSet& fields)
{
    if (setting.command.empty())
        return std::nullopt;
    const std::optional<SConversion> conversion = FindConversion(setting.command);
    if (!conversion)
        return std::nullopt;
    const std::string_view spec =
        std::string_view(setting.command).substr(conversion->begin, conversion->end - conversion->begin);
    const std::string& id = setting.field.id;
    std::string value;
    if (conversion->type == 's') {
        // UCS-2 hex carries a line break safely, so such a text goes whole.
        const std::string text =
            setting.take == ETake::Ucs2Text ? EncodeUcs2Hex(fields.Text(id)) : fields.LineText(id);
        value = FormatText(spec, text);
    } else {
        long long number = 0;
        switch (setting.field.kind) {
        case EFieldKind::Check:
            number = fields.Number(id) != 0 ? 1 : 0;
            break;
        case EFieldKind::Choice:
            // No item chosen is no value to give the terminal.
            if (fields.Number(id) < 0)
                return std::nullopt;
            number = fields.Number(id);
            break;
        default:
            number = WholeNumber(fields.Text(id));
            break;
        }
        value = FormatOne(spec, number);
    }
    return Assemble(setting.command, *conversion, value);
}

} // namespace orlan
