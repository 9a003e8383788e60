#include "cli/TerminalText.h"

#include "labels/Utf8.h"

namespace orlan {

namespace {

void AppendEscaped(std::string& out, std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789abcdef";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += "\\x";
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
}

} // namespace

std::string EscapeForTerminal(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80) {
            const bool kept = (byte >= 0x20 && byte != 0x7F) || byte == '\t' || byte == '\r' || byte == '\n';
            if (kept)
                out += bytes[pos];
            else
                AppendEscaped(out, bytes.substr(pos, 1));
            ++pos;
            continue;
        }
        const Utf8Step step = DecodeUtf8At(bytes, pos);
        // U+0080..U+009F are the C1 controls (U+009B is a CSI of its own).
        if (step.valid && step.codePoint >= 0xA0)
            out.append(bytes.substr(pos, step.length));
        else
            AppendEscaped(out, bytes.substr(pos, step.length));
        pos += step.length;
    }
    return out;
}

} // namespace orlan
