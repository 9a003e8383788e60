#include "tools/ConsoleReceiveText.h"

#include "labels/Utf8.h"

namespace orlan {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsMultiByteLead(unsigned char byte)
{
    return byte >= 0xC2 && byte <= 0xF4;
}

} // namespace

void CConsoleReceiveText::AppendBreak(char byte, std::string& out)
{
    if (m_openBreak != '\0' && m_openBreak != byte) {
        // The partner of the break just shown: CR LF or LF CR.
        m_openBreak = '\0';
        return;
    }
    out += '\n';
    ++m_lineBreaks;
    m_openBreak = byte;
}

std::string CConsoleReceiveText::Append(std::string_view block)
{
    std::string bytes = std::move(m_pending);
    m_pending.clear();
    bytes.append(block);

    std::string out;
    out.reserve(bytes.size());
    size_t pos = 0;
    while (pos < bytes.size()) {
        const char byte = bytes[pos];
        if (byte == '\r' || byte == '\n') {
            AppendBreak(byte, out);
            ++pos;
            continue;
        }
        m_openBreak = '\0';
        if (byte == '\0') {
            out += ' ';
            ++pos;
            continue;
        }
        const Utf8Step step = DecodeUtf8At(bytes, pos);
        if (step.valid) {
            out.append(bytes, pos, step.length);
        } else if (pos + step.length == bytes.size() && IsMultiByteLead(static_cast<unsigned char>(byte))) {
            // A well-formed start that the block's end cut short.
            m_pending.assign(bytes, pos, step.length);
        } else {
            AppendUtf8(out, kReplacement);
        }
        pos += step.length;
    }
    return out;
}

} // namespace orlan
