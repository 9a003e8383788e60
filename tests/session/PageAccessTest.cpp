// Pages and values as scripts address them, and profiles compared.
#include <gtest/gtest.h>

#include <set>

#include "labels/LabelCatalogue.h"
#include "pages/AllPages.h"
#include "session/PageAccess.h"
#include "session/PageOrders.h"
#include "session/ProfileDiff.h"
#include "session/TerminalSession.h"
#include "support/ManualClock.h"
#include "support/RecordingSink.h"

namespace orlan::test {
namespace {

TEST(PageAccess, EveryPageClassHasItsOwnAliasAndPagesAnswerToEitherName)
{
    std::set<std::string_view> aliases;
    for (std::string_view name : AllPageClasses()) {
        const std::string_view alias = PageAlias(name);
        EXPECT_FALSE(alias.empty()) << name;
        EXPECT_TRUE(aliases.insert(alias).second) << alias << " twice";
        EXPECT_EQ(alias.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"), std::string_view::npos) << alias;
    }
    CRecordingSink sink;
    CManualClock clock;
    ISessionView view;
    CTerminalSession session{view, sink, clock};
    for (auto& page : CreateAllPages())
        session.AddPage(std::move(page));
    EXPECT_EQ(FindPageByName(session, "cpagebattery"), session.FindPage("CPageBattery"));
    EXPECT_EQ(FindPageByName(session, "Battery"), session.FindPage("CPageBattery"));
    EXPECT_EQ(FindPageByName(session, "no-such-page"), nullptr);
}

TEST(PageAccess, ValuesFromTextFollowTheRulesOfTypedValues)
{
    CLabelCatalogue catalogue;
    catalogue.BindText("[Items]\nTEXT=Text mode\n");
    CFieldSet fields;
    fields.Add({.id = "on", .kind = EFieldKind::Check});
    fields.Add({.id = "mode", .kind = EFieldKind::Choice, .items = {{.text = "0: PDU"}, {.text = "1: ", .section = "Items", .key = "TEXT"}}});
    fields.Add({.id = "level", .kind = EFieldKind::Spin, .minimum = 0, .maximum = 36});
    fields.Add({.id = "name", .kind = EFieldKind::Text});
    fields.Add({.id = "reading", .kind = EFieldKind::Text, .readOnly = true});

    EXPECT_EQ(ApplySettings(fields, {"on=Yes", "mode=1: text mode", "level=36", "name=ab"}, catalogue), "");
    EXPECT_EQ(fields.Number("on"), 1);
    EXPECT_EQ(fields.Number("mode"), 1);
    EXPECT_EQ(fields.Text("level"), "36");
    EXPECT_EQ(fields.Text("name"), "ab");
    // Typed values are known, and count as edits.
    for (std::string_view id : {"on", "mode", "level", "name"}) {
        EXPECT_TRUE(fields.IsKnown(id)) << id;
        EXPECT_TRUE(fields.IsEdited(fields.IndexOf(id))) << id;
    }

    // A line break would end the command early; a value longer than the
    // terminal's line would be refused whole, after a read in vain.
    for (const std::string& bad : std::vector<std::string>{"on=maybe", "mode=2", "mode=ASCII", "level=37", "level=5x", "reading=1", "nothing=1",
                                  "=1", "name=a\r\nb", "name=" + std::string(1001, 'x')}) {
        CFieldSet before = fields;
        EXPECT_NE(ApplySettings(fields, {bad}, catalogue), "") << bad;
        for (size_t i = 0; i < fields.Size(); ++i)
            EXPECT_EQ(fields.Value(i).text, before.Value(i).text) << bad;
    }
    EXPECT_NE(ApplySettings(fields, {"nothing=1"}, catalogue).find("on, mode, level, name, reading"), std::string::npos)
        << "a refusal names the ids that exist";
}

TEST(ProfileDiff, ComparesSectionsCommandByCommandIgnoringBracketsAndLineEnds)
{
    const std::string saved = "\r\r\n//Page A\r\r\n\r\n%X1\r\r\n%Y2\r\r\n\r\r\n//Page B\r\r\n%Z3\r\r\n";
    const std::string same = "%STARTCMD\n//Page A\n%X1\n%Y2\n//Page B\n%Z3\n%COMMITCMD\n";
    EXPECT_TRUE(DiffProfiles(saved, same).empty());

    const std::string changed = "//Page A\n%X1\n%Y9\n//Page C\n%W\n";
    const std::vector<SSectionDiff> diff = DiffProfiles(saved, changed);
    ASSERT_EQ(diff.size(), 3u);
    EXPECT_EQ(diff[0].title, "A");
    EXPECT_EQ(diff[0].lines, (std::vector<std::string>{"-%Y2", "+%Y9"}));
    EXPECT_EQ(diff[1].lines, (std::vector<std::string>{"-%Z3"}));
    EXPECT_EQ(diff[2].title, "C");
    EXPECT_EQ(DiffText(diff, "want", "have").substr(0, 21), "--- want\n+++ have\n@@ ");

    // What a run of `saved` did not achieve on a terminal now holding `changed`:
    // only its own commands, the terminal's extra section not counted.
    EXPECT_EQ(CommandsNotHeld(saved, changed), (std::vector<std::string>{"%Y2", "%Z3"}));
    EXPECT_TRUE(CommandsNotHeld(same, saved + "//Page D\r\n%V1\r\n").empty());
}

} // namespace
} // namespace orlan::test
