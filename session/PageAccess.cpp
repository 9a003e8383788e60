#include "session/PageAccess.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <utility>

#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

constexpr std::pair<std::string_view, std::string_view> kAliases[] = {
    {"CPageMainParams", "main"},          {"CPageAlarmParams", "alarm"},
    {"CPageBattery", "battery"},          {"CPageBuzzer", "buzzer"},
    {"CPageUps", "ups"},                  {"CDataParams", "sms-data"},
    {"CPageUserCmd", "user-commands"},    {"CPageServer", "control-phones"},
    {"CPageSos", "sos-phone"},            {"CPageAllSms", "messages"},
    {"CPageADSms", "analog-messages"},    {"CPageDinAlarm", "input-messages"},
    {"CPageDinName", "input-names"},      {"CPageDoutName", "output-names"},
    {"CPageADName", "analog-names"},      {"CPageISensorName", "sensor-names"},
    {"CPagePriotab", "input-priorities"}, {"CPageAinprio", "analog-priorities"},
    {"CPageSysPrio", "system-priorities"}, {"CPageWinPrio", "zone-priorities"},
    {"CPageMTimer", "timers"},            {"CWeekTimerPage", "weekly-timers"},
    {"CPageRname", "register-names"},     {"CPageGPIO", "io-types"},
    {"CPageCio", "linkage"},              {"CPageInterlock", "interlocks"},
    {"CPageDinParams", "input-timing"},   {"CPageCounter", "counters"},
    {"CPageDinCt", "counter-setup"},      {"CPageRfZone", "rf-zones"},
    {"CPageDin3G", "3g-inputs"},          {"CPageAD", "analog"},
    {"CPageAdcExt", "analog-ext"},        {"CPageTemp", "temperature"},
    {"CPageExtTemp", "ext-temperature"},  {"CPageHumidity", "humidity"},
    {"CPageGSensor", "motion"},           {"CPageGraycode", "encoder"},
    {"CPageGPRS", "gprs"},                {"CPageHttp", "http"},
    {"CPageEmail", "email"},              {"CPageMmsSetup", "mms"},
    {"CPage3GMMS", "3g-mms"},             {"CPageMbusParams", "modbus"},
    {"CPageComm2", "uart2"},              {"CPage62056", "meter"},
    {"CPageComm", "console"},             {"CPageExTmpRcd", "temp-records"},
    {"CPageExtTmpLog", "temp-log"},       {"CPageEvents", "events"},
};

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

std::optional<long long> ParseInteger(std::string_view text)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return value;
}

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string FieldIds(const CFieldSet& fields)
{
    std::string ids;
    for (const SFieldDesc& desc : fields.Descs())
        ids += (ids.empty() ? "" : ", ") + desc.id;
    return ids;
}

std::string ColumnCaption(const CPageTable& table, size_t column, const std::string& section,
                          const CLabelCatalogue& catalogue)
{
    const STableDesc& desc = table.Desc();
    const size_t key = column + (desc.numberedRows ? 1 : 0);
    std::string caption = key < desc.headerKeys.size() ? catalogue.Lookup(desc.headerKeys[key], section) : "";
    if (caption.empty() && key < desc.fixedHeaders.size())
        caption = desc.fixedHeaders[key];
    return caption.empty() ? "column " + std::to_string(column) : caption;
}

} // namespace

std::string_view PageAlias(std::string_view className)
{
    for (const auto& [name, alias] : kAliases) {
        if (name == className)
            return alias;
    }
    return {};
}

CPage* FindPageByName(const CTerminalSession& session, std::string_view name)
{
    for (const auto& page : session.Pages()) {
        const std::string& className = page->Info().className;
        if (SameIgnoringCase(className, name) || SameIgnoringCase(PageAlias(className), name))
            return page.get();
    }
    return nullptr;
}

std::string PageCaption(const CPage& page, const CLabelCatalogue& catalogue)
{
    const SPageInfo& info = page.Info();
    std::string caption;
    if (!info.headingKey.empty())
        caption = catalogue.Lookup(info.headingKey, info.headingSection.empty() ? "TABS" : info.headingSection);
    if (caption.empty() && !info.navKey.empty())
        caption = catalogue.Lookup(info.navKey, "TABS");
    return caption.empty() ? std::string(PageAlias(info.className)) : caption;
}

