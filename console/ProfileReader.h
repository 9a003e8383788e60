#pragma once
// Reads a profile as it comes, in chunks of any size, and keeps only the
// lines that matter, so a profile costs about what its command lines take
// and never a copy of the whole file. The rules are those of EXEC: CR bytes
// are dropped wherever they are and LF ends a line; an empty line, and a
// line equal to the one before it, are skipped; a line that starts with two
// backslashes is shown; a line that starts with '%' is a command; every
// other line (the "//Page" headers, free text) is skipped.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

struct SProfileLine {
    std::string text;     // without CR and LF; a command without its CR
    bool command = false; // sent; otherwise shown only (a "\\" line)
    size_t number = 0;    // its line in the file, from 1 (0: not known)
};

class CProfileReader {
public:
    // The next bytes of the file.
    void Feed(std::string_view bytes);
    // The file ended: its last line counts even without a line end.
    void Finish();

    const std::vector<SProfileLine>& Lines() const { return m_lines; }
    // Hands the lines over without a copy; the reader is empty afterwards.
    std::vector<SProfileLine> TakeLines();
    // Empty when the profile may be executed. Otherwise why not, naming the
    // line: a command longer than the terminal's input line limit (it would
    // be refused or cut, and the commands behind it answered wrongly), a NUL
    // byte anywhere (UTF-16, a binary file), a control byte in a command, a
    // command of '%' only (the setup key run). Only the first such line is
    // named, and no line behind it is kept. A CR inside a command (not right
    // before its LF) is refused too. After Finish, a profile without
    // a command is "nothing to execute".
    const std::string& Error() const { return m_error; }

private:
    enum class EKind { Unknown, Command, Shown, Skipped };

    void Classify();
    void EndLine();
    // Names the line being read, unless an earlier line was named.
    void Refuse(const std::string& why);

    std::vector<SProfileLine> m_lines;
    std::string m_error;

    // The line being read: its bytes so far (CR dropped), only as far as
    // they are needed, and how long it is.
    std::string m_text;
    size_t m_length = 0;
    EKind m_kind = EKind::Unknown;
    size_t m_number = 1;
    // The line before was the last line kept (a skipped line equals no kept one).
    bool m_previousKept = false;
    // A CR came and no byte after it yet: it ends the line only before LF.
    bool m_crPending = false;
};

} // namespace orlan
