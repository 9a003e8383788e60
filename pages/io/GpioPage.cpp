#include "pages/io/GpioPage.h"

#include <array>
#include <utility>

#include "console/TextScan.h"
#include "console/WireFormat.h"
#include "pages/FieldHelpers.h"
#include "pages/io/IoText.h"

namespace orlan {

namespace {

constexpr std::string_view kRetainOutputs = "retainOutputs";
constexpr std::string_view kInput1Button = "input1Button";
constexpr std::string_view kSirenDuration = "sirenDuration";
constexpr std::string_view kCounterPeriod = "counterPeriod";
constexpr std::string_view kCounterOnChange = "counterOnChange";

// Both type lists, position = type index sent; the built-in texts say what
// the terminal does with each.
constexpr std::array<io::SLabelWord, 5> kInputTypes = {{
    {"DINTYPES", "NC", "Disabled"},
    {"DINTYPES", "T0", "Alarm when the contact opens"},
    {"DINTYPES", "T1", "Alarm while the contact is open"},
    {"DINTYPES", "T2", "Alarm when the contact closes"},
    {"DINTYPES", "T3", "Alarm while the contact is closed"},
}};
constexpr std::array<io::SLabelWord, 5> kOutputTypes = {{
    {"DOUTTYPES", "NC", "Disabled"},
    {"DOUTTYPES", "T0", "Relay output"},
    {"DOUTTYPES", "T1", "Siren output"},
    {"DOUTTYPES", "T2", "Alarm photo trigger"},
    {"DOUTTYPES", "T3", "Long siren"},
}};

// For inputs a state of 0 means closed, for outputs open.
constexpr io::SLabelWord kInputChannel{"DINTYPES", "DIN_CHANNEL", "Input"};
constexpr io::SLabelWord kInputOpen{"DINTYPES", "DIN_OPEN", "open"};
constexpr io::SLabelWord kInputClosed{"DINTYPES", "DIN_CLOSE", "closed"};
constexpr io::SLabelWord kOutputChannel{"DOUTTYPES", "DOUT_CHANNEL", "Output"};
constexpr io::SLabelWord kOutputOpen{"DOUTTYPES", "DOUT_OPEN", "open"};
constexpr io::SLabelWord kOutputClosed{"DOUTTYPES", "DOUT_CLOSE", "closed"};

// "$ITP" lines carry a channel of up to eleven digits; "*IO" reports too.
constexpr std::size_t kMaxChannelDigits = 11;
// "$DINURG3 1": the channel digit right behind the key, the flag two later.
constexpr std::size_t kFlagAt = 2;

std::string RowId(std::string_view kind, std::size_t n, std::string_view what)
{
    return std::string(kind) + std::to_string(n) + std::string(what);
}

std::vector<std::string> Keys(std::string_view prefix, std::size_t count)
{
    std::vector<std::string> keys;
    for (std::size_t n = 0; n < count; ++n)
        keys.push_back(std::string(prefix) + std::to_string(n));
    return keys;
}

// A channel digit "0"-"7" at the start of a routed text.
std::optional<std::size_t> ChannelDigit(std::string_view text)
{
    if (text.empty() || text.front() < '0' || text.front() > '7')
        return std::nullopt;
    return static_cast<std::size_t>(text.front() - '0');
}

} // namespace

std::string CPageGPIO::InputTypeId(std::size_t input) { return RowId("input", input, "Type"); }
std::string CPageGPIO::InputUrgentId(std::size_t input) { return RowId("input", input, "Urgent"); }
std::string CPageGPIO::InputSoundId(std::size_t input) { return RowId("input", input, "Sound"); }
std::string CPageGPIO::InputCounterId(std::size_t input) { return RowId("input", input, "Counter"); }
std::string CPageGPIO::OutputTypeId(std::size_t output) { return RowId("output", output, "Type"); }

CPageGPIO::CPageGPIO()
    : CPage({.className = "CPageGPIO",
             .section = "PageDIN",
             .navKey = "PAGE_DIOTYPE",
             .profileTitle = "Digital inputs config",
             .defaultAnswerWaitMs = 3000})
{
    const std::vector<SChoiceItem> inputTypes = io::WordItems(kInputTypes);
    const std::vector<SChoiceItem> outputTypes = io::WordItems(kOutputTypes);

    m_fields.AddGroup({.id = "inputs",
                       .captionKey = "TITLE_INPUT",
                       .rows = kShownInputs,
                       .columns = 3,
                       .columnKeys = {"", "URGENT", "SOUND"},
                       .rowKeys = Keys("INPUT", kShownInputs)});
    // Two columns of four, so the page fits a laptop screen without scrolling.
    m_fields.AddGroup({.id = "outputs", .captionKey = "TITLE_OUTPUT", .columns = 2});
    m_fields.AddGroup({.id = "others", .captionKey = "OTHERS"});
    // Shown by the counter page; kept here as the terminal reports them.
    m_fields.AddGroup({.id = "counters", .captionKey = "TITLECNT"});

    // Inputs beyond the shown four stay in the model, hidden and never sent.
    for (std::size_t n = 0; n < kInputs; ++n) {
        const bool shown = n < kShownInputs;
        const std::string label = "INPUT" + std::to_string(n);
        SFieldDesc type = Hidden(io::ShowsNotSet(Choice(InputTypeId(n), label, inputTypes)), !shown);
        SFieldDesc urgent = Hidden(Flag(InputUrgentId(n), "URGENT"), !shown);
        SFieldDesc sound = Hidden(Flag(InputSoundId(n), "SOUND"), !shown);
        if (shown)
            type.group = urgent.group = sound.group = "inputs";
        m_fields.Add(std::move(type), kNoSelection);
        m_fields.Add(std::move(urgent));
        m_fields.Add(std::move(sound));
    }
    for (std::size_t n = 0; n < kOutputs; ++n) {
        SFieldDesc type = io::ShowsNotSet(Choice(OutputTypeId(n), "OUTPUT" + std::to_string(n), outputTypes));
        type.group = "outputs";
        m_fields.Add(std::move(type), kNoSelection);
    }

    auto other = [](SFieldDesc desc, std::string group = "others") {
        desc.group = std::move(group);
        return desc;
    };
    AddSetting({.field = other(Flag(kRetainOutputs, "SAVEOUT")), .keys = {"$IOOR "}, .command = "%%IOOR%d\r"});
    AddSetting({.field = other(Flag(kInput1Button, "INPUT1BTN")),
                .keys = SwitchKeys("$L1DEF"),
                .command = "%%L1DEF%d\r"});
    AddSetting({.field = other(Digits(Text(kSirenDuration, "SIREN"))), .keys = {"$IOHT "}, .command = "%%IOHT%s\r"});
    AddSetting({.field = other(Hidden(Whole(Text(kCounterPeriod, "COUNTERSEC"))), "counters"), .keys = {"$DINDUT "}});
    AddSetting({.field = other(Hidden(Flag(kCounterOnChange, "COUNTERAUTO")), "counters"), .keys = {"$DINCTA "}});
    for (std::size_t n = 0; n < kInputs; ++n)
        m_fields.Add(Hidden(Flag(InputCounterId(n))));

    m_tables.emplace_back(STableDesc{.id = "states",
                                     .headerKeys = {"STATUS"},
                                     .dataColumns = 1,
                                     .numberedRows = false,
                                     .order = ERowOrder::Append,
                                     .rowLimit = kStateLines});

    m_words = {std::string(kInputChannel.builtIn),  std::string(kInputOpen.builtIn),
               std::string(kInputClosed.builtIn),   std::string(kOutputChannel.builtIn),
               std::string(kOutputOpen.builtIn),    std::string(kOutputClosed.builtIn)};
    // The masks and the types read back from a profile.
    std::vector<std::string> urgent, sound, types;
    for (std::size_t n = 0; n < kShownInputs; ++n) {
        urgent.push_back(InputUrgentId(n));
        sound.push_back(InputSoundId(n));
        types.push_back(InputTypeId(n));
    }
    for (std::size_t n = 0; n < kOutputs; ++n)
        types.push_back(OutputTypeId(n));
    AddProfileInverse(DigitsFormat("DINURG", kShownInputs), IntoFields(m_fields, urgent));
    AddProfileInverse(DigitsFormat("DINSND", kShownInputs), IntoFields(m_fields, sound));
    AddProfileInverse(DigitsFormat("IOTP", kShownInputs + kOutputs), IntoFields(m_fields, types));
}

void CPageGPIO::LoadLabels(const CLabelCatalogue& catalogue)
{
    m_words = {io::LabelText(catalogue, kInputChannel),  io::LabelText(catalogue, kInputOpen),
               io::LabelText(catalogue, kInputClosed),   io::LabelText(catalogue, kOutputChannel),
               io::LabelText(catalogue, kOutputOpen),    io::LabelText(catalogue, kOutputClosed)};
}

void CPageGPIO::Clear()
{
    std::vector<std::string> kept = {std::string(kCounterOnChange)};
    for (std::size_t n = 0; n < kInputs; ++n)
        kept.push_back(InputCounterId(n));
    m_fields.Reset(kept);
    m_tables.front().Clear();
    NotifyChanged();
}

std::string CPageGPIO::DumpRequest() const
{
    return "%DUMP_GPIO\r";
}

std::vector<SDumpEntry> CPageGPIO::DumpEntries()
{
    std::vector<SDumpEntry> entries = SettingEntries();
    entries.push_back({"$ITP", [this](const SDumpValue& value) { StoreInputType(value); }});
    entries.push_back({"$OTP", [this](const SDumpValue& value) { StoreOutputType(value); }});
    entries.push_back({"*IO", [this](const SDumpValue& value) { StoreState(value); }});
    entries.push_back({"$DINURG", [this](const SDumpValue& value) { StoreInputFlag(value, &InputUrgentId); }});
    entries.push_back({"$DINSND", [this](const SDumpValue& value) { StoreInputFlag(value, &InputSoundId); }});
    entries.push_back({"$DINCNT", [this](const SDumpValue& value) { StoreInputFlag(value, &InputCounterId); }});
    return entries;
}

void CPageGPIO::StoreInputType(const SDumpValue& value)
{
    // "$ITP11 3": channel, one separator, type.
    const std::optional<io::SLeadingNumber> channel = io::LeadingNumber(value.text, kMaxChannelDigits);
    if (!channel || channel->value >= static_cast<long long>(kInputs))
        return;
    m_fields.SetChoice(InputTypeId(static_cast<std::size_t>(channel->value)), LeadingIndex(io::TextFrom(channel->rest, 1)));
    NotifyChanged();
}

void CPageGPIO::StoreOutputType(const SDumpValue& value)
{
    // "$OTP3 4": one channel digit, the type two later.
    const std::optional<std::size_t> channel = ChannelDigit(value.text);
    if (!channel)
        return;
    m_fields.SetChoice(OutputTypeId(*channel), LeadingIndex(io::TextFrom(value.text, kFlagAt)));
    NotifyChanged();
}

void CPageGPIO::StoreInputFlag(const SDumpValue& value, std::string (*fieldId)(std::size_t))
{
    const std::optional<std::size_t> channel = ChannelDigit(value.text);
    if (!channel)
        return;
    const std::string_view flag = io::TextFrom(value.text, kFlagAt);
    m_fields.SetNumber(fieldId(*channel), !flag.empty() && flag.front() == '1' ? 1 : 0);
    NotifyChanged();
}

void CPageGPIO::StoreState(const SDumpValue& value)
{
    // "*IOI 2 0": the kind, one separator, the channel, one separator, the state.
    const std::string_view report = value.text;
    if (report.empty() || (report.front() != 'I' && report.front() != 'O'))
        return;
    const bool input = report.front() == 'I';
    const std::optional<io::SLeadingNumber> channel = io::LeadingNumber(io::TextFrom(report, 2), kMaxChannelDigits);
    if (!channel)
        return;
    // A report cut off before its state says nothing about the channel.
    const std::string_view state = io::TextFrom(channel->rest, 1);
    if (state.empty())
        return;
    const bool zero = state.front() == '0';
    const std::string& word = input ? m_words.inputChannel : m_words.outputChannel;
    const std::string& stateWord = input ? (zero ? m_words.inputClosed : m_words.inputOpen)
                                         : (zero ? m_words.outputOpen : m_words.outputClosed);
    CPageTable& states = m_tables.front();
    // An empty line parts the outputs from the inputs.
    if (!input && channel->value == 0)
        states.AddRow({std::string()});
    states.AddRow({FormatWire("%lld %s: %s", channel->value, word.c_str(), stateWord.c_str())});
    NotifyChanged();
}

CCommandList CPageGPIO::SettingCommands(ETarget) const
{
    const CFieldSet& f = m_fields;
    CCommandList commands;
    commands.push_back({FormatWire("%%DINURG%d%d%d%d\r", FlagDigit(f, InputUrgentId(0)), FlagDigit(f, InputUrgentId(1)),
                                   FlagDigit(f, InputUrgentId(2)), FlagDigit(f, InputUrgentId(3)))});
    commands.push_back({FormatWire("%%DINSND%d%d%d%d\r", FlagDigit(f, InputSoundId(0)), FlagDigit(f, InputSoundId(1)),
                                   FlagDigit(f, InputSoundId(2)), FlagDigit(f, InputSoundId(3)))});
    // Twelve numbers back to back; a type never set goes as -1, the terminal
    // takes the arguments by their layout.
    std::string types = "%IOTP";
    for (std::size_t n = 0; n < kShownInputs; ++n)
        types += std::to_string(f.Number(InputTypeId(n)));
    for (std::size_t n = 0; n < kOutputs; ++n)
        types += std::to_string(f.Number(OutputTypeId(n)));
    commands.push_back({types + "\r"});
    for (SCommand& command : PlainCommands({kRetainOutputs, kInput1Button, kSirenDuration}))
        commands.push_back(std::move(command));
    return commands;
}

} // namespace orlan
