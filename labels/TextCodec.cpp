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

// Upper case only: the encoder writes nothing else, so anything else could
// not be written back unchanged.
std::optional<unsigned> HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

std::optional<char32_t> UnitAt(std::string_view hex, std::size_t group)
{
    char32_t unit = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::optional<unsigned> digit = HexDigitValue(hex[group * 4 + i]);
        if (!digit)
            return std::nullopt;
        unit = (unit << 4) | *digit;
    }
    return unit;
}

} // namespace

std::string EncodeUcs2Hex(std::string_view utf8Text, bool replaceApostrophe)
{
    if (IsUndecodedUcs2(utf8Text))
        return std::string(UndecodedHex(utf8Text));
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

std::optional<std::string> TryDecodeUcs2Hex(std::string_view hex)
{
    std::string out;
    char32_t pendingHigh = 0;
    std::size_t units = 0;
    std::size_t group = 0;
    for (; group * 4 < hex.size(); ++group) {
        if (hex.size() - group * 4 < 4)
            return std::nullopt;  // half a unit
        const std::optional<char32_t> unit = UnitAt(hex, group);
        if (!unit)
            return std::nullopt;
        if (*unit == 0)
            break;
        if (++units > kMaxEncodedUnits)
            break;
        if (pendingHigh != 0) {
            if (!IsLowSurrogate(*unit))
                return std::nullopt;
            AppendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (*unit - 0xDC00));
            pendingHigh = 0;
        } else if (IsHighSurrogate(*unit)) {
            pendingHigh = *unit;
        } else if (IsLowSurrogate(*unit)) {
            return std::nullopt;
        } else {
            AppendUtf8(out, *unit);
        }
    }
    // A high surrogate at the end, or one whose partner lies beyond the unit limit.
    if (pendingHigh != 0 && units <= kMaxEncodedUnits)
        return std::nullopt;
    return out;
}

std::string DecodeUcs2Hex(std::string_view hex)
{
    if (std::optional<std::string> text = TryDecodeUcs2Hex(hex))
        return std::move(*text);
    std::string kept(1, kUndecodedMark);
    kept.append(hex);
    return kept;
}

bool IsUndecodedUcs2(std::string_view text)
{
    return !text.empty() && text.front() == kUndecodedMark;
}

std::string_view UndecodedHex(std::string_view text)
{
    return IsUndecodedUcs2(text) ? text.substr(1) : std::string_view();
}

} // namespace orlan
