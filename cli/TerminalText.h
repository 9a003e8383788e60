#pragma once
// What orlan-cli prints of the terminal's bytes. A unit is not trusted to
// drive the user's terminal emulator: control and escape bytes other than
// TAB, CR and LF, DEL, the C1 controls and bytes that are no UTF-8 are shown
// as "\xHH" unless the user asked for the raw bytes.
#include <string>
#include <string_view>

namespace orlan {

std::string EscapeForTerminal(std::string_view bytes);

} // namespace orlan
