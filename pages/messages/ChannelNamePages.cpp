#include "pages/messages/ChannelNamePages.h"

#include "console/WireFormat.h"

namespace orlan {

namespace {

STextListDesc Names(std::string rowKey, std::string letter, std::string dumpRequest, size_t rows,
                    std::vector<std::string> headerKeys)
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
            .defaultTickLimit = kNameTicks,
            .hasWriteBack = false};
}

} // namespace

CPageDinName::CPageDinName()
    : CTextListPage(NamePage("CPageDinName", "PageDINName", "PAGE_DINAME", "Digital inputs Names"),
                    Names("$DINAME", "I", "%DUMP_GPIO\r", kRows, {"LISTC0", "LISTC1"}))
{
}

CPageDoutName::CPageDoutName()
    : CTextListPage(NamePage("CPageDoutName", "PageDOName", "PAGE_DONAME", "Digital outputs Names"),
                    Names("$DONAME", "O", "%DUMP_GPIO\r", kRows, {"LISTC0", "LISTC1"}))
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
                    Names("$ISNAME", "E", "%E99?\r", kRows, {"LISTC0", "LISTC1"}))
{
    m_fields.Add({.id = std::string(kHeaderField),
                  .kind = EFieldKind::Check,
                  .labelKey = "SMSHEAD",
                  .sendsOnChange = true});
}

std::vector<SDumpEntry> CPageISensorName::DumpEntries()
{
    return {{"$ISNAME", [this](const SDumpValue& value) { ParseNames(value.line); }},
            {"$ISSMH", [this](const SDumpValue& value) {
                 m_fields.SetNumber(kHeaderField, value.on ? 1 : 0);
                 NotifyChanged();
             }}};
}

void CPageISensorName::ParseNames(std::string_view line)
{
    // Every colon behind a digit starts one sensor's name: the digit is the
    // sensor, the hex follows the colon and one blank.
    for (size_t colon = line.find(':'); colon != std::string_view::npos; colon = line.find(':', colon + 1)) {
        if (colon == 0 || line[colon - 1] < '0' || line[colon - 1] > '9')
            continue;
        const size_t start = colon + 2;
        StoreText(line[colon - 1] - '0', start < line.size() ? line.substr(start) : std::string_view());
    }
}

CCommandList CPageISensorName::OnFieldEdited(std::string_view fieldId)
{
    if (fieldId != kHeaderField)
        return {};
    return {{FormatWire("%%ISENSORSMSHEADEN%d\r", m_fields.Number(kHeaderField) != 0 ? 1 : 0)}};
}

} // namespace orlan