std::string FieldCaption(const SFieldDesc& desc, const std::string& section, const CLabelCatalogue& catalogue)
{
    std::string caption = desc.labelKey.empty() ? std::string() : catalogue.Lookup(desc.labelKey, section);
    if (caption.empty())
        caption = desc.fixedLabel;
    return caption.empty() ? desc.id : caption;
}

std::string ChoiceItemCaption(const SChoiceItem& item, const CLabelCatalogue& catalogue)
{
    const std::string word = item.key.empty() ? std::string() : catalogue.Lookup(item.key, item.section);
    return item.text + (word.empty() ? item.fallback : word);
}

bool PageInNavigation(const CPage& page)
{
    const std::string& key = page.Info().navKey;
    for (const NavigationFolderKeys& folder : kNavigationFolders) {
        if (std::find(folder.items.begin(), folder.items.end(), key) != folder.items.end())
            return true;
    }
    return false;
}

std::string PageListText(const std::vector<std::unique_ptr<CPage>>& pages, const CLabelCatalogue& catalogue)
{
    struct SRow {
        std::string cells[6];
        std::string title;
    };
    std::vector<SRow> rows = {{{"class", "alias", "save", "table rows", "profile", "navigation"}, "title"}};
    for (const auto& page : pages) {
        const SPageInfo& info = page->Info();
        std::string tables;
        for (const CPageTable& table : page->Tables()) {
            const STableDesc& desc = table.Desc();
            // A growing list has the rows it received, up to its limit.
            const std::string rowCount = desc.order == ERowOrder::Fixed ? std::to_string(table.Rows())
                                         : desc.rowLimit > 0            ? "<=" + std::to_string(desc.rowLimit)
                                                                        : "any";
            tables += (tables.empty() ? "" : "+") + rowCount;
        }
        rows.push_back({{info.className, std::string(PageAlias(info.className)), info.hasWriteBack ? "yes" : "no",
                         tables.empty() ? "-" : tables, info.profileTitle.empty() ? "no" : "yes",
                         PageInNavigation(*page) ? "yes" : "no"},
                        PageCaption(*page, catalogue)});
    }
    size_t widths[6] = {};
    for (const SRow& row : rows) {
        for (size_t c = 0; c < 6; ++c)
            widths[c] = std::max(widths[c], row.cells[c].size());
    }
    std::string out;
    for (const SRow& row : rows) {
        for (size_t c = 0; c < 6; ++c)
            out += row.cells[c] + std::string(widths[c] - row.cells[c].size() + 2, ' ');
        out += row.title + "\n";
    }
    return out;
}

std::string FieldValueText(const CFieldSet& fields, size_t i, const CLabelCatalogue& catalogue)
{
    const SFieldDesc& desc = fields.Desc(i);
    const SFieldValue& value = fields.Value(i);
    switch (desc.kind) {
    case EFieldKind::Check:
        return value.number != 0 ? "1" : "0";
    case EFieldKind::Choice:
        if (value.number < 0)
            return "-1";
        if (fields.IsOutsideList(i))
            return std::to_string(value.number) + " (not in the list)";
    {
        const std::string index = std::to_string(value.number);
        const std::string caption = ChoiceItemCaption(desc.items[static_cast<size_t>(value.number)], catalogue);
        // Many items carry their number already ("01: Arm").
        const size_t digits = caption.find_first_not_of("0123456789");
        const bool numbered = digits > 0 && digits != std::string::npos && caption[digits] == ':'
                              && ParseInteger(std::string_view(caption).substr(0, digits)) == value.number;
        return numbered ? caption : index + ": " + caption;
    }
    case EFieldKind::Image:
        return "(" + std::to_string(value.text.size()) + " bytes of picture)";
    default:
        return value.text;
    }
}

