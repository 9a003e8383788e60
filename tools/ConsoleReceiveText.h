#pragma once
// What the console terminal's receive view makes of the raw bytes, without a
// widget: the bytes of each block become display text and the view's lines
// are counted for the automatic clearing.
#include <cstddef>
#include <string>
#include <string_view>

namespace orlan {

class CConsoleReceiveText {
public:
    // The view is emptied once it holds this many lines.
    static constexpr std::size_t kAutoClearLines = 150;

    // The display text (UTF-8, "\n" line breaks) of one received block:
    // - NUL becomes a space, so a block is never cut short;
    // - CR LF, LF CR, a lone CR and a lone LF are one line break each; the
    //   second byte of a pair is swallowed even when it opens the next block;
    // - ill-formed UTF-8 becomes U+FFFD; a character cut at the end of a
    //   block is held back and completed by the next block;
    // - every other byte is shown as received.
    std::string Append(std::string_view block);

    // Lines the view holds: its line breaks plus one (an empty view shows
    // one empty line), as a text control counts them.
    std::size_t Lines() const { return m_lineBreaks + 1; }
    bool ReachedAutoClearLimit() const { return Lines() >= kAutoClearLines; }

    // The view was emptied. A pair or character cut at a block's end still
    // completes with the next block.
    void ViewCleared() { m_lineBreaks = 0; }

private:
    void AppendBreak(char byte, std::string& out);

    std::string m_pending;    // the start of a character cut at a block's end
    char m_openBreak = '\0';  // CR or LF that just ended a line; its partner is swallowed
    std::size_t m_lineBreaks = 0;
};

} // namespace orlan
