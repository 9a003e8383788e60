#include "pages/Setting.h"

#include <algorithm>
#include <cstdio>

#include "console/TextScan.h"
#include "labels/TextCodec.h"

namespace orlan {

int ValuePosition(std::string_view key)
{
    const bool endsInSeparator = !key.empty() && (key.back() == ' ' || key.back() == '=' || key.back() == ':');
    return static_cast<int>(key.size()) + (endsInSeparator ? 0 : 1);
}

SDumpRoute SettingRoute(const SSetting& setting, std::string_view key, std::string_view pageClass)
{
    SDumpRoute route{.chain = 2, .key = key, .position = ValuePosition(key), .consumers = {pageClass}};
    const bool switchKey = key.size() > 2 && key[key.size() - 2] == ' ' && (key.back() == '0' || key.back() == '1');
    if (setting.field.kind == EFieldKind::Check && switchKey) {
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
        std::string text = fields.LineText(id);
        if (setting.take == ETake::Ucs2Text)
            text = EncodeUcs2Hex(text);
        value = FormatText(spec, text);
    } else {
        long long number = 0;
        switch (setting.field.kind) {
        case EFieldKind::Check:
            number = fields.Number(id) != 0 ? 1 : 0;
            break;
        case EFieldKind::Choice:
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
