#include "pages/messages/MessageTextPages.h"

#include "console/WireFormat.h"

namespace orlan {

namespace {

constexpr std::string_view kSlotKey = "$SMS";
constexpr std::string_view kMessageDump = "%DUMP_ROMSMS\r";

STextListDesc MessageSlots(size_t rows, size_t firstSlot, bool unitBox)
{
    return {.rowKey = std::string(kSlotKey),
            .commandLetter = "S",
            .dumpRequest = std::string(kMessageDump),
            .rows = rows,
            .firstNumber = firstSlot,
            .headerKeys = {"LISTC0", "LISTC1"},
            .unitBox = unitBox};
}

} // namespace

CPageAllSms::CPageAllSms()
    : CTextListPage({.className = "CPageAllSms",
                     .section = "PageSms",
                     .navKey = "PAGE_SMS",
                     .profileTitle = "Rom Sms",
                     .defaultTickLimit = kMessageTicks,
                     .hasWriteBack = false},
                    MessageSlots(kRows, 0, false))
{
}

CPageDinAlarm::CPageDinAlarm()
    : CTextListPage({.className = "CPageDinAlarm",
                     .section = "PageSms",
                     .navKey = "PAGE_DINSMS",
                     .defaultTickLimit = kMessageTicks,
                     .hasWriteBack = false},
                    MessageSlots(kRows, 0, false))
{
}

CPageADSms::CPageADSms()
    : CTextListPage({.className = "CPageADSms",
                     .section = "PageADSms",
                     .defaultTickLimit = kMessageTicks,
                     .hasWriteBack = false,
                     .headingKey = "PAGE_ADCSMS"},
                    MessageSlots(kRows, kFirstSlot, true))
{
    m_fields.Add({.id = std::string(kHeaderField),
                  .kind = EFieldKind::Check,
                  .labelKey = "SMSHEAD",
                  .sendsOnChange = true});
}

std::vector<SDumpEntry> CPageADSms::DumpEntries()
{
    std::vector<SDumpEntry> entries = CTextListPage::DumpEntries();
    entries.push_back({"$AINSMH", [this](const SDumpValue& value) {
                           m_fields.SetNumber(kHeaderField, value.on ? 1 : 0);
                           NotifyChanged();
                       }});
    return entries;
}

CCommandList CPageADSms::OnFieldEdited(std::string_view fieldId)
{
    if (fieldId != kHeaderField)
        return {};
    // The terminal takes this one command name in lower case.
    return {{FormatWire("%%adsmsheaden%d\r", m_fields.Number(kHeaderField) != 0 ? 1 : 0)}};
}

} // namespace orlan
