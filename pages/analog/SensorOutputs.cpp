#include "pages/analog/SensorOutputs.h"

#include <string>

#include "console/TextScan.h"
#include "pages/OutputItems.h"

namespace orlan::analog {

std::vector<SChoiceItem> SensorOutputItems()
{
    return OutputChoiceItems("Output ", "Nc");
}

bool StoreSensorOutput(CFieldSet& fields, std::string_view text, std::string_view highId, std::string_view lowId)
{
    if (text.empty() || (text.front() != 'H' && text.front() != 'L'))
        return false;
    const std::string_view id = text.front() == 'H' ? highId : lowId;
    const std::string_view number = text.substr(1);
    size_t i = 0;
    while (i < number.size() && number[i] == ' ')
        ++i;
    int selected = -1;
    if (i < number.size() && IsDigit(number[i])) {
        // Any number above 7, however long, means no output.
        int value = 0;
        for (; i < number.size() && IsDigit(number[i]) && value <= kOutputCount; ++i)
            value = value * 10 + (number[i] - '0');
        selected = value < kOutputCount ? value : kNoOutput;
    }
    fields.SetChoice(id, selected);
    return true;
}

} // namespace orlan::analog
