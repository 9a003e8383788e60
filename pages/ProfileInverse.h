#pragma once
// A command read back from a profile through the very format that built it,
// so the builder and its inverse cannot drift apart: ScanWire is FormatWire
// backwards. Pages whose commands are not plain settings use it in their
// TakeProfileCommand.
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pages/FieldSet.h"

namespace orlan {

// The values the conversions of `format` (a FormatWire format: "%%" a
// literal '%', a trailing CR or CR LF ignored) carry in `command` (without
// its CR), as texts in order; nothing when the command is not of that
// format. Numbers must be numbers of their conversion (decimal, hex for x/X,
// a decimal fraction for f); a number directly followed by another
// conversion takes exactly its precision (or width) in digits; "%s" takes
// up to the literal that follows it, or the rest.
std::optional<std::vector<std::string>> ScanWire(std::string_view format, std::string_view command);

// A whole number of a scanned decimal or hex text; nothing when it is none.
std::optional<long long> ScannedNumber(std::string_view text, int base = 10);

// A scanned value into a field as a read would put it: a list takes it as
// its index, a switch as 0 or 1, other fields as text. False (and nothing
// changes) when a list or switch gets no number, or the field's rule
// refuses the text.
bool SetScannedValue(CFieldSet& fields, std::string_view id, const std::string& text);

// The shape most row commands share: the first value numbers the row (below
// `rows`, in `base`), the others go, in order, into the fields `ids` names
// for that row (SetScannedValue). For AddProfileInverse.
using InverseTake = std::function<bool(const std::vector<std::string>& values)>;
// The values, in order, into the fields `ids` names (all or nothing): a
// mask of switches, digits back to back.
InverseTake IntoFields(CFieldSet& fields, std::vector<std::string> ids);
// A format of `count` one-digit numbers back to back behind `name`, for a
// mask read back ("%%DINURG%1d%1d%1d%1d\r").
std::string DigitsFormat(std::string_view name, size_t count);
InverseTake IntoRowFields(CFieldSet& fields, size_t rows, std::function<std::vector<std::string>(size_t row)> ids,
                          int base = 10);

// One inverse of a page: the format its builder uses, and what the page
// does with the values (false: the values are none the page can hold).
struct SProfileInverse {
    std::string format;
    std::function<bool(const std::vector<std::string>& values)> take;
};

// Takes `command` by the first inverse whose format it has; false when
// none has it or that inverse refuses its values.
bool TakeByInverse(std::span<const SProfileInverse> inverses, std::string_view command);
// Whether one of the inverses names the command (the text before its first
// conversion starts it).
bool NamesCommand(std::span<const SProfileInverse> inverses, std::string_view command);

} // namespace orlan
