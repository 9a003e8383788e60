#pragma once
// The buzzer and siren output: its switch and the alarm duration in seconds.
//
// Every line holding "$BUZ" or "$IBUZ" reaches the page; it takes the first
// of its three keys the line contains and ignores the rest.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageBuzzer final : public CPage {
public:
    CPageBuzzer();

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

private:
    void TakeLine(std::string_view line);
};

} // namespace orlan
