// The digital I/O page: dump lines at their positions (channels outside the
// model ignored), the live state list, the six commands and the profile
// section, and what a read clears.
#include <gtest/gtest.h>

#include <filesystem>

#include "SessionHarness.h"
#include "labels/LabelCatalogue.h"
#include "pages/io/GpioPage.h"

namespace orlan::test {
namespace {

class GpioPage : public ::testing::Test {
protected:
    std::vector<std::string> States() const
    {
        std::vector<std::string> lines;
        for (size_t row = 0; row < page.States().Rows(); ++row)
            lines.push_back(page.States().Cell(row, 0));
        return lines;
    }
    std::vector<std::pair<std::string, int>> Values() const
    {
        std::vector<std::pair<std::string, int>> values;
        for (size_t i = 0; i < f.Size(); ++i)
            values.emplace_back(f.Value(i).text, f.Value(i).number);
        return values;
    }

    CSessionHarness h;
    CPageGPIO& page = h.Page<CPageGPIO>("CPageGPIO");
    const CFieldSet& f = page.Fields();
};

TEST_F(GpioPage, DumpLinesFillTheRowTheyAddress)
{
    const std::pair<const char*, std::pair<std::string, int>> cases[] = {
        {"$ITP0 1", {CPageGPIO::InputTypeId(0), 1}},
        {"$ITP11 3", {CPageGPIO::InputTypeId(11), 3}},  // kept although not shown
        {"$ITP2 4", {CPageGPIO::InputTypeId(2), 4}},
        {"$ITP2 5", {CPageGPIO::InputTypeId(2), 5}},    // beyond the list: kept as reported
        {"$OTP7 4", {CPageGPIO::OutputTypeId(7), 4}},
        {"$OTP0 0", {CPageGPIO::OutputTypeId(0), 0}},
        {"$DINURG3 1", {CPageGPIO::InputUrgentId(3), 1}},
        {"$DINURG3 0", {CPageGPIO::InputUrgentId(3), 0}},
        {"$DINSND7 1", {CPageGPIO::InputSoundId(7), 1}},
        {"$DINCNT2 1", {CPageGPIO::InputCounterId(2), 1}},
        {"$IOOR 1", {"retainOutputs", 1}},
        {"$L1DEF 1", {"input1Button", 1}},
        {"$DINCTA 1", {"counterOnChange", 1}},
    };
    for (const auto& [line, expected] : cases) {
        h.Feed({line});
        EXPECT_EQ(f.Number(expected.first), expected.second) << line;
    }
    h.Feed({"$IOHT 15", "$DINDUT 60"});
    EXPECT_EQ(f.Text("sirenDuration"), "15");
    EXPECT_EQ(f.Text("counterPeriod"), "60");
}

TEST_F(GpioPage, LinesForChannelsOutsideTheModelChangeNothing)
{
    h.Feed({"$ITP0 1", "$OTP0 2", "$DINURG0 1", "$DINSND0 1"});
    const auto before = Values();
    h.Feed({"$ITP12 3", "$ITP 3", "$ITPx 1", "$ITP", "$OTP8 1", "$OTPx 1", "$OTP", "$DINURG8 1", "$DINSND9 1",
            "$DINCNT", "$DINURG"});
    EXPECT_EQ(Values(), before);
}

TEST_F(GpioPage, StateReportsAppendLinesInArrivalOrderWhateverPageIsRead)
{
    h.Feed({"*IOI 3 0", "*IOI 2 1", "*IOO 0 1", "*IOO 1 0"});
    // Reports of no kind, without a channel or without a state add nothing.
    h.Feed({"*IOX 1 1", "*IOI x 1", "*IOI 2", "*IOI 2 ", "*IO"});
    h.session.ReadPage(*h.session.FindPage("CPageAlarmParams"));
    h.Feed({"*IOI 12 0"});
    EXPECT_EQ(States(), (std::vector<std::string>{"3 Input: closed", "2 Input: open", "", "0 Output: closed",
                                                  "1 Output: open", "12 Input: closed"}));

    CLabelCatalogue catalogue;
    catalogue.BindText("[DINTYPES]\nDIN_CHANNEL=Eingang\nDIN_OPEN=offen\n[DOUTTYPES]\nDOUT_CLOSE=zu\n");
    page.LoadLabels(catalogue);
    h.Feed({"*IOI 1 1", "*IOO 3 1", "*IOI 0 0"});
    EXPECT_EQ(States().back(), "0 Eingang: closed") << "a word the catalogue lacks stays built in";
    EXPECT_EQ(States()[States().size() - 2], "3 Output: zu");

    page.Clear();
    EXPECT_TRUE(States().empty());
}

TEST_F(GpioPage, StateListKeepsTheNewestLines)
{
    for (size_t n = 0; n < CPageGPIO::kStateLines + 3; ++n)
        h.Feed({"*IOI " + std::to_string(n) + " 1"});
    ASSERT_EQ(page.States().Rows(), CPageGPIO::kStateLines);
    EXPECT_EQ(page.States().Cell(0, 0), "3 Input: open");
}

TEST_F(GpioPage, SaveSendsTheSixCommandsAndTheProfileTheSameWithoutBracket)
{
    h.Feed({"$ITP0 1", "$ITP1 2", "$ITP2 3", "$ITP3 4", "$ITP4 2", "$OTP0 1", "$OTP1 2", "$OTP2 3", "$OTP3 4",
            "$OTP4 0", "$OTP5 0", "$OTP6 0", "$OTP7 1", "$DINURG3 1", "$DINURG5 1", "$DINSND0 1", "$DINSND2 1",
            "$IOOR 1", "$L1DEF 0", "$IOHT 3"});
    const CCommandList batch = page.BuildCommands(ETarget::Terminal);
    EXPECT_EQ(Texts(batch), (std::vector<std::string>{"%STARTCMD\r", "%DINURG0001\r", "%DINSND1010\r",
                                                      "%IOTP123412340001\r", "%IOOR1\r", "%L1DEF0\r", "%IOHT3\r",
                                                      "%COMMITCMD\r"}));
    for (const SCommand& command : batch)
        EXPECT_EQ(page.AnswerWaitMs(command), 3000) << command.text;
    EXPECT_EQ(page.DumpRequest(), "%DUMP_GPIO\r");

    CProfileText out;
    page.WriteProfileSection(out);
    EXPECT_EQ(out.Bytes(), "\r\r\n//Page Digital inputs config\r\r\n\r\n%DINURG0001\r\r\n%DINSND1010\r\r\n"
                           "%IOTP123412340001\r\r\n%IOOR1\r\r\n%L1DEF0\r\r\n%IOHT3\r\r\n");
}

TEST_F(GpioPage, ATypeNeverSetGoesAsMinusOneAndTheDurationOnOneLine)
{
    page.Clear();
    page.Fields().SetText("sirenDuration", "1\r\n2");
    const std::vector<std::string> batch = Texts(page.BuildCommands(ETarget::Terminal));
    std::string types = "%IOTP";
    for (int n = 0; n < 12; ++n)
        types += "-1";
    EXPECT_EQ(batch.at(3), types + "\r");
    EXPECT_EQ(batch.at(6), "%IOHT12\r");
    // The list says so instead of showing an empty box.
    EXPECT_EQ(f.Desc(f.IndexOf(CPageGPIO::InputTypeId(0))).noSelectionKey, "NOT_SET");
}

TEST_F(GpioPage, ClearEmptiesAllButTheCounterFlags)
{
    h.Feed({"$ITP1 2", "$DINURG1 1", "$DINCNT1 1", "$DINCTA 1", "$DINDUT 60", "$IOHT 3", "$IOOR 1", "$L1DEF 1",
            "*IOI 0 1"});
    page.Clear();
    EXPECT_EQ(f.Number(CPageGPIO::InputTypeId(1)), -1);
    EXPECT_EQ(f.Number(CPageGPIO::InputUrgentId(1)), 0);
    EXPECT_EQ(f.Text("counterPeriod"), "");
    EXPECT_EQ(f.Text("sirenDuration"), "");
    EXPECT_EQ(f.Number("retainOutputs"), 0);
    EXPECT_EQ(f.Number("input1Button"), 0);
    EXPECT_EQ(f.Number(CPageGPIO::InputCounterId(1)), 1);
    EXPECT_EQ(f.Number("counterOnChange"), 1);
}

} // namespace
} // namespace orlan::test

