#include <gtest/gtest.h>

#include "pages/AllPages.h"
#include "pages/Setting.h"

namespace orlan {
namespace {

std::string Formatted(SSetting setting, SFieldValue value)
{
    CFieldSet fields;
    fields.Add(setting.field, value);
    return FormatSetting(setting, fields).value_or("<none>");
}

SSetting Of(EFieldKind kind, std::string command, ETake take = ETake::ByKind)
{
    SFieldDesc desc{.id = "f", .kind = kind};
    if (kind == EFieldKind::Choice)
        desc.items = {{.text = "a"}, {.text = "b"}, {.text = "c"}};
    return {.field = desc, .take = take, .command = std::move(command)};
}

TEST(Setting, ValuesTakeTheirFormatsConversion)
{
    EXPECT_EQ(Formatted(Of(EFieldKind::Text, "%%POWDLY%s\r"), {.text = "30\r\n"}), "%POWDLY30\r");
    EXPECT_EQ(Formatted(Of(EFieldKind::Check, "%%BATEN%d\r"), {.number = 5}), "%BATEN1\r");
    EXPECT_EQ(Formatted(Of(EFieldKind::Choice, "%%BAND%2.2d\r"), {.number = 2}), "%BAND02\r");
    EXPECT_EQ(Formatted(Of(EFieldKind::Spin, "%%MASK%4.4x,%%\r"), {.text = "255"}), "%MASK00ff,%\r");
    EXPECT_EQ(Formatted(Of(EFieldKind::Text, "%%N%d\r"), {.text = "-12abc"}), "%N-12\r");
    EXPECT_EQ(Formatted(Of(EFieldKind::Text, "%%DESC %s\r", ETake::Ucs2Text), {.text = "Aя"}), "%DESC 0041044F\r");
    EXPECT_EQ(Formatted(Of(EFieldKind::Text, ""), {.text = "x"}), "<none>");
}

TEST(Setting, OnlyFormatsWithExactlyOneSafeConversionAreSettingFormats)
{
    EXPECT_TRUE(IsSettingFormat("%%A%s\r"));
    EXPECT_TRUE(IsSettingFormat("%%A%-08.3X%%\r"));
    EXPECT_FALSE(IsSettingFormat("%%A\r"));
    EXPECT_FALSE(IsSettingFormat("%%A%s%d\r"));
    EXPECT_FALSE(IsSettingFormat("%%A%n\r"));
    EXPECT_FALSE(IsSettingFormat("%%A%*d\r"));
    EXPECT_FALSE(IsSettingFormat("%%A%"));
}

TEST(Setting, EveryPagesSettingCommandIsASettingFormat)
{
    for (const auto& page : CreateAllPages()) {
        for (const SSetting& setting : page->Settings()) {
            if (!setting.command.empty()) {
                EXPECT_TRUE(IsSettingFormat(setting.command)) << page->Info().className << " " << setting.field.id;
            }
        }
    }
}

} // namespace
} // namespace orlan
