#pragma once
// Line breaks between the text boxes (which hold "\n") and the terminal
// (which takes CR LF, as a Windows edit box gives it).
#include <string>
#include <string_view>

namespace orlan {

// Every line break ("\n", CR LF or a lone CR) as CR LF.
std::string ToCrLf(std::string_view text);
// Every line break (CR LF, a lone CR or "\n") as "\n".
std::string ToNewlines(std::string_view text);

} // namespace orlan
