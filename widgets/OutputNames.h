#pragma once
// The names the unit gives its outputs, for the lists whose items stand for
// one ("Output 3 (Siren)"): the window points this at the terminal it
// shows. Without a source, or for an output the unit has not named, an item
// keeps its own text.
#include <QString>

#include <functional>
#include <string>

namespace orlan {

using FOutputName = std::function<std::string(int output)>;

void SetOutputNameSource(FOutputName source);
// `text` followed by the output's name in brackets when it has one.
QString WithOutputName(const QString& text, int output);

} // namespace orlan
