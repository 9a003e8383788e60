#include "labels/ToolTexts.h"

namespace orlan {

std::optional<std::string> ToolTextKey(std::string_view english)
{
    if (english.empty() || english.find('=') != std::string_view::npos)
        return std::nullopt;
    std::string key;
    key.reserve(english.size());
    for (const char c : english) {
        switch (c) {
        case '\n': key += "\\n"; break;
        case '\r': key += "\\r"; break;
        case '\t': key += "\\t"; break;
        case '\\': key += "\\\\"; break;
        default: key.push_back(c); break;
        }
    }
    constexpr std::string_view kBlanks = " \v\f";
    if (key.front() == ';' || key.front() == '[' || kBlanks.find(key.front()) != std::string_view::npos ||
        kBlanks.find(key.back()) != std::string_view::npos)
        return std::nullopt;
    return key;
}

std::string ToolTextFromCatalogue(std::string_view stored)
{
    std::string text;
    text.reserve(stored.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] != '\\' || i + 1 == stored.size()) {
            text.push_back(stored[i]);
            continue;
        }
        switch (stored[++i]) {
        case 'n': text.push_back('\n'); break;
        case 'r': text.push_back('\r'); break;
        case 't': text.push_back('\t'); break;
        case '\\': text.push_back('\\'); break;
        default:
            // Not an escape: kept as written.
            text.push_back('\\');
            text.push_back(stored[i]);
            break;
        }
    }
    return text;
}

} // namespace orlan
