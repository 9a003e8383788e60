#include "pages/messages/ChannelNamePages.h"

#include "console/TextScan.h"
#include "pages/FieldHelpers.h"

namespace orlan {

namespace {

STextListDesc Names(std::string rowKey, std::string letter, std::string dumpRequest, size_t rows,
                    std::vector<std::string> headerKeys = {"LISTC0", "LISTC1"})
{
    return {.rowKey = std::move(rowKey),
            .commandLetter = std::move(letter),
            .dumpRequest = std::move(dumpRequest),
            .rows = rows,
            .headerKeys = std::move(headerKeys)};
}

SPageInfo NamePage(std::string className, std::string section, std::string navKey, std::string profileTitle)
{
    return {.className = std::move(className),
            .section = std::move(section),
            .navKey = std::move(navKey),
            .profileTitle = std::move(profileTitle),
            .defaultAnswerWaitMs = kNameWaitMs};
}

} // namespace

CPageDinName::CPageDinName()
    : CTextListPage(NamePage("CPageDinName", "PageDINName", "PAGE_DINAME", "Digital inputs Names"),
                    Names("$DINAME", "I", "%DUMP_GPIO\r", kRows))
{
}

CPageDoutName::CPageDoutName()
    : CTextListPage(NamePage("CPageDoutName", "PageDOName", "PAGE_DONAME", "Digital outputs Names"),
                    Names("$DONAME", "O", "%DUMP_GPIO\r", kRows))
{
}

CPageADName::CPageADName()
    : CTextListPage(NamePage("CPageADName", "PageADSms", "", ""),
                    Names("$ADNAME", "A", "%DUMP_ADS\r", kRows, {"NAME_LISTC0", "NAME_LISTC1"}))
{
    m_info.headingKey = "PAGE_ADCNAME";
}

CPageISensorName::CPageISensorName()
    : CTextListPage(NamePage("CPageISensorName", "PageISNName", "PAGE_SENSORNAME", "ISensor Names"),
                    Names("$ISNAME", "E", "%E99?\r", kRows))
{
    AddSetting({.field = SendsOnChange(Flag(kHeaderField, "SMSHEAD")),
                .keys = {"$ISSMH"},
                .command = "%%ISENSORSMSHEADEN%d\r"});
}

void CPageISensorName::TakeRow(const SDumpValue& value)
{
    const std::string_view line = value.line;
    // Every colon behind a digit starts one sensor's name: the digit is the
    // sensor, the hex follows the colon and one blank.
    for (size_t colon = line.find(':'); colon != std::string_view::npos; colon = line.find(':', colon + 1)) {
        if (colon == 0 || !IsDigit(line[colon - 1]))
            continue;
        const size_t start = colon + 2;
        StoreText(line[colon - 1] - '0', start < line.size() ? line.substr(start) : std::string_view());
    }
}

} // namespace orlan
