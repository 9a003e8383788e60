// Never write what was not read: a page sends (or saves) a command only when
// every value it carries was read, typed or worked out from what was read;
// what it leaves out it names; a code beyond a list goes back as it came;
// typed values a field cannot hold are refused before anything is sent.
#include <gtest/gtest.h>

#include <algorithm>

#include "SessionHarness.h"
#include "pages/KnownValues.h"
#include "pages/contacts/PhoneEditor.h"
#include "pages/io/GpioPage.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;

bool Names(const SLeftOut& left, std::string_view id)
{
    return std::any_of(left.unknown.begin(), left.unknown.end(),
                       [id](const SUnknownValue& value) { return value.id == id; });
}

// Every page as built, and after a read cleared it: nothing is known, so
// nothing goes out and its profile section is its header alone.
TEST(KnownValues, APageNothingOfWhichWasReadSendsAndSavesNothing)
{
    CSessionHarness h;
    for (const auto& page : h.session.Pages()) {
        for (bool cleared : {false, true}) {
            if (cleared)
                page->Clear();
            const std::string name = page->Info().className + (cleared ? " cleared" : " as built");
            std::vector<SLeftOut> leftOut;
            if (page->Info().hasWriteBack) {
                EXPECT_EQ(Texts(KnownSaveJob(*page, leftOut).commands), Blocks{}) << name;
            }
            CProfileText section;
            WriteKnownProfileSection(*page, section, leftOut);
            EXPECT_EQ(section.Bytes().find('%'), std::string::npos) << name;
        }
    }
}

TEST(KnownValues, ACommandWithAnUnreportedPartIsLeftOutAndNamed)
{
    CSessionHarness h;
    CPageGPIO& gpio = h.Page<CPageGPIO>("CPageGPIO");
    // One input type of twelve, the siren duration, the urgent flags whole.
    h.Feed({"$ITP0 1", "$IOHT 15", "$DINURG0 1", "$DINURG1 0", "$DINURG2 0", "$DINURG3 1"});
    std::vector<SLeftOut> leftOut;
    const Blocks sent = Texts(KnownSaveJob(gpio, leftOut).commands);
    EXPECT_EQ(sent, (Blocks{"%DINURG1001\r", "%IOHT15\r"}));
    const auto types = std::find_if(leftOut.begin(), leftOut.end(),
                                    [](const SLeftOut& left) { return left.command.starts_with("%IOTP"); });
    ASSERT_NE(types, leftOut.end());
    EXPECT_TRUE(Names(*types, CPageGPIO::InputTypeId(1)));
    EXPECT_FALSE(Names(*types, CPageGPIO::InputTypeId(0)));
    EXPECT_FALSE(types->carriesEdit);

    // A typed type in that command cannot go out without the others: the
    // report says the edit was not written, and the field stays an edit.
    CFieldSet& f = gpio.Fields();
    f.Edit(f.IndexOf(CPageGPIO::InputTypeId(0)), {.number = 2});
    h.session.WriteBack(gpio);
    for (int i = 0; i < 10 && h.session.Queue().Busy(); ++i)
        h.AnswerOk();
    ASSERT_EQ(h.view.jobs.size(), 1u);
    const SJobReport& report = h.view.jobs[0].second;
    EXPECT_TRUE(std::any_of(report.leftOut.begin(), report.leftOut.end(),
                            [](const SLeftOut& left) { return left.carriesEdit; }));
    EXPECT_NE(LeftOutText(report.leftOut.front()).find("did not report"), std::string::npos);
}

TEST(KnownValues, ACodeBeyondAListGoesBackAsItCameUnlessAnotherIsChosen)
{
    CSessionHarness h;
    CPage& main = *h.session.FindPage("CPageMainParams");
    h.Feed({"$PARITY 5"});
    CFieldSet& f = main.Fields();
    const size_t parity = f.IndexOf("parity");
    EXPECT_TRUE(f.IsOutsideList(parity));
    std::vector<SLeftOut> leftOut;
    EXPECT_EQ(Texts(KnownSaveJob(main, leftOut).commands), Blocks{"%UP5\r"});
    f.Edit(parity, {.number = 1});
    EXPECT_FALSE(f.IsOutsideList(parity));
    EXPECT_EQ(Texts(KnownSaveJob(main, leftOut).commands), Blocks{"%UP1\r"});
}

