// Feeds arbitrary bytes to the UCS-2 hex codec and to the catalogue parser and
// checks the promises the rest of the program relies on: decoded texts and
// catalogue texts are valid UTF-8 within their limits, encoded texts are
// well-formed hex, and a decoded text survives a round trip unchanged.
#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "labels/TextCodec.h"
#include "labels/Utf8.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace orlan;

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool IsUpperHex(std::string_view text)
{
    return text.find_first_not_of("0123456789ABCDEF") == std::string_view::npos;
}

// The apostrophe flag changes exactly the aligned 0027 units into 0001.
std::string ReplaceApostropheUnits(std::string hex)
{
    for (std::size_t pos = 0; pos + 4 <= hex.size(); pos += 4) {
        if (hex.compare(pos, 4, "0027") == 0)
            hex.replace(pos, 4, "0001");
    }
    return hex;
}

// At most 1024 units, each at most three bytes of UTF-8 (a pair of them four).
constexpr std::size_t kMaxDecodedBytes = 3 * kMaxEncodedUnits;

void CheckDecodedText(std::string_view text)
{
    Require(IsValidUtf8(text), "decoded text is valid UTF-8");
    Require(text.size() <= kMaxDecodedBytes, "decoded text within 1024 units");
    Require(text.find('\0') == std::string_view::npos, "decoded text holds no NUL");
}

void CheckCodec(std::string_view input)
{
    const std::string decoded = DecodeUcs2Hex(input);
    if (IsUndecodedUcs2(decoded)) {
        // Kept as it came, and written back so.
        Require(!TryDecodeUcs2Hex(input), "only refused hex is kept undecoded");
        Require(UndecodedHex(decoded) == input && EncodeUcs2Hex(decoded) == input, "undecoded hex goes back unchanged");
    } else {
        CheckDecodedText(decoded);
        // Every decoded text is valid and NUL-free, so it must come back
        // from the terminal exactly as it went out.
        Require(DecodeUcs2Hex(EncodeUcs2Hex(decoded)) == decoded, "decode(encode(decode(x))) == decode(x)");
    }

    if (IsUndecodedUcs2(input)) {
        Require(EncodeUcs2Hex(input) == UndecodedHex(input), "an undecoded text goes out as it came");
        return;
    }
    const std::string encoded = EncodeUcs2Hex(input);
    Require(encoded.size() % 4 == 0, "encoded length is a multiple of 4");
    Require(encoded.size() <= 4 * kMaxEncodedUnits, "encoded within 1024 units");
    Require(IsUpperHex(encoded), "encoded text is upper-case hex");
    Require(EncodeUcs2Hex(input, true) == ReplaceApostropheUnits(encoded), "apostrophe flag changes only 0027");
    const std::string back = DecodeUcs2Hex(encoded);
    CheckDecodedText(back);
    if (IsValidUtf8(input) && CountUtf8CodePoints(input) <= kMaxEncodedUnits / 2 && input.find('\0') == std::string_view::npos)
        Require(back == input, "short valid text round-trips");
}

void CheckText(const CLabelCatalogue& catalogue, std::string_view key, std::string_view section)
{
    const std::string text = catalogue.Lookup(key, section);
    Require(IsValidUtf8(text), "catalogue text is valid UTF-8");
    Require(CountUtf8CodePoints(text) <= CLabelCatalogue::kMaxTextLength, "catalogue text within 254 code points");
    Require(text.find('\0') == std::string::npos, "catalogue text holds no NUL");
}

void CheckCatalogue(std::string_view input)
{
    CLabelCatalogue catalogue;
    const CatalogueParseReport report = catalogue.BindText(input);
    Require(report.entries + report.ignoredLines + report.duplicateKeys <= input.size(), "report counts lines");
    for (const auto& group : kCommonLabelGroups) {
        for (const auto key : group.keys)
            CheckText(catalogue, key, group.section);
    }
    // Short names the corpus uses, so mutations reach stored entries.
    for (const std::string_view section : {"s", "S", ""}) {
        for (const std::string_view key : {"a", "A", "b", ""})
            CheckText(catalogue, key, section);
    }
    Require(!HeaderTitle(catalogue).empty(), "header title never empty");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckCodec(input);
    CheckCatalogue(input);
    return 0;
}
