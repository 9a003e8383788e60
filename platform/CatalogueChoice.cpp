#include "platform/CatalogueChoice.h"

#include <algorithm>

namespace orlan {

namespace {

// Locale names come as "zh_CN", "zh-Hans-SG", "ru_RU.UTF-8" or "C".
std::vector<std::string> LocaleParts(std::string_view name)
{
    name = name.substr(0, name.find_first_of(".@"));
    std::vector<std::string> parts;
    std::string part;
    for (const char c : name) {
        if (c == '_' || c == '-') {
            parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    parts.push_back(part);
    return parts;
}

bool IsShipped(std::string_view language)
{
    return std::find(kCatalogueLanguages.begin(), kCatalogueLanguages.end(), language) != kCatalogueLanguages.end();
}

} // namespace

std::string CatalogueLanguageOf(std::string_view localeName)
{
    const std::vector<std::string> parts = LocaleParts(localeName);
    const std::string& language = parts.front();
    if (language == "en" || language == "ru")
        return language;
    if (language != "zh")
        return {};
    // Simplified script unless the name says traditional or a region that
    // writes it.
    for (size_t i = 1; i < parts.size(); ++i) {
        if (parts[i] == "Hant" || parts[i] == "TW" || parts[i] == "HK" || parts[i] == "MO")
            return {};
    }
    return "zh_CN";
}

std::string CatalogueFileNameFor(std::string_view language)
{
    if (language.empty() || language == kEnglish)
        return "gsm.ini";
    return "gsm." + std::string(language) + ".ini";
}

SCatalogueChoice ChooseCatalogue(bool workingDirectoryHasCatalogue, std::string_view remembered,
                                 std::string_view systemLocale,
                                 const std::function<bool(std::string_view language)>& installed)
{
    if (workingDirectoryHasCatalogue)
        return {true, {}};
    if (IsShipped(remembered) && installed(remembered))
        return {false, std::string(remembered)};
    const std::string system = CatalogueLanguageOf(systemLocale);
    if (!system.empty() && installed(system))
        return {false, system};
    return {false, std::string(kEnglish)};
}

std::vector<std::filesystem::path> InstalledCatalogueCandidates(const std::filesystem::path& exeDir,
                                                                std::string_view language)
{
    const std::string name = CatalogueFileNameFor(language);
    return {exeDir / ".." / "share" / "orlan" / name, exeDir / name};
}

} // namespace orlan
