#include "pages/fieldbus/Comm2Page.h"

#include "console/WireFormat.h"
#include "labels/LabelCatalogue.h"
#include "pages/FieldHelpers.h"

namespace orlan {

namespace {

constexpr std::string_view kBaud = "baud";
constexpr std::string_view kParity = "parity";
constexpr std::string_view kParityNote = "parityNote";
constexpr std::string_view kSection = "PageComm2";
constexpr std::string_view kNoParityKey = "NO_PARITY";
constexpr std::string_view kNoParityText = "Choose a parity: the terminal has not reported one, and Save sends "
                                           "nothing until a parity is chosen.";

SFieldDesc Captioned(SFieldDesc desc, std::string_view caption)
{
    desc.fixedLabel = std::string(caption);
    return desc;
}

constexpr char kPortFormat[] = "%%UART2CP%s,%d\r";

} // namespace

CPageComm2::CPageComm2()
    : CPage({.className = "CPageComm2",
             .section = std::string(kSection),
             .defaultAnswerWaitMs = 2000,
             .headingSection = std::string(kSection),
             .headingKey = "TITLE",
             .bracketedSave = false,
             .becomesCurrent = false})
{
    AddSetting({.field = Captioned(Whole(Text(kBaud)), "485 BPS"), .keys = {"$UART2BPS"}});
    SFieldDesc parity = Captioned(
        Choice(kParity, {}, FixedItems({"NONE", "ODD_PARITY", "EVEN_PARITY", "MASK_PARITY_0", "MASK_PARITY_1"})),
        "485 Parity");
    parity.noSelectionKey = std::string(kNoParityKey);
    AddSetting({.field = std::move(parity), .initial = kNoSelection, .keys = {"$UART2PARITY"}});
    SFieldDesc note = Text(kParityNote);
    note.readOnly = true;
    note.visibleWhen = {.field = std::string(kParity), .numbers = {-1}};
    m_fields.Add(std::move(note), {.text = std::string(kNoParityText)});
    AddProfileInverse(kPortFormat, IntoFields(m_fields, {std::string(kBaud), std::string(kParity)}));
}

void CPageComm2::LoadLabels(const CLabelCatalogue& catalogue)
{
    const std::string text = catalogue.Lookup(kNoParityKey, kSection);
    m_fields.SetText(kParityNote, text.empty() ? kNoParityText : text);
    NotifyChanged();
}

CCommandList CPageComm2::SettingCommands(ETarget) const
{
    if (!IsSelected(m_fields, kParity))
        return {};
    return {{FormatWire(kPortFormat, m_fields.LineText(kBaud).c_str(), m_fields.Number(kParity))}};
}

SPageJob CPageComm2::SaveJob() const
{
    // Without a parity nothing goes out, not even the read behind it; the
    // page says why beside the list.
    CCommandList commands = SettingCommands(ETarget::Terminal);
    const EJobEnd end = commands.empty() ? EJobEnd::Nothing : EJobEnd::ReadPage;
    return {.commands = std::move(commands), .bracketed = false, .end = end};
}

} // namespace orlan