TEST(KnownValues, ARowEditorKnowsOnlyWhatItsRowReported)
{
    CSessionHarness h;
    CPage& server = *h.session.FindPage("CPageServer");
    h.Feed({"$CS1 +491511"});
    const std::optional<SRowEditor> read = OpenRowEditor(server, 0, 1);
    const std::optional<SRowEditor> unread = OpenRowEditor(server, 0, 2);
    ASSERT_TRUE(read && unread);
    EXPECT_TRUE(read->fields.IsKnown(kPhoneNumberField));
    EXPECT_FALSE(unread->fields.IsKnown(kPhoneNumberField));

    // What is typed goes out; an OK on an unread row with nothing typed sends nothing.
    SRowEditor typed = *unread;
    typed.fields.Edit(typed.fields.IndexOf(kPhoneNumberField), {.text = "+7"});
    h.session.CommitRow(server, 0, 2, typed);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%CS2+7\r"});
    h.AnswerOk();
    for (int i = 0; i < 10 && h.session.Queue().Busy(); ++i)
        h.clock.Advance(CCommandQueue::kSettleMs);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_PHONE\r"});
    h.session.CommitRow(server, 0, 3, *OpenRowEditor(server, 0, 3));
    EXPECT_EQ(h.TakeWritten(), Blocks{});
    ASSERT_EQ(h.view.jobs.size(), 2u);
    EXPECT_EQ(h.view.jobs.back().second.leftOut.size(), 1u);
}

TEST(KnownValues, TypedValuesThatCannotGoOutAreRefusedBeforeAnything)
{
    struct SCase {
        std::string_view page;
        std::string_view field;
        std::string_view typed;
        std::string_view why;
    };
    const SCase cases[] = {
        {"CDataParams", "idleSpan", "abc", "takes digits only"},
        {"CPageGPIO", "sirenDuration", "45x", "takes digits only"},
        {"CPageMainParams", "pin", "12\r%ATF", "line break"},
        {"CPageMainParams", "serviceNumber", "10086%RST", "\"%\""},
        {"CPageMainParams", "pin", "%%%%%%%%%%%%", "\"%\""},
        {"CPageBuzzer", "duration", "abc45x", "whole number from 0"},
        {"CPageBuzzer", "duration", "4.5", "whole number from 0"},
        {"CPageComm2", "baud", "-2400", "whole number from 0"},
        {"CPageMTimer", "clock0Hour", "24", "from 0 to 23"},
        {"CPageTemp", "high", "12,5", "decimal number"},
        {"CPageTemp", "high", "-", "decimal number"},
    };
    for (const SCase& c : cases) {
        CSessionHarness h;
        CPage& page = *h.session.FindPage(c.page);
        CFieldSet& f = page.Fields();
        f.Edit(f.IndexOf(c.field), {.text = std::string(c.typed)});
        h.session.WriteBack(page);
        EXPECT_EQ(h.TakeWritten(), Blocks{}) << c.typed;
        ASSERT_EQ(h.view.refusals.size(), 1u) << c.typed;
        EXPECT_NE(h.view.refusals[0].find(c.why), std::string::npos) << h.view.refusals[0];
    }
    // A number its rule takes goes out as typed.
    CSessionHarness h;
    CPage& temp = *h.session.FindPage("CPageTemp");
    temp.Fields().Edit(temp.Fields().IndexOf("high"), {.text = "-12.5"});
    h.session.WriteBack(temp);
    EXPECT_TRUE(h.view.refusals.empty());
    Blocks written = h.TakeWritten();
    h.AnswerOk();  // "%STARTCMD"
    const Blocks next = h.TakeWritten();
    written.insert(written.end(), next.begin(), next.end());
    EXPECT_NE(std::find(written.begin(), written.end(), "%TMPH-12.5\r"), written.end());
}

} // namespace
} // namespace orlan::test
