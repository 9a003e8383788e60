#include "session/PageAccess.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "console/TextScan.h"
#include "pages/PageIdentity.h"
#include "pages/messages/TextListPage.h"
#include "session/TerminalSession.h"

namespace orlan {

namespace {

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

std::string FieldIds(const CFieldSet& fields)
{
    std::string ids;
    for (const SFieldDesc& desc : fields.Descs())
        ids += (ids.empty() ? "" : ", ") + desc.id;
    return ids;
}

} // namespace

std::string_view PageAlias(std::string_view className)
{
    const SPageIdentity* identity = FindPageIdentity(className);
    return identity != nullptr ? identity->alias : std::string_view();
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

std::string ListedName(const CPage* page, size_t row)
{
    const auto* list = dynamic_cast<const CTextListPage*>(page);
    if (list == nullptr || row >= list->Rows())
        return {};
    return std::string(Trimmed(list->Text(row)));
}

std::string OutputName(const CTerminalSession& session, int output)
{
    return output < 0 ? std::string() : ListedName(session.FindPage("CPageDoutName"), static_cast<size_t>(output));
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

} // namespace orlan
