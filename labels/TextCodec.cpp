#include "labels/TextCodec.h"

#include "labels/Utf8.h"

namespace orlan {

namespace {

constexpr char32_t kDefaultChar = U'?';

bool IsHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendHexUnit(std::string& out, char32_t unit)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(kDigits[(unit >> shift) & 0xF]);
}

unsigned HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    return 15;
}

char32_t UnitAt(std::string_view hex, std::size_t group)
{
    char32_t unit = 0;
    for (std::size_t i = 0; i < 4; ++i)
        unit = (unit << 4) | HexDigitValue(hex[group * 4 + i]);
    return unit;
}

} // namespace

std::string EncodeUcs2Hex(std::string_view utf8Text, bool replaceApostrophe)
{
    utf8Text = utf8Text.substr(0, utf8Text.find('\0'));
    std::string out;
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < utf8Text.size();) {
        const Utf8Step step = DecodeUtf8At(utf8Text, pos);
        pos += step.length;
        char32_t codePoint = step.valid ? step.codePoint : kDefaultChar;
        if (codePoint < 0x10000) {
            if (units + 1 > kMaxEncodedUnits)
                break;
            if (replaceApostrophe && codePoint == U'\'')
                codePoint = 0x0001;
            AppendHexUnit(out, codePoint);
            units += 1;
        } else {
            if (units + 2 > kMaxEncodedUnits)
                break;
            codePoint -= 0x10000;
            AppendHexUnit(out, 0xD800 + (codePoint >> 10));
            AppendHexUnit(out, 0xDC00 + (codePoint & 0x3FF));
            units += 2;
        }
    }
    return out;
}

std::string DecodeUcs2Hex(std::string_view hex)
{
    std::string out;
    // Appends one character; false once it no longer fits, so the text is
    // cut at a character boundary and nothing after the cut sneaks in.
    const auto emit = [&out](char32_t codePoint) {
        if (out.size() + Utf8Length(codePoint) > kMaxDecodedBytes)
            return false;
        AppendUtf8(out, codePoint);
        return true;
    };

    char32_t pendingHigh = 0;
    const std::size_t groups = hex.size() / 4;
    for (std::size_t group = 0; group < groups; ++group) {
        const char32_t unit = UnitAt(hex, group);
        if (unit == 0)
            break;
        if (pendingHigh != 0) {
            const char32_t high = pendingHigh;
            pendingHigh = 0;
            if (IsLowSurrogate(unit)) {
                if (!emit(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00)))
                    return out;
                continue;
            }
            if (!emit(kDefaultChar))
                return out;
        }
        if (IsHighSurrogate(unit)) {
            pendingHigh = unit;
            continue;
        }
        if (!emit(IsLowSurrogate(unit) ? kDefaultChar : unit))
            return out;
    }
    if (pendingHigh != 0)
        emit(kDefaultChar);
    return out;
}

} // namespace orlan
