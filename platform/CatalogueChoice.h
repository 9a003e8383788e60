#pragma once
// Which label catalogue a program reads: gsm.ini of the working directory
// (so a folder can carry its own texts), else the installed catalogue of the
// language the user chose, else of the system's language, else English.
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

// Languages a catalogue is shipped for; "en" is gsm.ini itself.
inline constexpr std::string_view kEnglish = "en";
inline constexpr std::array<std::string_view, 3> kCatalogueLanguages = {kEnglish, "ru", "zh_CN"};

// The shipped language a locale name asks for ("ru_RU" -> "ru",
// "zh_CN"/"zh-Hans-SG" -> "zh_CN", "en_GB" -> "en"); empty when none fits
// (traditional Chinese, or a language without a catalogue).
std::string CatalogueLanguageOf(std::string_view localeName);

// "gsm.ini" for English, "gsm.<language>.ini" for the others.
std::string CatalogueFileNameFor(std::string_view language);

struct SCatalogueChoice {
    bool workingDirectory = false;  // the working directory's gsm.ini
    std::string language;           // otherwise the installed one of this language
    bool operator==(const SCatalogueChoice&) const = default;
};

// The decision alone. `remembered` is the stored preference (empty: follow
// the system); `installed` says whether a language's catalogue exists.
SCatalogueChoice ChooseCatalogue(bool workingDirectoryHasCatalogue, std::string_view remembered,
                                 std::string_view systemLocale,
                                 const std::function<bool(std::string_view language)>& installed);

// Where a language's catalogue is looked for: installed beside the program
// (<exe dir>/../share/orlan) or copied next to it (a build tree).
std::vector<std::filesystem::path> InstalledCatalogueCandidates(const std::filesystem::path& exeDir,
                                                                std::string_view language);

} // namespace orlan
