#include "pages/analog/GSensorPage.h"

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/analog/AnalogText.h"

namespace orlan {

using namespace analog;

namespace {

constexpr std::string_view kVideoCall = "videoCall";
constexpr std::string_view kVideoRecording = "videoRecording";
constexpr std::string_view kVideoChannel = "videoChannel";
constexpr std::string_view kMinimum = "minimum";
constexpr std::string_view kStep = "step";

constexpr std::string_view kKey = "$GSENSOR";
// Positions from the key's "$": "$GSENSORVCH 2" has its digit at 12.
constexpr size_t kValueAt = 12;
constexpr size_t kStepValueAt = 13;

// The channel goes from 1, the list from 0.
constexpr char kVideoChannelFormat[] = "%%GSENSORVCH%d\r";

} // namespace

CPageGSensor::CPageGSensor()
    : CPage({.className = "CPageGSensor",
             .section = "PageGSensor",
             .defaultAnswerWaitMs = 3000,
             .headingSection = "PageGSensor",
             .headingKey = "TITLE"})
{
    AddSetting({.field = Flag(kVideoCall, "VPC"), .command = "%%GSENSORVPC%d\r"});
    AddSetting({.field = Flag(kVideoRecording, "DVR"), .command = "%%GSENSORDVR%d\r"});
    // A single digit names the channel, so each one the terminal may report
    // has its item and goes back unchanged.
    AddSetting({.field = Choice(kVideoChannel, "VCH",
                                FixedItems({"1", "2", "3", "4", "5", "6", "7", "8", "9"})),
                .initial = kNoSelection});
    AddSetting({.field = Whole(Text(kMinimum, "MIN")), .command = "%%GSENSORMIN%s\r"});
    AddSetting({.field = Whole(Text(kStep, "STEP")), .command = "%%GSENSORSTEP%s\r"});
    AddProfileInverse(kVideoChannelFormat, [this](const std::vector<std::string>& values) {
        const std::optional<long long> channel = ScannedNumber(values[0]);
        if (!channel || *channel < 1 || *channel > 0xffff)
            return false;
        m_fields.SetChoice(kVideoChannel, static_cast<int>(*channel - 1));
        return true;
    });
}

std::string CPageGSensor::DumpRequest() const
{
    return "%DUMP_GSENSOR\r";
}

std::vector<SDumpEntry> CPageGSensor::DumpEntries()
{
    return {{std::string(kKey), [this](const SDumpValue& v) { StoreLine(v); }}};
}

void CPageGSensor::StoreLine(const SDumpValue& value)
{
    const size_t at = value.line.find(kKey);
    if (at == std::string_view::npos)
        return;
    const std::string_view line = value.line.substr(at);
    const std::string_view name = line.substr(kKey.size());
    if (name.starts_with("VPC")) {
        m_fields.SetNumber(kVideoCall, IsOneAt(line, kValueAt) ? 1 : 0);
    } else if (name.starts_with("VCR")) {
        m_fields.SetNumber(kVideoRecording, IsOneAt(line, kValueAt) ? 1 : 0);
    } else if (name.starts_with("VCH")) {
        const bool digit = kValueAt < line.size() && IsDigit(line[kValueAt]);
        m_fields.SetChoice(kVideoChannel, digit ? line[kValueAt] - '0' - 1 : -1);
    } else if (name.starts_with("MIN")) {
        m_fields.SetText(kMinimum, TextFrom(line, kValueAt));
    } else if (name.starts_with("STEP")) {
        m_fields.SetText(kStep, TextFrom(line, kStepValueAt));
    } else {
        return;
    }
    NotifyChanged();
}

CCommandList CPageGSensor::SettingCommands(ETarget) const
{
    CCommandList commands{{FormatWire(kVideoChannelFormat, m_fields.Number(kVideoChannel) + 1)}};
    for (SCommand& command : PlainCommands({kVideoCall, kVideoRecording, kMinimum, kStep}))
        commands.push_back(std::move(command));
    return commands;
}

} // namespace orlan
