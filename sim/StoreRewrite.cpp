#include "sim/StoreRewrite.h"

#include "sim/ConfigStore.h"

#include <optional>
#include <string>
#include <vector>

namespace orlan {

namespace {

constexpr std::size_t kNoIdentityEnd = std::string::npos;

struct CallValues {
    std::string_view nameDigits;
    std::string_view args;
    std::vector<std::string_view> fields;
};

CallValues ValuesOf(const CommandCall& call)
{
    CallValues values;
    values.nameDigits = call.number;
    values.args = call.args;
    values.fields = SplitFields(call.args);
    return values;
}

// Decimal (or hexadecimal) number of at most six digits, or nothing.
std::optional<int> ParseIndex(std::string_view text, int base)
{
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

struct Expansion {
    std::string line;
    std::size_t identityEnd = kNoIdentityEnd;
};

// Expands one placeholder name; false when the command's text does not fit.
bool ExpandPlaceholder(std::string_view name, const CallValues& values, int maxIndex, Expansion& out)
{
    auto index = [&](std::string_view text, int base) {
        const std::optional<int> value = ParseIndex(text, base);
        if (!value || (maxIndex >= 0 && *value > maxIndex))
            return false;
        out.line += std::to_string(*value);
        return true;
    };
    auto value = [&](std::string_view text) {
        if (out.identityEnd == kNoIdentityEnd)
            out.identityEnd = out.line.size();
        out.line += text;
        return true;
    };

    if (name == "n")
        return index(values.nameDigits, 10);
    if (name == "nn") {
        const std::size_t before = out.line.size();
        if (!index(values.nameDigits, 10))
            return false;
        if (out.line.size() - before < 2)
            out.line.insert(before, 1, '0');
        return true;
    }
    if (name == "r")
        return index(values.fields.front(), 10);
    if (name == "x")
        return index(values.args, 16);
    if (name == "v")
        return value(values.args);
    if (name == "b")
        return (values.args == "0" || values.args == "1") && value(values.args);
    const std::optional<int> field = ParseIndex(name, 10);
    return field && static_cast<std::size_t>(*field) < values.fields.size()
        && value(values.fields[static_cast<std::size_t>(*field)]);
}

std::optional<Expansion> Expand(std::string_view lineTemplate, const CallValues& values, int maxIndex)
{
    Expansion out;
    for (std::size_t i = 0; i < lineTemplate.size(); ++i) {
        const char c = lineTemplate[i];
        if (c == '|') {
            if (out.identityEnd == kNoIdentityEnd)
                out.identityEnd = out.line.size();
            continue;
        }
        const std::size_t close = c == '{' ? lineTemplate.find('}', i) : std::string_view::npos;
        if (close == std::string_view::npos) {
            out.line.push_back(c);
            continue;
        }
        if (!ExpandPlaceholder(lineTemplate.substr(i + 1, close - i - 1), values, maxIndex, out))
            return std::nullopt;
        i = close;
    }
    return out;
}

} // namespace

CommandHandler RewriteLines(std::string_view group, std::initializer_list<std::string_view> templates,
                            int maxIndex)
{
    std::vector<std::string> lineTemplates(templates.begin(), templates.end());
    return [group = std::string(group), lineTemplates, maxIndex](ISimConsole& console,
                                                                 const CommandCall& call) {
        const CallValues values = ValuesOf(call);
        std::vector<Expansion> lines;
        for (const std::string& lineTemplate : lineTemplates) {
            std::optional<Expansion> line = Expand(lineTemplate, values, maxIndex);
            if (!line)
                return ESimAnswer::Err;
            lines.push_back(std::move(*line));
        }
        // Every template fitted: only now touch the store, so a bad command
        // leaves no half-applied change behind.
        for (Expansion& line : lines) {
            const std::string identity = line.line.substr(0, line.identityEnd);
            console.Store().Set(group, identity, std::move(line.line));
        }
        return ESimAnswer::Ok;
    };
}

CommandHandler RewriteListField(std::string_view group, std::string_view identity, std::size_t field,
                                std::string_view valueTemplate, int maxIndex)
{
    return [group = std::string(group), identity = std::string(identity), field,
            valueTemplate = std::string(valueTemplate), maxIndex](ISimConsole& console, const CommandCall& call) {
        const CallValues values = ValuesOf(call);
        const std::optional<Expansion> key = Expand(identity, values, maxIndex);
        const std::optional<Expansion> value = Expand(valueTemplate, values, maxIndex);
        if (!key || !value)
            return ESimAnswer::Err;
        const ConfigLine* line = console.Store().Find(key->line);
        if (line == nullptr)
            return ESimAnswer::Err;

        std::vector<std::string> fields;
        for (std::string_view text : SplitFields(std::string_view(line->text).substr(key->line.size())))
            fields.emplace_back(text);
        if (fields.size() <= field)
            fields.resize(field + 1);
        fields[field] = value->line;

        std::string text = key->line;
        for (std::size_t i = 0; i < fields.size(); ++i)
            text += (i == 0 ? "" : ",") + fields[i];
        console.Store().Set(group, key->line, std::move(text));
        return ESimAnswer::Ok;
    };
}

CommandHandler RewriteDigits(std::string_view group, std::vector<std::string> prefixes, char maxDigit)
{
    return [group = std::string(group), prefixes = std::move(prefixes), maxDigit](ISimConsole& console,
                                                                                const CommandCall& call) {
        if (call.args.size() != prefixes.size())
            return ESimAnswer::Err;
        for (char digit : call.args) {
            if (digit < '0' || digit > maxDigit)
                return ESimAnswer::Err;
        }
        for (std::size_t i = 0; i < prefixes.size(); ++i)
            console.Store().Set(group, prefixes[i], prefixes[i] + call.args[i]);
        return ESimAnswer::Ok;
    };
}

std::vector<std::string_view> SplitFields(std::string_view text)
{
    std::vector<std::string_view> fields;
    for (std::size_t comma; (comma = text.find(',')) != std::string_view::npos; text.remove_prefix(comma + 1))
        fields.push_back(text.substr(0, comma));
    fields.push_back(text);
    return fields;
}

std::vector<std::string> Numbered(std::string_view prefix, int count, std::string_view suffix)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(std::string(prefix) + std::to_string(i) + std::string(suffix));
    return names;
}

CommandHandler AllOf(std::vector<CommandHandler> handlers)
{
    return [handlers = std::move(handlers)](ISimConsole& console, const CommandCall& call) {
        for (const CommandHandler& handler : handlers) {
            const ESimAnswer answer = handler(console, call);
            if (answer != ESimAnswer::Ok)
                return answer;
        }
        return ESimAnswer::Ok;
    };
}

} // namespace orlan
