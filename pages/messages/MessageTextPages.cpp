#include "pages/messages/MessageTextPages.h"

#include "pages/FieldHelpers.h"

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
                     .defaultAnswerWaitMs = kMessageWaitMs},
                    MessageSlots(kRows, 0, false))
{
}

CPageDinAlarm::CPageDinAlarm()
    : CTextListPage({.className = "CPageDinAlarm",
                     .section = "PageSms",
                     .navKey = "PAGE_DINSMS",
                     .defaultAnswerWaitMs = kMessageWaitMs},
                    MessageSlots(kRows, 0, false))
{
}

CPageADSms::CPageADSms()
    : CTextListPage({.className = "CPageADSms",
                     .section = "PageADSms",
                     .defaultAnswerWaitMs = kMessageWaitMs,
                     .headingKey = "PAGE_ADCSMS"},
                    MessageSlots(kRows, kFirstSlot, true))
{
    // The terminal takes this one command name in lower case.
    AddSetting({.field = SendsOnChange(Flag(kHeaderField, "SMSHEAD")),
                .keys = {"$AINSMH"},
                .command = "%%adsmsheaden%d\r"});
}

} // namespace orlan
