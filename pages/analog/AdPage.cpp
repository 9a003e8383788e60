#include "pages/analog/AdPage.h"

#include <algorithm>
#include <utility>

#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/analog/AdCalibration.h"
#include "pages/analog/AnalogText.h"

namespace orlan {

using namespace analog;

namespace {

constexpr std::string_view kEnabled = "enabled";
constexpr std::string_view kLow = "low";
constexpr std::string_view kHigh = "high";
constexpr std::string_view kCurrent = "current";
constexpr std::string_view kScale = "scale";
constexpr std::string_view kZero = "zero";
constexpr std::string_view kUrgent = "urgent";
constexpr std::string_view kSound = "sound";
constexpr std::string_view kStep = "step";
constexpr std::string_view kHysteresis = "hysteresis";
constexpr std::string_view kType = "type";
constexpr char kChannelOffFormat[] = "%%AINOFF%zu\r";

constexpr std::string_view kSmsInterval = "smsInterval";
constexpr std::string_view kSmsRepeat = "smsRepeat";
constexpr std::string_view kConfirmDelay = "confirmDelay";
constexpr std::string_view kReportPeriod = "reportPeriod";
constexpr std::string_view kReportStart = "reportStart";
constexpr std::string_view kReportEnd = "reportEnd";
constexpr std::string_view kReportRange = "reportRange";
constexpr std::string_view kReportOnStep = "reportOnStep";

constexpr std::string_view kGrid = "channels";
constexpr std::string_view kResetAction = "reset";
constexpr std::string_view kCalibrateAction = "calibrate";

constexpr std::string_view kTypeKeys[] = {"AINVOL", "AINCUR"};

// Behind the routed position: "$ADINH2 7.5" hands "H2 7.5" (letter, channel,
// value at 3); "$ADINST1 0.5" hands "1 0.5" (channel, value at 2);
// "*ADC_EN 2 1" hands " 2 1" (channel at 1, value at 3).
constexpr size_t kThresholdValueAt = 3;
constexpr size_t kChannelValueAt = 2;
constexpr size_t kEnableChannelAt = 1;
constexpr size_t kEnableValueAt = 3;

SFieldDesc InGrid(SFieldDesc desc)
{
    desc.group = std::string(kGrid);
    return desc;
}

// "%%AIN2H%s\r" for the plain per-channel commands.
std::string ChannelCommand(size_t channel, std::string_view name)
{
    return "%%AIN" + std::to_string(channel) + std::string(name) + "%s\r";
}

} // namespace

std::string CPageAD::Id(std::string_view name, size_t channel)
{
    return std::string(name) + std::to_string(channel);
}

CPageAD::CPageAD()
    : CPage({.className = "CPageAD",
             .section = "PageADC",
             .defaultAnswerWaitMs = 3000,
             .headingSection = "PageADC",
             .headingKey = "TITLE"})
{
    m_fields.AddGroup({.id = std::string(kGrid),
                       .rows = kChannels,
                       .columns = 11,
                       .columnKeys = {"ADINDEX", "ADC_ENABLE", "ADC_LOW", "ADC_HIGH", "ADC_CURRENT", "ADC_GAIN",
                                      "ADC_BASE", "ADC_URG", "ADC_SOUND", "ADC_GPRSSTEP", "ADC_OFFSET", "ADC_TYPE"},
                       .rowPrefix = "AIN"});
    for (size_t n = 0; n < kChannels; ++n) {
        const std::string ch = std::to_string(n);
        AddSetting({.field = InGrid(Flag(Id(kEnabled, n), "ADC_ENABLE"))});
        AddSetting({.field = InGrid(Decimal(Text(Id(kLow, n), "ADC_LOW"))), .command = ChannelCommand(n, "L")});
        AddSetting({.field = InGrid(Decimal(Text(Id(kHigh, n), "ADC_HIGH"))), .command = ChannelCommand(n, "H")});
        SFieldDesc current = InGrid(Text(Id(kCurrent, n), "ADC_CURRENT"));
        current.readOnly = true;
        AddSetting({.field = current});
        AddSetting({.field = InGrid(Decimal(Text(Id(kScale, n), "ADC_GAIN"))),
                    .keys = {"$ASCALE" + ch},
                    .command = ChannelCommand(n, "SC")});
        AddSetting({.field = InGrid(Decimal(Text(Id(kZero, n), "ADC_BASE"))),
                    .keys = {"$ADZERO" + ch},
                    .command = ChannelCommand(n, "ZE")});
        AddSetting({.field = InGrid(Flag(Id(kUrgent, n), "ADC_URG"))});
        AddSetting({.field = InGrid(Flag(Id(kSound, n), "ADC_SOUND"))});
        AddSetting({.field = InGrid(Decimal(Text(Id(kStep, n), "ADC_GPRSSTEP"))), .command = ChannelCommand(n, "ST")});
        AddSetting({.field = InGrid(Decimal(Text(Id(kHysteresis, n), "ADC_OFFSET"))), .command = ChannelCommand(n, "OS")});
        AddSetting({.field = InGrid(Choice(Id(kType, n), "ADC_TYPE", CatalogueItems("SYSCHAR", kTypeKeys))),
                    .initial = kNoSelection});
    }
    AddSetting({.field = Whole(Text(kSmsInterval, "ADC_SMSAS")), .keys = {"$AINAS"}, .command = "%%AINAS%s\r"});
    AddSetting({.field = Whole(Text(kSmsRepeat, "ADC_SMSLS")), .keys = {"$AINLS"}, .command = "%%AINLS%s\r"});
    AddSetting({.field = Whole(Text(kConfirmDelay, "ADC_ENSURING")), .keys = {"$AINDLY"}, .command = "%%AINDLY%s\r"});
    // This product shows no report settings; they go back as read.
    AddSetting({.field = Hidden(Whole(Text(kReportPeriod, "ADC_GPRS_TIMER"))), .keys = {"$AINUPT"}, .command = "%%AINUPT%s\r"});
    AddSetting({.field = Hidden(Decimal(Text(kReportStart, "ADC_RANGE_START"))), .keys = {"$AINUPS"}, .command = "%%AINUPS%s\r"});
    AddSetting({.field = Hidden(Decimal(Text(kReportEnd, "ADC_RANGE_END"))), .keys = {"$AINUPE"}, .command = "%%AINUPE%s\r"});
    AddSetting({.field = Hidden(Flag(kReportRange, "ADC_GPRS_TIMER_RANGE")),
                .keys = {"$AINRGU"},
                .command = "%%ADRANGEEN%d\r"});
    AddSetting({.field = Hidden(Flag(kReportOnStep, "ADC_THRESHOLD_UP_CHECK")),
                .keys = {"$AINSTU"},
                .command = "%%ADSTEPUPEN%d\r"});

    AddAction({.id = std::string(kResetAction), .labelKey = "Reset", .labelSection = "Buttons"});
    for (size_t n = 0; n < kChannels; ++n)
        AddAction({.id = std::string(kCalibrateAction) + std::to_string(n),
                   .labelKey = "ADC_CAL" + std::to_string(n),
                   .rowEditorTable = kCalibration,
                   .editorRow = n});
    // The masks and switches of the channels read back from a profile.
    auto perChannel = [](std::string_view name) {
        std::vector<std::string> ids;
        for (size_t n = 0; n < kChannels; ++n)
            ids.push_back(Id(name, n));
        return ids;
    };
    AddProfileInverse(DigitsFormat("AINURG", kChannels), IntoFields(m_fields, perChannel(kUrgent)));
    AddProfileInverse(DigitsFormat("AINSND", kChannels), IntoFields(m_fields, perChannel(kSound)));
    AddProfileInverse(DigitsFormat("AINTP", kChannels), IntoFields(m_fields, perChannel(kType)));
    AddProfileInverse("%%AINON0123\r", [this](const std::vector<std::string>&) {
        for (size_t n = 0; n < kChannels; ++n)
            m_fields.SetNumber(Id(kEnabled, n), 1);
        return true;
    });
    AddProfileInverse(kChannelOffFormat, [this](const std::vector<std::string>& values) {
        const std::optional<long long> n = ScannedNumber(values[0]);
        if (!n || *n < 0 || *n >= static_cast<long long>(kChannels))
            return false;
        m_fields.SetNumber(Id(kEnabled, static_cast<size_t>(*n)), 0);
        return true;
    });
}

void CPageAD::Clear()
{
    std::vector<std::string> kept = {std::string(kReportRange)};
    for (size_t n = 0; n < kChannels; ++n) {
        kept.push_back(Id(kEnabled, n));
        kept.push_back(Id(kCurrent, n));
    }
    m_fields.Reset(kept);
    NotifyChanged();
}

std::string CPageAD::DumpRequest() const
{
    return "%DUMP_ADS\r%DUMPR\r";
}

std::vector<SDumpEntry> CPageAD::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    auto add = [&entries](std::string key, DumpHandler handler) { entries.push_back({std::move(key), std::move(handler)}); };
    add("$ADIN", [this](const SDumpValue& v) { StoreThreshold(v); });
    add("$ADINRH", [this](const SDumpValue& v) { StoreRange(v, m_rangeHigh); });
    add("$ADINRL", [this](const SDumpValue& v) { StoreRange(v, m_rangeLow); });
    add("$ADINST", [this](const SDumpValue& v) { StoreChannelText(v, kStep, kChannelValueAt); });
    add("$ADINOT", [this](const SDumpValue& v) { StoreChannelText(v, kHysteresis, kChannelValueAt); });
    add("*AINC", [this](const SDumpValue& v) { StoreChannelText(v, kCurrent, kChannelValueAt); });
    add("$AINURG", [this](const SDumpValue& v) { StoreChannelFlag(v, kUrgent, 0, kChannelValueAt); });
    add("$AINSND", [this](const SDumpValue& v) { StoreChannelFlag(v, kSound, 0, kChannelValueAt); });
    add("*ADC_EN", [this](const SDumpValue& v) { StoreChannelFlag(v, kEnabled, kEnableChannelAt, kEnableValueAt); });
    add("$AINTPE", [this](const SDumpValue& v) { StoreType(v); });
    add("$AINVER", [this](const SDumpValue& v) {
        if (v.index >= 0)
            m_version = v.index;
    });
    return entries;
}

