#pragma once
// Which picture and video actions of a 3G terminal an alarm of each wired
// input starts: a video call, an MMS picture, a video recording, and the
// video channel used. One row per input, edited in CDin3GDialog and sent at
// once; no Save, no profile.
//
// Table "inputs": input label, video call, MMS, recording, channel. Editor
// fields: videoCall, mms, recording, channel.
#include <cstddef>
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

class CPageDin3G final : public CPage {
public:
    static constexpr std::size_t kInputs = 4;
    static constexpr int kEditWaitMs = 3000;

    static constexpr std::size_t kVideoCallColumn = 1;
    static constexpr std::size_t kMmsColumn = 2;
    static constexpr std::size_t kRecordingColumn = 3;
    static constexpr std::size_t kChannelColumn = 4;

    static constexpr std::string_view kVideoCallField = "videoCall";
    static constexpr std::string_view kMmsField = "mms";
    static constexpr std::string_view kRecordingField = "recording";
    static constexpr std::string_view kChannelField = "channel";

    CPageDin3G();

    // Empties the inputs' settings.
    void Clear() override;
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    void LoadLabels(const CLabelCatalogue& catalogue) override;
    // A complete profile holds every input the terminal reported.
    bool RowsInCompleteProfile() const override { return true; }
    bool RowInCompleteProfile(size_t table, size_t row) const override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    const std::string& Cell(std::size_t input, std::size_t column) const { return m_tables.front().Cell(input, column); }

private:
    void StoreInput(const SDumpValue& value);
    void LabelRows();

    std::string m_yes;
    std::string m_no;
    std::string m_inputWord;
};

} // namespace orlan
