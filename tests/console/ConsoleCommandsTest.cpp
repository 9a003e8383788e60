#include <gtest/gtest.h>

#include "console/ConsoleCommands.h"
#include "console/WireFormat.h"
#include "support/RecordingSink.h"

namespace orlan {
namespace {

using test::CRecordingSink;

TEST(ConsoleCommands, FixedMessagesHaveTheExactBytesAndWrites)
{
    CRecordingSink sink;
    SendSetupKeyRun(sink);
    ASSERT_EQ(sink.blocks.size(), 1u);
    EXPECT_EQ(sink.blocks[0], std::string(12, '%'));  // no CR behind the run

    sink.blocks.clear();
    SendWholeConfigurationRead(sink);
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"%DUMPS\r", "%DUMPR\r"}));

    sink.blocks.clear();
    SendFactoryDefaults(sink);
    SendRestart(sink);
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"%ATF\r", "%RST\r"}));
}

TEST(ConsoleCommands, PasswordIsSentAsTypedThenCrAlone)
{
    CRecordingSink sink;
    SendPassword(sink, "pa ss%1");
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"pa ss%1", "\r"}));

    sink.blocks.clear();
    SendPassword(sink, "");
    EXPECT_EQ(sink.blocks, (std::vector<std::string>{"\r"}));
}

TEST(WireFormat, PrintfFormatsMeanWhatTheySay)
{
    EXPECT_EQ(FormatWire("%%S%2.2d%s\r", 7, "+123"), "%S07+123\r");
    EXPECT_EQ(FormatWire("%4.4x|%8.8x|%.2f", 0xAB, 0x1234u, 3.14159), "00ab|00001234|3.14");
    EXPECT_EQ(FormatWire("%%STARTCMD\r"), "%STARTCMD\r");
    EXPECT_EQ(FormatWire("%s", ""), "");
    const std::string longText(5000, 'x');
    EXPECT_EQ(FormatWire("%s!", longText.c_str()), longText + "!");
}

} // namespace
} // namespace orlan
