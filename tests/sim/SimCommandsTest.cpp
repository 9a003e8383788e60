// Setting commands, group dumps and the picture, driven through the terminal.
#include "SimTestSupport.h"

#include "sim/KnownCommands.h"
#include "sim/SamplePicture.h"

#include <algorithm>

namespace orlan::test {
namespace {

class SimCommands : public ::testing::Test {
protected:
    SimCommands() { sim.terminal.Start(); }

    std::vector<std::string> Send(const std::string& commands)
    {
        sim.terminal.Feed(commands);
        return sim.TakeLines();
    }

    // The dump line that starts with prefix, as the terminal prints it now.
    std::string Line(const std::string& prefix) const
    {
        const ConfigLine* line = sim.terminal.Config().Find(prefix);
        return line ? line->text : "(none)";
    }

    CSimHarness sim{CSimHarness::LoggedIn()};
};

using Lines = std::vector<std::string>;

TEST_F(SimCommands, KnownCommandsAreAcceptedAndOthersRefused)
{
    EXPECT_EQ(Send("%STARTCMD\r%LKEY\r%BOGUS1\r%\r%COMMITCMD\r"),
              (Lines{"CMD OK", "CMD OK", "CMD ERR", "CMD ERR", "CMD OK"}));
    // Text behind a command that takes none, and letters in place of a row digit.
    EXPECT_EQ(Send("%STARTCMDX\r%CSX+123\r%DUMP_NOSUCH\r"), (Lines{"CMD ERR", "CMD ERR", "CMD ERR"}));
    // Names are matched without regard to case, as the tool writes some in lower case.
    EXPECT_EQ(Send("%adsmsheaden0\r"), Lines{"CMD OK"});
    EXPECT_EQ(Line("$AINSMH "), "$AINSMH 0");
}

TEST_F(SimCommands, DeclaredSettingsAreTakenOnlyWithAValueTheirRuleTakes)
{
    // Values the tool's declarations refuse are refused as a strict terminal
    // would, and change nothing; taken ones land in their key's line.
    EXPECT_EQ(Send("%POWDLY\r%POWDLYabc45x\r%POWDLY-5\r%BATEN2\r%TMPH12,5\r%POWDLY30\r%BATEN0\r%TMPH-12.5\r"),
              (Lines{"CMD ERR", "CMD ERR", "CMD ERR", "CMD ERR", "CMD ERR", "CMD OK", "CMD OK", "CMD OK"}));
    EXPECT_EQ(Line("$POWDLY "), "$POWDLY 30");
    EXPECT_EQ(Line("$BATEN "), "$BATEN 0");
    EXPECT_EQ(Line("$TMPH "), "$TMPH -12.5");
}

TEST_F(SimCommands, GroupDumpPrintsItsGroupInOrder)
{
    EXPECT_EQ(Send("%DUMP_62056\r"), (Lines{"$P62056POOLT 15", "$P62056HEART 5", "$P62056ERRUP 1"}));
    EXPECT_EQ(Send("%DUMP_PHONE\r"), DefaultFixture().GroupLines("PHONE"));
    const Lines modbus = Send("%DUMP_MODBUS\r");
    EXPECT_NE(std::find(modbus.begin(), modbus.end(), "$MDADDR 1"), modbus.end());
    EXPECT_NE(std::find(modbus.begin(), modbus.end(), "$REG40 300"), modbus.end()) << "limits come along";
    EXPECT_EQ(Send("%DUMPM\r"), DefaultFixture().GroupLines("M"));
}

TEST_F(SimCommands, ModbusRowDumpPrintsOnlyThatRow)
{
    const Lines row = Send("%DUMP_MODBUS_MASTER5\r");
    ASSERT_EQ(row.size(), 12U); // nine register lines, the name, two limits
    EXPECT_EQ(row.front(), "$MDMAS05,2,30006,2,0");
    EXPECT_NE(std::find(row.begin(), row.end(), "$REG5 60000"), row.end());
    EXPECT_NE(std::find(row.begin(), row.end(), "$REG37 300"), row.end());
    EXPECT_EQ(std::count_if(row.begin(), row.end(), [](const std::string& l) { return l.starts_with("$RNAME5 "); }), 1);
    EXPECT_EQ(Send("%DUMP_MODBUS_MASTER32\r%DUMP_MODBUS_MASTER\r"), (Lines{"CMD ERR", "CMD ERR"}));
}

TEST_F(SimCommands, SensorNameQueryPrintsNamesAndFlag)
{
    const Lines names = Send("%E99?\r");
    ASSERT_EQ(names.size(), 7U);
    EXPECT_TRUE(names[0].starts_with("$ISNAME0: "));
    EXPECT_EQ(names[6], "$ISSMH 1");
}

TEST_F(SimCommands, WrittenValuesShowInTheNextDump)
{
    EXPECT_EQ(Send("%STARTCMD\r%CS3+123\r%S0300410042\r\n%DESC006100620063\r%COMMITCMD\r"),
              (Lines{"CMD OK", "CMD OK", "CMD OK", "CMD OK", "CMD OK"}));
    const Lines phones = Send("%DUMP_PHONE\r");
    EXPECT_NE(std::find(phones.begin(), phones.end(), "$CS3 +123"), phones.end());
    EXPECT_EQ(std::count_if(phones.begin(), phones.end(), [](const std::string& l) { return l.starts_with("$CS3 "); }),
              1);
    EXPECT_EQ(Line("$SMS3 "), "$SMS3 00410042");
    EXPECT_EQ(Line("$DESC "), "$DESC 006100620063");
}

TEST_F(SimCommands, CommandsWithSeveralValuesRewriteEachLine)
{
    EXPECT_EQ(Send("%MTIMER008,30,4\r%IOAT5\r%CHECKBALANCE1001,BAL\r"), (Lines{"CMD OK", "CMD OK", "CMD OK"}));
    EXPECT_EQ(Line("$TIMERH0 "), "$TIMERH0 08");
    EXPECT_EQ(Line("$TIMERM0 "), "$TIMERM0 30");
    EXPECT_EQ(Line("$TIMERT0 "), "$TIMERT0 4");
    EXPECT_EQ(Line("$IOAT "), "$IOAT 5");
    EXPECT_EQ(Line("$IAT "), "$IAT 5");
    EXPECT_EQ(Line("$CKBSP "), "$CKBSP 1001");
    EXPECT_EQ(Line("$CKBCD "), "$CKBCD BAL");

    EXPECT_EQ(Send("%DINURG1010\r%IOTP000011112222\r"), (Lines{"CMD OK", "CMD OK"}));
    EXPECT_EQ(Line("$DINURG0 "), "$DINURG0 1");
    EXPECT_EQ(Line("$DINURG1 "), "$DINURG1 0");
    EXPECT_EQ(Line("$ITP3 "), "$ITP3 0");
    EXPECT_EQ(Line("$OTP7 "), "$OTP7 2");

    EXPECT_EQ(Send("%DINPRIO=2,0009,0002\r%WSONa\r%WSSNDOFF0\r%ILOCK4,9,3\r"),
              (Lines{"CMD OK", "CMD OK", "CMD OK", "CMD OK"}));
    EXPECT_EQ(Line("$PRIODINSMS10,"), "$PRIODINSMS10,0009");
    EXPECT_EQ(Line("$PRIODINRING10,"), "$PRIODINRING10,0002");
    EXPECT_EQ(Line("$WINEND10 "), "$WINEND10 1");
    EXPECT_EQ(Line("$WINSND0 "), "$WINSND0 0");
    EXPECT_EQ(Line("$ILOCK 4,"), "$ILOCK 4,9,3");
}

TEST_F(SimCommands, ListFieldsAndPaddedRowsAreRewrittenInPlace)
{
    EXPECT_EQ(Send("%ETEMPH2=-5\r%ETEMPEN2=0\r%AIN1H12.5\r"), (Lines{"CMD OK", "CMD OK", "CMD OK"}));
    EXPECT_EQ(Line("$ETEMP2 "), "$ETEMP2 -18.00,-5,-30,0,1,5,30,3,0,1,0");
    EXPECT_EQ(Line("$ADINH1 "), "$ADINH1 12.5");
    EXPECT_EQ(Line("$AINEXT1 "), "$AINEXT1 12.5,2.00,0.10,40.00,2.00,0.20");

    EXPECT_EQ(Send("%mdmas05=7,40100,1,0,2.5,10,0,0,255,0,000003ff\r%MDMSF05=1,0,1,0,0\r%N05004100\r"),
              (Lines{"CMD OK", "CMD OK", "CMD OK"}));
    EXPECT_EQ(Line("$MDMAS05,"), "$MDMAS05,7,40100,1,0");
    EXPECT_EQ(Line("$MDMSC05,"), "$MDMSC05,2.5");
    EXPECT_EQ(Line("$MDMTX05,"), "$MDMTX05,000003ff");
    EXPECT_EQ(Line("$MDFLG05,"), "$MDFLG05,1,0,1,0,0");
    EXPECT_EQ(Line("$RNAME5 "), "$RNAME5 004100");
}

TEST_F(SimCommands, RefusedCommandsChangeNothing)
{
    const std::vector<ConfigLine> before = sim.terminal.Config().Lines();
    // Row beyond the table, switch that is no switch, missing value, wrong digit count.
    EXPECT_EQ(Send("%SR8+1\r%S26414243\r%DAS2\r%CHECKBALANCE1001\r%DINURG101\r%IOTP0000\r%WSONc\r%MTIMER6"
                   "08,30,4\r%BASEPRIO=x,0001\r"),
              Lines(9, "CMD ERR"));
    EXPECT_EQ(sim.terminal.Config().Lines().size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(sim.terminal.Config().Lines()[i].text, before[i].text);
}

TEST_F(SimCommands, FactoryDefaultsRestoreTheFixture)
{
    Send("%CC7\r%PIN0000\r");
    EXPECT_EQ(Line("$CC "), "$CC 7");
    EXPECT_EQ(Send("%ATF\r"), Lines{"CMD OK"});
    EXPECT_EQ(Line("$CC "), "$CC 86");
    EXPECT_EQ(Line("$PINC "), "$PINC 1234");
}

TEST_F(SimCommands, ValuesSurviveARestart)
{
    Send("%CC7\r%RST\r");
    sim.terminal.Advance(5000);
    sim.terminal.Advance(5000);
    sim.terminal.Feed("\r");
    sim.TakeLines();
    EXPECT_EQ(Send("%DUMP_SYS\r")[2], "$CC 7");
}

TEST_F(SimCommands, PictureIsFramedByItsMarkers)
{
    EXPECT_EQ(Send("%memr0\r"), Lines{"$IMAGE_ERR"}) << "no picture taken yet";
    EXPECT_EQ(Send("%SDSC\r"), Lines{"CMD OK"});
    sim.terminal.Feed("%memr0\r");

    const std::string start = "$IMAGE_START\r\n";
    const std::string end = "$IMAGE_END\r\n";
    ASSERT_EQ(sim.writes.size(), 1U) << "one write, so no fault can come between marker and picture";
    const std::string& out = sim.output;
    ASSERT_GT(out.size(), start.size() + end.size() + 4);
    EXPECT_TRUE(out.starts_with(start));
    EXPECT_TRUE(out.ends_with(end));
    const std::string picture = out.substr(start.size(), out.size() - start.size() - end.size());
    const std::span<const std::uint8_t> embedded = SamplePicture();
    EXPECT_EQ(picture, std::string(embedded.begin(), embedded.end())) << "exactly the embedded bytes";
    sim.TakeLines();

    // The end marker must close a read block: later output waits a little.
    sim.terminal.Feed("%STARTCMD\r");
    EXPECT_TRUE(sim.output.empty());
    sim.terminal.Advance(200);
    EXPECT_EQ(sim.TakeLines(), Lines{"CMD OK"});
    EXPECT_EQ(Send("%memr1\r"), Lines{"$IMAGE_ERR"});
}

TEST_F(SimCommands, TemperatureLogReplaysStoredRecords)
{
    const Lines records = Send("%ETEMPPORT1000\r");
    ASSERT_EQ(records.size(), 20U); // 8 hours two to a line, 16 one to a line
    EXPECT_TRUE(records[0].starts_with("$TR000001ET83")) << records[0];
    EXPECT_NE(records[0].find("$TR000002ET83"), std::string::npos) << "second record right behind the first";
    EXPECT_TRUE(records[4].starts_with("$TR000009ET83")) << records[4];
    EXPECT_EQ(records[4].find("ET83", 13), std::string::npos);
}

} // namespace
} // namespace orlan::test