void CPageAD::StoreThreshold(const SDumpValue& value)
{
    // The longer keys ("$ADINRH", "$ADINST", "$ADINOT") reach this row too;
    // their letter is neither H nor L.
    const std::string_view text = value.text;
    if (text.empty() || (text.front() != 'H' && text.front() != 'L'))
        return;
    const std::optional<size_t> channel = ChannelAt(text, 1, kChannels);
    if (!channel)
        return;
    // Shown with two decimals whatever the terminal sent.
    const double number = DecimalNumber(TextFrom(text, kThresholdValueAt));
    m_fields.SetText(Id(text.front() == 'H' ? kHigh : kLow, *channel), FormatWire("%.2f", number));
    NotifyChanged();
}

void CPageAD::StoreRange(const SDumpValue& value, std::array<float, kChannels>& range)
{
    if (const std::optional<size_t> channel = ChannelAt(value.text, 0, kChannels)) {
        range[*channel] = static_cast<float>(DecimalNumber(TextFrom(value.text, kChannelValueAt)));
        NotifyChanged();
    }
}

void CPageAD::StoreChannelText(const SDumpValue& value, std::string_view name, size_t valueAt)
{
    if (const std::optional<size_t> channel = ChannelAt(value.text, 0, kChannels)) {
        m_fields.SetText(Id(name, *channel), TextFrom(value.text, valueAt));
        NotifyChanged();
    }
}

