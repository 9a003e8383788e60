#include "pages/ProfileInverse.h"

#include <cctype>
#include <charconv>
#include <utility>

namespace orlan {

namespace {

struct SConversion {
    char type = 0;
    int width = -1;      // the digits a packed number takes; -1: any
};

// The format in parts: literal texts between conversions.
struct SPiece {
    bool literal = true;
    std::string text;
    SConversion conversion;
};

std::vector<SPiece> Pieces(std::string_view format)
{
    while (format.ends_with('\n') || format.ends_with('\r'))
        format.remove_suffix(1);
    std::vector<SPiece> pieces;
    std::string literal;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            literal += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            literal += '%';
            ++i;
            continue;
        }
        if (!literal.empty())
            pieces.push_back({true, std::exchange(literal, {}), {}});
        ++i;
        int width = -1;
        int precision = -1;
        while (i < format.size() && std::string_view("-+ #0").find(format[i]) != std::string_view::npos)
            ++i;
        int* target = &width;
        for (; i < format.size(); ++i) {
            const char c = format[i];
            if (std::isdigit(static_cast<unsigned char>(c))) {
                *target = (*target < 0 ? 0 : *target * 10) + (c - '0');
            } else if (c == '.') {
                target = &precision;
                precision = 0;
            } else if (c == 'l' || c == 'h' || c == 'z' || c == 'j' || c == 't') {
                continue;
            } else {
                break;
            }
        }
        const char type = i < format.size() ? format[i] : 's';
        pieces.push_back({false, {}, {type, type == 'f' ? -1 : (precision >= 0 ? precision : width)}});
    }
    if (!literal.empty())
        pieces.push_back({true, literal, {}});
    return pieces;
}

bool IsDigitOf(char c, char type)
{
    if (type == 'x' || type == 'X')
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The length of the number of `type` at the start of `text`; 0: none.
size_t NumberLength(std::string_view text, char type, size_t limit)
{
    size_t n = 0;
    if (type != 'x' && type != 'X' && type != 'u' && n < text.size() && text[n] == '-')
        ++n;
    const size_t digitsFrom = n;
    while (n < text.size() && n < limit && IsDigitOf(text[n], type))
        ++n;
    if (n == digitsFrom)
        return 0;
    if (type == 'f' && n < text.size() && text[n] == '.') {
        size_t m = n + 1;
        while (m < text.size() && std::isdigit(static_cast<unsigned char>(text[m])))
            ++m;
        n = m;
    }
    return n;
}

} // namespace

std::optional<std::vector<std::string>> ScanWire(std::string_view format, std::string_view command)
{
    const std::vector<SPiece> pieces = Pieces(format);
    std::vector<std::string> values;
    std::string_view rest = command;
    for (size_t p = 0; p < pieces.size(); ++p) {
        const SPiece& piece = pieces[p];
        if (piece.literal) {
            if (!rest.starts_with(piece.text))
                return std::nullopt;
            rest.remove_prefix(piece.text.size());
            continue;
        }
        const bool last = p + 1 == pieces.size();
        const SPiece* next = last ? nullptr : &pieces[p + 1];
        if (piece.conversion.type == 's' || piece.conversion.type == 'c') {
            size_t length = rest.size();
            if (piece.conversion.type == 'c')
                length = rest.empty() ? 0 : 1;
            else if (next && next->literal)
                length = rest.find(next->text);
            if (length == std::string_view::npos || (piece.conversion.type == 'c' && length == 0))
                return std::nullopt;
            values.emplace_back(rest.substr(0, length));
            rest.remove_prefix(length);
            continue;
        }
        const bool packed = next && !next->literal && piece.conversion.width > 0;
        const size_t limit = packed ? static_cast<size_t>(piece.conversion.width) : rest.size();
        const size_t length = NumberLength(rest, piece.conversion.type, limit);
        if (length == 0 || (packed && length != limit))
            return std::nullopt;
        values.emplace_back(rest.substr(0, length));
        rest.remove_prefix(length);
    }
    if (!rest.empty())
        return std::nullopt;
    return values;
}

std::optional<long long> ScannedNumber(std::string_view text, int base)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (error != std::errc() || stop != end || text.empty())
        return std::nullopt;
    return value;
}

bool SetScannedValue(CFieldSet& fields, std::string_view id, const std::string& text)
{
    const EFieldKind kind = fields.Desc(fields.IndexOf(id)).kind;
    if (kind != EFieldKind::Choice && kind != EFieldKind::Check) {
        if (!ValueError(fields.Desc(fields.IndexOf(id)), text).empty())
            return false;
        fields.SetText(id, text);
        return true;
    }
    const std::optional<long long> number = ScannedNumber(text);
    if (!number || *number < -1 || *number > 0xffff)
        return false;
    if (kind == EFieldKind::Check)
        fields.SetNumber(id, *number != 0 ? 1 : 0);
    else
        fields.SetChoice(id, static_cast<int>(*number));
    return true;
}

namespace {

// All or nothing: a value a field refuses leaves every field as it was.
bool SetAll(CFieldSet& fields, const std::vector<std::string>& ids, std::span<const std::string> values)
{
    if (ids.size() != values.size())
        return false;
    CFieldSet before = fields;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (!SetScannedValue(fields, ids[i], values[i])) {
            fields = std::move(before);
            return false;
        }
    }
    return true;
}

} // namespace

InverseTake IntoFields(CFieldSet& fields, std::vector<std::string> ids)
{
    return [&fields, ids = std::move(ids)](const std::vector<std::string>& values) {
        return SetAll(fields, ids, values);
    };
}

std::string DigitsFormat(std::string_view name, size_t count)
{
    std::string format = "%%" + std::string(name);
    for (size_t i = 0; i < count; ++i)
        format += "%1d";
    return format + "\r";
}

InverseTake IntoRowFields(CFieldSet& fields, size_t rows, std::function<std::vector<std::string>(size_t row)> ids,
                          int base)
{
    return [&fields, rows, ids = std::move(ids), base](const std::vector<std::string>& values) {
        const std::optional<long long> row = values.empty() ? std::nullopt : ScannedNumber(values[0], base);
        if (!row || *row < 0 || static_cast<unsigned long long>(*row) >= rows)
            return false;
        return SetAll(fields, ids(static_cast<size_t>(*row)), std::span(values).subspan(1));
    };
}

bool TakeByInverse(std::span<const SProfileInverse> inverses, std::string_view command)
{
    for (const SProfileInverse& inverse : inverses) {
        if (const std::optional<std::vector<std::string>> values = ScanWire(inverse.format, command))
            return inverse.take(*values);
    }
    return false;
}

bool NamesCommand(std::span<const SProfileInverse> inverses, std::string_view command)
{
    for (const SProfileInverse& inverse : inverses) {
        const std::vector<SPiece> pieces = Pieces(inverse.format);
        if (!pieces.empty() && pieces.front().literal && pieces.front().text.size() > 1
            && command.starts_with(pieces.front().text))
            return true;
    }
    return false;
}

} // namespace orlan
