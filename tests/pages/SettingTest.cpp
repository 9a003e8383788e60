#include <gtest/gtest.h>

#include <algorithm>

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

TEST(Setting, EveryPlainCommandReadsBackIntoTheValueItWasWrittenFrom)
{
    // Each page's plain commands, written from sample values and read back
    // into a fresh page, give those values again: a profile's plain lines
    // load into the pages they came from.
    size_t checked = 0;
    const auto pages = CreateAllPages();
    const auto freshPages = CreateAllPages();
    auto same = [](EFieldKind kind, const SFieldValue& a, const SFieldValue& b) {
        return kind == EFieldKind::Check || kind == EFieldKind::Choice ? a.number == b.number : a.text == b.text;
    };
    for (const auto& written : pages) {
        for (const SSetting& setting : written->Settings()) {
            CFieldSet& fields = written->Fields();
            const size_t i = fields.IndexOf(setting.field.id);
            SFieldValue sample = fields.Value(i);
            if (setting.field.kind == EFieldKind::Check || setting.field.kind == EFieldKind::Choice)
                sample.number = 1;
            else
                sample.text = setting.take == ETake::Ucs2Text ? "Aя 5" : "12";
            // A value the field's rule refuses is not loaded: sample one it takes.
            if (!ValueError(setting.field, sample.text).empty())
                sample.text = std::to_string(setting.field.minimum);
            fields.SetValue(i, sample);
            const std::optional<std::string> command = FormatSetting(setting, fields);
            if (!command || SettingCommandMatch(setting, std::string_view(*command).substr(0, command->size() - 1)) == 0)
                continue;
            const auto& fresh = *std::find_if(freshPages.begin(), freshPages.end(), [&](const auto& p) {
                return p->Info().className == written->Info().className;
            });
            ASSERT_TRUE(fresh->TakeProfileCommand(std::string_view(*command).substr(0, command->size() - 1)))
                << written->Info().className << " " << *command;
            const size_t j = fresh->Fields().IndexOf(setting.field.id);
            EXPECT_TRUE(fresh->Fields().IsKnown(j)) << *command;
            EXPECT_TRUE(same(setting.field.kind, fresh->Fields().Value(j), sample))
                << written->Info().className << " " << *command << " -> " << fresh->Fields().Value(j).text;
            ++checked;
        }
    }
    EXPECT_GT(checked, 150u);
    CFieldSet none;
    EXPECT_FALSE(TakeSettingCommand({.field = {.id = "f"}, .command = "%%POWDLY%d\r"}, "%POWDLYabc", none));
    EXPECT_EQ(SettingCommandMatch({.field = {.id = "f"}, .command = "%%POWDLY%s\r"}, "%POWLS5"), 0u);
}

} // namespace
} // namespace orlan