void CPageAD::StoreChannelFlag(const SDumpValue& value, std::string_view name, size_t channelAt, size_t valueAt)
{
    if (const std::optional<size_t> channel = ChannelAt(value.text, channelAt, kChannels)) {
        m_fields.SetNumber(Id(name, *channel), IsOneAt(value.text, valueAt) ? 1 : 0);
        NotifyChanged();
    }
}

void CPageAD::StoreType(const SDumpValue& value)
{
    const std::optional<size_t> channel = ChannelAt(value.text, 0, kChannels);
    const std::optional<size_t> type = ChannelAt(value.text, kChannelValueAt, 10);
    if (!channel || !type)
        return;
    // A digit beyond the list selects nothing.
    m_fields.SetChoice(Id(kType, *channel), static_cast<int>(*type));
    NotifyChanged();
}

CCommandList CPageAD::SettingCommands(ETarget) const
{
    CCommandList commands;
    auto push = [&commands](SCommand command) { commands.push_back(std::move(command)); };
    for (size_t n = 0; n < kChannels; ++n) {
        AppendPlainCommand(commands, Id(kHigh, n));
        AppendPlainCommand(commands, Id(kLow, n));
    }
    for (size_t n = 0; n < kChannels; ++n)
        AppendPlainCommand(commands, Id(kScale, n));
    for (size_t n = 0; n < kChannels; ++n)
        AppendPlainCommand(commands, Id(kZero, n));
    for (SCommand& command : PlainCommands({kSmsInterval, kSmsRepeat, kConfirmDelay}))
        push(std::move(command));
    for (size_t n = 0; n < kChannels; ++n)
        AppendPlainCommand(commands, Id(kStep, n));
    const CFieldSet& f = m_fields;
    auto digits = [&f](std::string_view name) {
        return FormatWire("%d%d%d%d", FlagDigit(f, Id(name, 0)), FlagDigit(f, Id(name, 1)), FlagDigit(f, Id(name, 2)),
                          FlagDigit(f, Id(name, 3)));
    };
    push({"%AINURG" + digits(kUrgent) + "\r"});
    push({"%AINSND" + digits(kSound) + "\r"});
    // All on first, then off again those that are not in use: only when
    // the terminal said which are, or the first would switch on a channel
    // it keeps off.
    const bool enabledKnown = std::ranges::all_of(std::array<size_t, kChannels>{0, 1, 2, 3},
                                                  [&f](size_t n) { return f.IsKnown(Id(kEnabled, n)); });
    if (enabledKnown) {
        push({"%AINON0123\r"});
        for (size_t n = 0; n < kChannels; ++n) {
            if (f.Number(Id(kEnabled, n)) == 0)
                push({FormatWire(kChannelOffFormat, n)});
        }
    }
    for (size_t n = kChannels; n-- > 0;)
        AppendPlainCommand(commands, Id(kHysteresis, n));
    // A channel whose type the terminal never reported would go out as "-1"
    // and spoil the command for all four: the types then stay as they are.
    const bool typesKnown = std::ranges::all_of(std::array<size_t, kChannels>{0, 1, 2, 3},
                                                [&f](size_t n) { return IsSelected(f, Id(kType, n)); });
    if (typesKnown)
        push({FormatWire("%%AINTP%d%d%d%d\r", f.Number(Id(kType, 0)), f.Number(Id(kType, 1)), f.Number(Id(kType, 2)),
                         f.Number(Id(kType, 3)))});
    for (SCommand& command : PlainCommands({kReportPeriod, kReportStart, kReportEnd, kReportOnStep, kReportRange}))
        push(std::move(command));
    return commands;
}

