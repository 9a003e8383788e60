#pragma once
// The wired digital inputs and relay outputs: per input its alarm type, the
// 24-hour-zone and sound flags; per output its type; retained outputs, input
// 1 as the arm button, the long-siren duration, and the list of input and
// output states the terminal reports ("*IO" lines, appended as they come,
// whatever page is shown).
//
// The model holds 12 inputs and 8 outputs; inputs 0-3 are shown and sent,
// the others are filled where a dump line addresses them. Field ids:
// input<n>Type, input<n>Urgent, input<n>Sound, input<n>Counter (hidden, never
// sent), output<n>Type, retainOutputs, input1Button, sirenDuration, and the
// hidden mirrors of the counter page counterPeriod and counterOnChange.
// Table "states": the state list.
#include <cstddef>
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageGPIO final : public CPage {
public:
    static constexpr std::size_t kInputs = 12;
    static constexpr std::size_t kShownInputs = 4;
    static constexpr std::size_t kOutputs = 8;
    // The state list keeps the newest lines only, so a terminal left
    // reporting for days does not grow it without end.
    static constexpr std::size_t kStateLines = 2000;

    CPageGPIO();

    static std::string InputTypeId(std::size_t input);
    static std::string InputUrgentId(std::size_t input);
    static std::string InputSoundId(std::size_t input);
    static std::string InputCounterId(std::size_t input);
    static std::string OutputTypeId(std::size_t output);

    // Every value back to its start and the state list empty; the counter
    // flags and the report-on-change switch keep their state.
    void Clear() override;
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    void LoadLabels(const CLabelCatalogue& catalogue) override;

    const CPageTable& States() const { return m_tables.front(); }

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreInputType(const SDumpValue& value);
    void StoreOutputType(const SDumpValue& value);
    void StoreInputFlag(const SDumpValue& value, std::string (*fieldId)(std::size_t));
    void StoreState(const SDumpValue& value);

    struct SStateWords {
        std::string inputChannel, inputOpen, inputClosed;
        std::string outputChannel, outputOpen, outputClosed;
    };
    SStateWords m_words;
};

} // namespace orlan
