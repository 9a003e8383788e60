#pragma once
// The output lists of the temperature and humidity pages: "Output 0" …
// "Output 7" and "Nc" (no output), and the dump lines that select them
// ("$TMPIH3", "$HUMIL8": 'H' or 'L', then the output number).
#include <string_view>
#include <vector>

#include "pages/FieldSet.h"

namespace orlan::analog {

inline constexpr int kOutputCount = 8;
inline constexpr int kNoOutput = 8;  // the "Nc" item

std::vector<SChoiceItem> SensorOutputItems();

// Selects the high or low output from a line's text behind its key: a
// number above 7 selects "Nc", no number (or a negative one) nothing.
// False when the text names neither list.
bool StoreSensorOutput(CFieldSet& fields, std::string_view text, std::string_view highId, std::string_view lowId);

} // namespace orlan::analog