std::string SetFieldFromText(CFieldSet& fields, std::string_view id, std::string_view text,
                             const CLabelCatalogue& catalogue)
{
    if (!fields.Has(id))
        return "no field \"" + std::string(id) + "\"; the fields are: " + FieldIds(fields);
    const size_t i = fields.IndexOf(id);
    const SFieldDesc& desc = fields.Desc(i);
    const std::string named = "field \"" + desc.id + "\"";
    if (desc.readOnly || desc.kind == EFieldKind::Image)
        return named + " cannot be set";
    SFieldValue value = fields.Value(i);
    switch (desc.kind) {
    case EFieldKind::Check: {
        static constexpr std::array<std::string_view, 4> on = {"1", "on", "true", "yes"};
        static constexpr std::array<std::string_view, 4> off = {"0", "off", "false", "no"};
        auto matches = [text](std::string_view word) { return SameIgnoringCase(word, text); };
        if (std::any_of(on.begin(), on.end(), matches))
            value.number = 1;
        else if (std::any_of(off.begin(), off.end(), matches))
            value.number = 0;
        else
            return named + " is a switch: give 0/1, on/off, true/false or yes/no";
        break;
    }
    case EFieldKind::Choice: {
        std::optional<long long> index = ParseInteger(text);
        if (!index) {
            for (size_t item = 0; item < desc.items.size(); ++item) {
                const std::string caption = ChoiceItemCaption(desc.items[item], catalogue);
                if (SameIgnoringCase(caption, text) || SameIgnoringCase(desc.items[item].text, text))
                    index = static_cast<long long>(item);
            }
        }
        if (!index || *index < 0 || static_cast<size_t>(*index) >= desc.items.size())
            return named + " is a list of " + std::to_string(desc.items.size())
                   + " items: give an index from 0 or an item's text";
        value.number = static_cast<int>(*index);
        break;
    }
    case EFieldKind::Spin: {
        const std::optional<long long> number = ParseInteger(text);
        if (!number || *number < desc.minimum || *number > desc.maximum)
            return named + " takes a whole number from " + std::to_string(desc.minimum) + " to "
                   + std::to_string(desc.maximum);
        value.text = std::to_string(*number);
        break;
    }
    default:
        if (const std::string why = ValueError(desc, text); !why.empty())
            return named + " " + why;
        value.text = std::string(text);
        break;
    }
    fields.Edit(i, std::move(value));
    return {};
}

std::string ApplySettings(CFieldSet& fields, const std::vector<std::string>& assignments,
                          const CLabelCatalogue& catalogue)
{
    for (const std::string& assignment : assignments) {
        const size_t equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0)
            return "\"" + assignment + "\" is not ID=VALUE";
        std::string error = SetFieldFromText(fields, std::string_view(assignment).substr(0, equals),
                                             std::string_view(assignment).substr(equals + 1), catalogue);
        if (!error.empty())
            return error;
    }
    return {};
}

std::string PageJson(const CPage& page, const CLabelCatalogue& catalogue)
{
    const SPageInfo& info = page.Info();
    std::string out = "{\"class\":" + JsonString(info.className) + ",\"alias\":" + JsonString(PageAlias(info.className))
                      + ",\"caption\":" + JsonString(PageCaption(page, catalogue)) + ",\"fields\":{";
    const CFieldSet& fields = page.Fields();
    for (size_t i = 0; i < fields.Size(); ++i) {
        const SFieldDesc& desc = fields.Desc(i);
        const SFieldValue& value = fields.Value(i);
        const bool numeric = desc.kind == EFieldKind::Check || desc.kind == EFieldKind::Choice;
        out += (i == 0 ? "" : ",") + JsonString(desc.id) + ":{\"value\":"
               + (numeric ? std::to_string(value.number) : JsonString(FieldValueText(fields, i, catalogue)))
               + ",\"caption\":" + JsonString(FieldCaption(desc, info.section, catalogue))
               + ",\"hidden\":" + (desc.hidden ? "true" : "false")
               + ",\"known\":" + (fields.IsKnown(i) ? "true" : "false") + "}";
    }
    out += "},\"tables\":[";
    for (size_t t = 0; t < page.Tables().size(); ++t) {
        const CPageTable& table = page.Tables()[t];
        out += (t == 0 ? "" : ",") + std::string("[");
        for (size_t row = 0; row < table.Rows(); ++row) {
            out += (row == 0 ? "" : ",") + std::string("[");
            for (size_t column = 0; column < table.Desc().dataColumns; ++column)
                out += (column == 0 ? "" : ",") + JsonString(table.Cell(row, column));
            out += "]";
        }
        out += "]";
    }
    return out + "]}";
}