namespace orlan::test {
namespace {

// The catalogue walk of every page covers labels, items and headers; the
// captions of these pages' groups and grids and their list placeholders
// must be shipped as well, or the boxes come up blank.
TEST(IoPages, GroupCaptionsGridHeadersAndListPlaceholdersHaveShippedTexts)
{
    CLabelCatalogue catalogue;
    ASSERT_TRUE(catalogue.Bind(std::filesystem::path(ORLAN_SOURCE_DIR) / kCatalogueFileName));
    auto expectText = [&catalogue](const std::string& section, const std::string& key, const std::string& user) {
        if (!key.empty()) {
            EXPECT_FALSE(catalogue.Lookup(key, section).empty()) << "[" << section << "] " << key << " of " << user;
        }
    };
    auto fields = [&expectText](const CFieldSet& set, const std::string& section, const std::string& user) {
        for (const SFieldGroup& group : set.Groups()) {
            const std::string& groupSection = group.captionSection.empty() ? section : group.captionSection;
            expectText(groupSection, group.captionKey, user);
            for (const std::string& key : group.columnKeys)
                expectText(groupSection, key, user);
            for (const std::string& key : group.rowKeys)
                expectText(groupSection, key, user);
        }
        for (const SFieldDesc& desc : set.Descs())
            expectText(section, desc.noSelectionKey, user + "." + desc.id);
    };
    size_t checked = 0;
    for (const auto& page : CreateAllPages()) {
        const SPageInfo& info = page->Info();
        for (std::string_view name : {"CPageGPIO", "CPageCio", "CPageInterlock", "CPageDinParams", "CPageDinCt",
                                      "CPageCounter", "CPageRfZone", "CPageDin3G"}) {
            if (info.className != name)
                continue;
            ++checked;
            fields(page->Fields(), info.section, info.className);
            for (size_t t = 0; t < page->Tables().size(); ++t) {
                if (const std::optional<SRowEditor> editor = page->RowEditor(t, 0))
                    fields(editor->fields, editor->section, editor->className);
            }
        }
    }
    EXPECT_EQ(checked, 8u);
}

} // namespace
} // namespace orlan::test
