// The stored message text pages: one "$SMS" line reaching the three pages,
// each taking its own slots; the message entry dialog; the row commands with
// their CR LF; the analog header switch and the stored messages' profile
// section.
#include <gtest/gtest.h>

#include "labels/TextCodec.h"

#include "SessionHarness.h"
#include "pages/KnownValues.h"
#include "pages/messages/MessageEditor.h"
#include "pages/messages/MessageTextPages.h"

namespace orlan::test {
namespace {

class MessageTextPages : public ::testing::Test {
protected:
    CSessionHarness h;
    CPageAllSms& all = h.Page<CPageAllSms>("CPageAllSms");
    CPageDinAlarm& din = h.Page<CPageDinAlarm>("CPageDinAlarm");
    CPageADSms& analog = h.Page<CPageADSms>("CPageADSms");
};

TEST_F(MessageTextPages, EachPageTakesItsOwnSlotsOfOneLine)
{
    h.Feed({"$SMS12 0041"});
    EXPECT_EQ(all.Text(12), "A");
    EXPECT_EQ(analog.Text(4), "A");
    for (size_t row = 0; row < CPageDinAlarm::kRows; ++row)
        EXPECT_EQ(din.Text(row), "");

    h.Feed({"$SMS3 00480069", "$SMS8 00560023006200610072", "$SMS25 6BCF65E562A5544A"});
    EXPECT_EQ(all.Text(3), "Hi");
    EXPECT_EQ(din.Text(3), "Hi");
    EXPECT_EQ(analog.Text(0), "V#bar");
    EXPECT_EQ(all.Text(8), "V#bar");
    EXPECT_EQ(din.Text(7), "");
    EXPECT_EQ(all.Text(25), "每日报告");
}

TEST_F(MessageTextPages, LinesWithoutASlotOrBeyondThePagesChangeNothing)
{
    h.Feed({"$SMS0 0041", "$SMS9 0042", "$SMS20 0043"});
    // No digits; slot 30 and a huge slot exist on no page; the "$SMSC" line
    // of the main parameters also contains the key.
    h.Feed({"$SMS 0058", "$SMSX 0058", "$SMS30 0058", "$SMS99999999999 0058", "$SMSC +8613800100500"});
    EXPECT_EQ(all.Text(0), "A");
    EXPECT_EQ(din.Text(0), "A");
    EXPECT_EQ(analog.Text(1), "B");
    EXPECT_EQ(all.Text(20), "C");
    for (size_t row = 0; row < CPageAllSms::kRows; ++row)
        EXPECT_NE(all.Text(row), "X");

    // The one character after the number is skipped, whatever it is.
    h.Feed({"$SMS4x0044", "$SMS5", "$SMS6 004"});
    EXPECT_EQ(all.Text(4), "D");
    EXPECT_EQ(all.Text(5), "");
    EXPECT_EQ(UndecodedHex(all.Text(6)), "004") << "half a unit is kept as it came";
}

TEST_F(MessageTextPages, DecodedTextsKeepEveryUnitTheTerminalSent)
{
    std::string hex;
    std::string text;
    for (int i = 0; i < 200; ++i) {
        hex += "041F";
        text += "\u041f";
    }
    h.Feed({"$SMS2 " + hex});
    EXPECT_EQ(all.Text(2), text);
    // Invalid hex stays as it came, shown, but is no value that can be
    // written back: the row's command is left out of a Save and a profile.
    h.Feed({"$SMS3 zzzzGGGG"});
    EXPECT_EQ(UndecodedHex(all.Text(3)), "zzzzGGGG");
    EXPECT_EQ(EncodeUcs2Hex(all.Text(3)), "zzzzGGGG");
    EXPECT_FALSE(all.Tables().front().IsKnown(3, 0));
    std::vector<SLeftOut> leftOut;
    CProfileText section;
    WriteKnownProfileSection(all, section, leftOut);
    EXPECT_EQ(section.Bytes().find("%S03"), std::string::npos);
    EXPECT_NE(section.Bytes().find("%S02"), std::string::npos);
}

TEST_F(MessageTextPages, ClearEmptiesTheRowsAndKeepsTheHeaderSwitch)
{
    h.Feed({"$SMS10 0041", "$SMS1 0041", "$AINSMH 1"});
    h.session.Reload();
    EXPECT_EQ(all.Text(10), "");
    EXPECT_EQ(din.Text(1), "");
    EXPECT_EQ(analog.Text(2), "");
    EXPECT_EQ(analog.Fields().Number(CPageADSms::kHeaderField), 1);
    h.Feed({"$AINSMH 0"});
    EXPECT_EQ(analog.Fields().Number(CPageADSms::kHeaderField), 0);
}

TEST_F(MessageTextPages, EditorShowsTheUnitBoxOnlyOnTheAnalogPage)
{
    h.Feed({"$SMS9 0048"});
    const std::optional<SRowEditor> analogEditor = analog.RowEditor(0, 1);
    ASSERT_TRUE(analogEditor);
    EXPECT_EQ(analogEditor->className, "CInputSms");
    EXPECT_EQ(analogEditor->fields.Text(kMessageTextField), "H");
    EXPECT_EQ(analogEditor->fields.Desc(0).kind, EFieldKind::MultiLine);
    EXPECT_FALSE(analogEditor->fields.Desc(1).hidden);
    EXPECT_EQ(analogEditor->fields.Desc(1).fixedLabel, "Unit");

    const std::optional<SRowEditor> allEditor = all.RowEditor(0, 9);
    ASSERT_TRUE(allEditor);
    EXPECT_EQ(allEditor->fields.Text(kMessageTextField), "H");
    EXPECT_TRUE(allEditor->fields.Desc(1).hidden);
    EXPECT_TRUE(din.RowEditor(0, 0)->fields.Desc(1).hidden);

    EXPECT_FALSE(all.RowEditor(0, CPageAllSms::kRows));
    EXPECT_FALSE(din.RowEditor(0, CPageDinAlarm::kRows));
    EXPECT_FALSE(analog.RowEditor(0, CPageADSms::kRows));
    EXPECT_FALSE(all.RowEditor(1, 0));
}

TEST_F(MessageTextPages, EditsGoStraightOutWithCrLfThenThePageReads)
{
    std::optional<SRowEditor> editor = all.RowEditor(0, 3);
    ASSERT_TRUE(editor);
    editor->fields.SetText(kMessageTextField, "AB");
    h.session.CommitRow(all, 0, 3, editor->fields);
    EXPECT_EQ(h.TakeWritten(), (std::vector<std::string>{"%S0300410042\r\n", "%DUMP_ROMSMS\r"}));

    editor = analog.RowEditor(0, 1);
    editor->fields.SetText(kMessageTextField, "Hi");
    editor->fields.SetText(kMessageUnitField, "V");
    h.session.CommitRow(analog, 0, 1, editor->fields);
    EXPECT_EQ(h.TakeWritten(), (std::vector<std::string>{"%S090048006900230056\r\n", "%DUMP_ROMSMS\r"}));

    // Without a unit no "#"; a line break travels inside the hex.
    editor->fields.SetText(kMessageUnitField, "");
    editor->fields.SetText(kMessageTextField, "a\nb");
    EXPECT_EQ(analog.CommitRow(0, 7, editor->fields).at(0).text, "%S150061000A0062\r\n");

    editor = din.RowEditor(0, 7);
    editor->fields.SetText(kMessageTextField, "Тревога");
    EXPECT_EQ(din.CommitRow(0, 7, editor->fields).at(0).text, "%S070422044004350432043E04330430\r\n");
    EXPECT_TRUE(din.CommitRow(0, 8, editor->fields).empty());
    EXPECT_TRUE(all.CommitRow(0, 0, CFieldSet{}).empty());

    // An out-of-range row sends nothing at all.
    h.session.CommitRow(din, 0, 8, editor->fields);
    EXPECT_TRUE(h.TakeWritten().empty());
}

TEST_F(MessageTextPages, AnalogHeaderSwitchIsSentOnEveryClick)
{
    EXPECT_TRUE(analog.Fields().Desc(0).sendsOnChange);
    analog.Fields().SetNumber(CPageADSms::kHeaderField, 1);
    h.session.FieldEdited(analog, CPageADSms::kHeaderField);
    EXPECT_EQ(h.TakeWritten(), std::vector<std::string>{"%adsmsheaden1\r"});
    h.AnswerOk();
    analog.Fields().SetNumber(CPageADSms::kHeaderField, 0);
    const CCommandList off = analog.OnFieldEdited(CPageADSms::kHeaderField);
    ASSERT_EQ(off.size(), 1u);
    EXPECT_EQ(off[0].text, "%adsmsheaden0\r");
    EXPECT_EQ(analog.AnswerWaitMs(off[0]), 2000);
    EXPECT_TRUE(analog.OnFieldEdited("text").empty());
}

TEST_F(MessageTextPages, ReadsAndPageDescriptions)
{
    for (CTextListPage* page : std::initializer_list<CTextListPage*>{&all, &din, &analog}) {
        EXPECT_EQ(page->DumpRequest(), "%DUMP_ROMSMS\r");
        EXPECT_FALSE(page->Info().hasWriteBack);
        EXPECT_TRUE(page->BuildCommands(ETarget::Terminal).empty());
        EXPECT_EQ(page->Info().defaultAnswerWaitMs, 2000);
    }
    EXPECT_EQ(all.Info().navKey, "PAGE_SMS");
    EXPECT_EQ(din.Info().navKey, "PAGE_DINSMS");
    EXPECT_EQ(analog.Info().navKey, "");
    EXPECT_EQ(analog.Info().section, "PageADSms");
    EXPECT_EQ(din.Info().section, "PageSms");

    h.session.ReadPage(din);
    EXPECT_EQ(h.TakeWritten(), std::vector<std::string>{"%DUMP_ROMSMS\r"});
}

TEST_F(MessageTextPages, StoredMessagesProfileHoldsAllTwentySixSlotsWrittenDirectly)
{
    h.Feed({"$SMS0 0041", "$SMS25 00420043"});
    CProfileText out;
    all.WriteProfileSection(out);
    std::string expected = "\r\r\n//Page Rom Sms\r\r\n\r\n%S000041\r\r\n";
    for (int slot = 1; slot < 25; ++slot)
        expected += "%S" + std::string(slot < 10 ? "0" : "") + std::to_string(slot) + "\r\r\n";
    expected += "%S2500420043\r\r\n";
    EXPECT_EQ(out.Bytes(), expected);

    // The input alarm pages' slots are part of that section only.
    CProfileText none;
    din.WriteProfileSection(none);
    analog.WriteProfileSection(none);
    EXPECT_EQ(none.Bytes(), "");
}

TEST_F(MessageTextPages, EveryKeyBindsOnlyWhereTheRoutingTableNamesThePage)
{
    CDumpRouter router;
    for (CTextListPage* page : std::initializer_list<CTextListPage*>{&all, &din, &analog}) {
        page->RouteSettings(router);
        for (SDumpEntry& entry : page->DumpEntries())
            EXPECT_TRUE(router.Bind(page->Info().className, entry.key, entry.handler)) << entry.key;
    }
    EXPECT_FALSE(router.Bind("CPageDinAlarm", "$AINSMH", [](const SDumpValue&) {}));
}

} // namespace
} // namespace orlan::test