namespace {

std::string FieldKindText(const SFieldDesc& desc, const CLabelCatalogue& catalogue)
{
    switch (desc.kind) {
    case EFieldKind::Check:
        return "switch 0/1";
    case EFieldKind::Choice: {
        std::string items = "list";
        for (size_t i = 0; i < desc.items.size(); ++i)
            items += (i == 0 ? " " : ", ") + std::to_string(i) + "=" + ChoiceItemCaption(desc.items[i], catalogue);
        return items;
    }
    case EFieldKind::Spin:
        return "number " + std::to_string(desc.minimum) + ".." + std::to_string(desc.maximum);
    case EFieldKind::MultiLine:
        return "text, several lines";
    case EFieldKind::Image:
        return "picture";
    case EFieldKind::Text:
        break;
    }
    return desc.digitsOnly ? "digits" : "text, one line";
}

// "Siren (CPageBuzzer, buzzer)" and a line end.
std::string PageHeading(const CPage& page, const CLabelCatalogue& catalogue)
{
    const std::string& name = page.Info().className;
    return PageCaption(page, catalogue) + " (" + name + ", " + std::string(PageAlias(name)) + ")\n";
}

} // namespace

std::string PageFieldsText(const CPage& page, const CLabelCatalogue& catalogue)
{
    const SPageInfo& info = page.Info();
    std::string out = PageHeading(page, catalogue);
    const CFieldSet& fields = page.Fields();
    for (size_t i = 0; i < fields.Size(); ++i) {
        const SFieldDesc& desc = fields.Desc(i);
        const std::string notes = std::string(desc.hidden ? ", hidden" : "") + (desc.readOnly ? ", read only" : "")
                                  + (desc.sendsOnChange ? ", written at once" : "");
        out += "  " + desc.id + "  " + FieldKindText(desc, catalogue) + notes + "    # "
               + FieldCaption(desc, info.section, catalogue) + "\n";
    }
    for (size_t t = 0; t < page.Tables().size(); ++t) {
        const STableDesc& desc = page.Tables()[t].Desc();
        out += "  table " + std::to_string(t) + " (" + desc.id + "): " + std::to_string(page.Tables()[t].Rows())
               + " rows\n";
        const size_t first = desc.numberedRows ? 1 : 0;
        for (size_t column = 0; column < desc.dataColumns; ++column) {
            const size_t header = column + first;
            const std::string caption = header < desc.headerKeys.size() && !desc.headerKeys[header].empty()
                                            ? catalogue.Lookup(desc.headerKeys[header], info.section)
                                            : std::string();
            out += "    column " + std::to_string(column) + (caption.empty() ? "" : "    # " + caption) + "\n";
        }
    }
    return out;
}

std::string PageText(const CPage& page, const CLabelCatalogue& catalogue)
{
    const SPageInfo& info = page.Info();
    std::string out = PageHeading(page, catalogue);
    const CFieldSet& fields = page.Fields();
    for (size_t i = 0; i < fields.Size(); ++i) {
        const SFieldDesc& desc = fields.Desc(i);
        out += "  " + desc.id + " = " + FieldValueText(fields, i, catalogue) + "    # "
               + FieldCaption(desc, info.section, catalogue) + (desc.hidden ? " (hidden)" : "") + "\n";
    }
    for (size_t t = 0; t < page.Tables().size(); ++t) {
        const CPageTable& table = page.Tables()[t];
        out += "  table " + std::to_string(t) + ":";
        for (size_t column = 0; column < table.Desc().dataColumns; ++column)
            out += (column == 0 ? " " : " | ") + ColumnCaption(table, column, info.section, catalogue);
        out += "\n";
        for (size_t row = 0; row < table.Rows(); ++row) {
            out += "    " + std::to_string(row) + ":";
            for (size_t column = 0; column < table.Desc().dataColumns; ++column)
                out += (column == 0 ? " " : " | ") + table.Cell(row, column);
            out += "\n";
        }
    }
    return out;
}

} // namespace orlan
