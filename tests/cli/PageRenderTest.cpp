// How orlan-cli prints pages: values as text and JSON, the page list and
// what a page's fields take.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/PageRender.h"
#include "labels/LabelCatalogue.h"
#include "pages/AllPages.h"

namespace orlan::test {
namespace {

std::unique_ptr<CPage> PageOfClass(std::string_view className)
{
    for (auto& page : CreateAllPages()) {
        if (page->Info().className == className)
            return std::move(page);
    }
    return nullptr;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST(PageRender, ValuesAreShownAsScriptsSetThem)
{
    CLabelCatalogue catalogue;
    catalogue.BindText("[Items]\nTEXT=Text mode\nARM=Arm\n");
    CFieldSet fields;
    fields.Add({.id = "on", .kind = EFieldKind::Check});
    fields.Add({.id = "mode", .kind = EFieldKind::Choice,
                .items = {{.text = "0: PDU"}, {.text = "1: ", .section = "Items", .key = "TEXT"}}});
    fields.Add({.id = "arm", .kind = EFieldKind::Choice,
                .items = {{.text = "00: Off"}, {.text = "01: ", .section = "Items", .key = "ARM"}, {.text = "Plain"}}});
    fields.Add({.id = "photo", .kind = EFieldKind::Image});
    fields.SetNumber("on", 5);
    fields.SetChoice("mode", 1);
    fields.SetText("photo", std::string(12, '\xff'));
    auto text = [&](std::string_view id) { return FieldValueText(fields, fields.IndexOf(id), catalogue); };

    EXPECT_EQ(text("on"), "1");
    EXPECT_EQ(text("mode"), "1: Text mode");
    // An item that carries its own number is not numbered twice; one that does not is.
    fields.SetChoice("arm", 1);
    EXPECT_EQ(text("arm"), "01: Arm");
    fields.SetChoice("arm", 2);
    EXPECT_EQ(text("arm"), "2: Plain");
    // A code the terminal sent beyond the list, and no selection at all.
    fields.SetChoice("arm", 7);
    EXPECT_EQ(text("arm"), "7 (not in the list)");
    fields.SetChoice("arm", -1);
    EXPECT_EQ(text("arm"), "-1");
    EXPECT_EQ(text("photo"), "(12 bytes of picture)");
}

TEST(PageRender, JsonEscapesWhatATerminalMayHoldInATextAndWritesNumbersForLists)
{
    CLabelCatalogue catalogue;
    const std::unique_ptr<CPage> page = PageOfClass("CPageBattery");
    ASSERT_TRUE(page);
    page->Fields().SetText("powerDelay", "1\"\\\n\x01");
    const std::string json = PageJson(*page, catalogue);
    EXPECT_NE(json.find(R"("powerDelay":{"value":null,"raw":"1\"\\\n\u0001")"), std::string::npos) << json;
    EXPECT_EQ(json.front(), '{');
    EXPECT_EQ(json.back(), '}');
    EXPECT_EQ(json.find('\n'), std::string::npos) << "one object, one line";
}

TEST(PageRender, JsonGivesEveryFieldOneTypeAndNamesEveryColumn)
{
    CLabelCatalogue catalogue;
    catalogue.BindText("[SYSCHAR]\nNO_X=No.\n");
    const std::unique_ptr<CPage> battery = PageOfClass("CPageBattery");
    ASSERT_TRUE(battery);
    const struct {
        const char* id;
        const char* text;  // nullptr: a switch set to `number`; "": never set
        int number;
        const char* json;
    } cases[] = {
        {"powerDelay", "", 0, R"("powerDelay":{"value":null,)"},
        {"powerDelay", "0042", 0, R"("powerDelay":{"value":42,)"},
        {"powerThreshold", "-12.50", 0, R"("powerThreshold":{"value":-12.5,)"},
        {"batteryAlarm", "", 0, R"("batteryAlarm":{"value":null,)"},
        {"batteryAlarm", nullptr, 1, R"("batteryAlarm":{"value":true,)"},
        {"batteryAlarm", nullptr, 0, R"("batteryAlarm":{"value":false,)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        const std::unique_ptr<CPage> page = PageOfClass("CPageBattery");
        if (c.text == nullptr)
            page->Fields().SetNumber(c.id, c.number);
        else if (*c.text != '\0')
            page->Fields().SetText(c.id, c.text);
        const std::string json = PageJson(*page, catalogue);
        EXPECT_NE(json.find(c.json), std::string::npos) << json;
    }

    const std::unique_ptr<CPage> phones = PageOfClass("CPageServer");
    ASSERT_TRUE(phones);
    phones->Tables().front().SetCell(2, 0, "+100");
    const std::string json = PageJson(*phones, catalogue);
    EXPECT_NE(json.find(R"("columns":[{"id":"LISTC1",)"), std::string::npos) << json;
    EXPECT_NE(json.find(R"({"label":"No.1","cells":{"LISTC1":null}})"), std::string::npos) << json;
    EXPECT_NE(json.find(R"({"label":"No.2","cells":{"LISTC1":"+100"}})"), std::string::npos) << json;
}

TEST(PageRender, PageTextHasAHeadingAFieldALineAndEveryTableRow)
{
    CLabelCatalogue catalogue;
    for (const auto& page : CreateAllPages()) {
        const std::vector<std::string> lines = Lines(PageText(*page, catalogue));
        const std::string& name = page->Info().className;
        size_t expected = 1 + page->Fields().Size();
        for (const CPageTable& table : page->Tables())
            expected += 1 + table.Rows();
        ASSERT_EQ(lines.size(), expected) << name;
        EXPECT_NE(lines[0].find("(" + name + ", "), std::string::npos) << lines[0];
        for (size_t i = 0; i < page->Fields().Size(); ++i)
            EXPECT_EQ(lines[1 + i].rfind("  " + page->Fields().Desc(i).id + " = ", 0), 0u) << lines[1 + i];
    }
}

TEST(PageRender, ThePageListIsAlignedAndSaysWhatEachPageHas)
{
    CLabelCatalogue catalogue;
    const std::vector<std::unique_ptr<CPage>> pages = CreateAllPages();
    const std::vector<std::string> lines = Lines(PageListText(pages, catalogue));
    ASSERT_EQ(lines.size(), pages.size() + 1);
    const size_t aliasColumn = lines[0].find("alias");
    ASSERT_NE(aliasColumn, std::string::npos);
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string& line = lines[i + 1];
        EXPECT_EQ(line.rfind(pages[i]->Info().className + " ", 0), 0u) << line;
        EXPECT_NE(line[aliasColumn], ' ') << line;
        EXPECT_EQ(line[aliasColumn - 1], ' ') << line;
    }
    const auto battery = std::find_if(lines.begin(), lines.end(),
                                      [](const std::string& line) { return line.starts_with("CPageBattery "); });
    ASSERT_NE(battery, lines.end());
    EXPECT_NE(battery->find(" battery "), std::string::npos);
    EXPECT_NE(battery->find(" yes "), std::string::npos) << "it has a Save";
}

TEST(PageRender, FieldListSaysWhatEachFieldTakes)
{
    CLabelCatalogue catalogue;
    const std::unique_ptr<CPage> page = PageOfClass("CPageBattery");
    ASSERT_TRUE(page);
    const std::vector<std::string> lines = Lines(PageFieldsText(*page, catalogue));
    ASSERT_EQ(lines.size(), 1 + page->Fields().Size());
    EXPECT_EQ(lines[0], "battery (CPageBattery, battery)") << "the alias stands in for a caption";
    EXPECT_EQ(lines[2].rfind("  batteryAlarm  switch 0/1    # ", 0), 0u) << lines[2];
}

} // namespace
} // namespace orlan::test
