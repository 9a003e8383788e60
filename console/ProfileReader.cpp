#include "console/ProfileReader.h"

#include "console/ConsoleCommands.h"

#include <algorithm>
#include <utility>

namespace orlan {

namespace {

// A byte that has no place in a command line: C0 controls (the tab
// included: the terminal takes none), DEL and 0xFF. The terminal's own
// texts travel as hex, so a sound command is printable ASCII.
bool IsControlByte(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == 0xFF;
}

std::string ByteText(unsigned char c)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("0x") + kHex[c >> 4] + kHex[c & 0x0F];
}

} // namespace

void CProfileReader::Feed(std::string_view bytes)
{
    for (char c : bytes) {
        if (c == '\r') {
            m_crPending = true;
            continue;
        }
        if (c == '\n') {
            m_crPending = false;
            EndLine();
            continue;
        }
        // A CR inside a command joins what the file meant as two lines (a
        // file with CR line ends): sent as one, the terminal would take
        // neither as written.
        if (std::exchange(m_crPending, false) && m_kind == EKind::Command)
            Refuse("a CR inside a command (do the file's lines end with CR alone?)");
        // Text in the profile's form has no NUL anywhere: a file that does is
        // UTF-16 or binary, and no line of it may be trusted.
        if (c == '\0')
            Refuse("a NUL byte: this is not a text profile (UTF-16 or a binary file?)");
        ++m_length;
        switch (m_kind) {
        case EKind::Skipped:
            break;
        case EKind::Command:
            if (IsControlByte(static_cast<unsigned char>(c)))
                Refuse("the control byte " + ByteText(static_cast<unsigned char>(c)) + " in a command");
            // One byte over the limit is enough to know it is too long.
            if (m_text.size() <= kTerminalLineLimit)
                m_text.push_back(c);
            break;
        case EKind::Unknown:
            m_text.push_back(c);
            Classify();
            break;
        case EKind::Shown:
            m_text.push_back(c);
            break;
        }
    }
}

void CProfileReader::Finish()
{
    EndLine();
    const bool anyCommand =
        std::any_of(m_lines.begin(), m_lines.end(), [](const SProfileLine& line) { return line.command; });
    if (m_error.empty() && !anyCommand)
        m_error = "nothing to execute: no line starts with '%'";
}

void CProfileReader::Refuse(const std::string& why)
{
    if (m_error.empty())
        m_error = "line " + std::to_string(m_number) + ": " + why;
}

std::vector<SProfileLine> CProfileReader::TakeLines()
{
    std::vector<SProfileLine> lines = std::move(m_lines);
    m_lines.clear();
    m_previousKept = false;
    return lines;
}

void CProfileReader::Classify()
{
    // Decided by the first two bytes: '%', or two backslashes.
    if (m_text.front() == '%')
        m_kind = EKind::Command;
    else if (m_text.front() != '\\')
        m_kind = EKind::Skipped;
    else if (m_text.size() >= 2)
        m_kind = m_text[1] == '\\' ? EKind::Shown : EKind::Skipped;
    if (m_kind == EKind::Skipped)
        m_text.clear();
}

void CProfileReader::EndLine()
{
    const size_t number = m_number++;
    const size_t length = std::exchange(m_length, 0);
    const EKind kind = std::exchange(m_kind, EKind::Unknown);
    std::string text = std::move(m_text);
    m_text.clear();
    if (length == 0)
        return;  // an empty line is not even a previous line
    const bool kept = kind == EKind::Command || kind == EKind::Shown;
    if (!kept) {
        m_previousKept = false;
        return;
    }
    if (m_previousKept && !m_lines.empty() && m_lines.back().text == text)
        return;  // the same as the line before
    if (!m_error.empty())
        return;
    if (kind == EKind::Command && text.size() >= 2 && text.find_first_not_of('%') == std::string::npos) {
        // Twelve of them put a booting terminal into setup mode.
        m_error = "line " + std::to_string(number) + ": a run of '%' is the setup key run, not a command";
        m_previousKept = false;
        return;
    }
    if (kind == EKind::Command && length > kTerminalLineLimit) {
        m_error = "line " + std::to_string(number) + ": a command of " + std::to_string(length)
                  + " bytes is longer than the terminal's line limit of " + std::to_string(kTerminalLineLimit)
                  + " bytes";
        m_previousKept = false;
        return;
    }
    m_lines.push_back({std::move(text), kind == EKind::Command, number});
    m_previousKept = true;
}

} // namespace orlan
