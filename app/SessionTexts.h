#pragma once
// The session speaks English (the CLI prints the same texts); the window
// shows what it says in the user's language. A text of the session is
// matched against the known fixed texts and patterns, its numbers, names
// and commands carried over; a text nobody taught it stays as it came.
#include <QString>

#include <string_view>

namespace orlan {

// An information or error text, a whole read's failure, a refused value's
// reason, a profile reader's refusal or a job report's summary, translated.
QString SessionText(std::string_view english);

} // namespace orlan
