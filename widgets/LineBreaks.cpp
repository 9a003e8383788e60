#include "widgets/LineBreaks.h"

namespace orlan {

namespace {

// Calls `text` for each run without line breaks and `lineBreak` for each
// break, a CR LF pair counting once.
template <typename TextFn, typename BreakFn>
void SplitLines(std::string_view text, TextFn&& onText, BreakFn&& onBreak)
{
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        onText(text.substr(start, i - start));
        onBreak();
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    onText(text.substr(start));
}

std::string WithBreaks(std::string_view text, std::string_view lineBreak)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    SplitLines(
        text, [&out](std::string_view run) { out.append(run); }, [&out, lineBreak] { out.append(lineBreak); });
    return out;
}

} // namespace

std::string ToCrLf(std::string_view text)
{
    return WithBreaks(text, "\r\n");
}

std::string ToNewlines(std::string_view text)
{
    return WithBreaks(text, "\n");
}

} // namespace orlan
