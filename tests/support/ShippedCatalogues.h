#pragma once
// The catalogues shipped with the program, for the tests that check each.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

namespace orlan::test {

struct SShippedCatalogue {
    std::string_view language;
    std::string_view path;  // relative to the source tree
};

inline constexpr std::array<SShippedCatalogue, 3> kShippedCatalogues = {{
    {"en", "gsm.ini"},
    {"ru", "catalogues/gsm.ru.ini"},
    {"zh_CN", "catalogues/gsm.zh_CN.ini"},
}};

inline void PrintTo(const SShippedCatalogue& catalogue, std::ostream* out)
{
    *out << catalogue.path;
}

inline std::filesystem::path ShippedCataloguePath(const SShippedCatalogue& catalogue)
{
    return std::filesystem::path(ORLAN_SOURCE_DIR) / catalogue.path;
}

// Names the parameterised cases after the language (gtest's name generator).
inline std::string CatalogueCaseName(const ::testing::TestParamInfo<SShippedCatalogue>& info)
{
    return std::string(info.param.language);
}

} // namespace orlan::test
