#include "labels/Utf8.h"

namespace orlan {

namespace {

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

Utf8Step DecodeUtf8At(std::string_view text, std::size_t pos)
{
    const auto byteAt = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byteAt(pos);
    if (lead < 0x80)
        return {lead, 1, true};

    std::size_t trailing = 0;
    char32_t codePoint = 0;
    // The first continuation byte's range excludes overlong forms (E0, F0),
    // surrogates (ED) and values above U+10FFFF (F4).
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        codePoint = lead & 0x0Fu;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        codePoint = lead & 0x07u;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    } else {
        return {0, 1, false};
    }

    std::size_t length = 1;
    for (; length <= trailing; ++length) {
        if (pos + length >= text.size())
            return {0, length, false};
        const unsigned char next = byteAt(pos + length);
        if (next < low || next > high)
            return {0, length, false};
        low = 0x80;
        high = 0xBF;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    return {codePoint, length, true};
}

std::size_t Utf8Length(char32_t codePoint)
{
    if (codePoint < 0x80)
        return 1;
    if (codePoint < 0x800)
        return 2;
    if (codePoint < 0x10000)
        return 3;
    return 4;
}

void AppendUtf8(std::string& out, char32_t codePoint)
{
    const auto put = [&out](char32_t byte) { out.push_back(static_cast<char>(byte)); };
    switch (Utf8Length(codePoint)) {
    case 1:
        put(codePoint);
        break;
    case 2:
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
        break;
    case 3:
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
        break;
    default:
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
        break;
    }
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Step step = DecodeUtf8At(text, pos);
        if (!step.valid)
            return false;
        pos += step.length;
    }
    return true;
}

std::string SanitizeUtf8(std::string_view text, char replacement)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const Utf8Step step = DecodeUtf8At(text, pos);
        if (step.valid)
            out.append(text.substr(pos, step.length));
        else
            out.push_back(replacement);
        pos += step.length;
    }
    return out;
}

std::size_t CountUtf8CodePoints(std::string_view validText)
{
    std::size_t count = 0;
    for (const char c : validText) {
        if (!IsContinuation(static_cast<unsigned char>(c)))
            ++count;
    }
    return count;
}

std::string_view TruncateUtf8(std::string_view validText, std::size_t maxCodePoints)
{
    std::size_t seen = 0;
    for (std::size_t pos = 0; pos < validText.size(); ++pos) {
        if (IsContinuation(static_cast<unsigned char>(validText[pos])))
            continue;
        if (seen == maxCodePoints)
            return validText.substr(0, pos);
        ++seen;
    }
    return validText;
}

} // namespace orlan