std::optional<SPageJob> CPageAD::ActionJob(std::string_view actionId, std::optional<size_t>)
{
    // An empty batch; the terminal takes its closing as the reset.
    if (actionId == kResetAction)
        return SPageJob{.commands = {}, .bracketed = true, .end = EJobEnd::ReadAll};
    return std::nullopt;
}

std::optional<SRowEditor> CPageAD::RowEditor(size_t table, size_t row) const
{
    if (table != kCalibration || row >= kChannels)
        return std::nullopt;
    return MakeCalibrationEditor(row, m_rangeLow[row], m_rangeHigh[row], m_version, m_fields.Number(Id(kType, row)));
}

std::string CPageAD::RowEditError(size_t table, size_t row, const CFieldSet& edited) const
{
    if (table != kCalibration || row >= kChannels || !edited.Has(kCalInLow))
        return {};
    return Calibrate(edited, m_version).error;
}

CCommandList CPageAD::CommitRow(size_t table, size_t row, const CFieldSet& edited)
{
    if (table != kCalibration || row >= kChannels || !edited.Has(kCalInLow))
        return {};
    const SCalibration result = Calibrate(edited, m_version);
    if (!result.error.empty())
        return {};
    m_fields.SetText(Id(kScale, row), result.scale);
    m_fields.SetText(Id(kZero, row), result.zero);
    NotifyChanged();
    return CalibrationCommands(row, result, edited);
}

} // namespace orlan
