// The verbs of orlan-cli as command objects, driven without a port: what
// each refuses before anything is read, and how a page's job ends on the
// session's events.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <typeinfo>

#include <unistd.h>

#include "FakeCliHost.h"
#include "cli/commands/CommandTable.h"
#include "cli/commands/PageJobCommand.h"

namespace orlan::test {
namespace {

constexpr ECliCommand kVerbsWithASession[] = {
    ECliCommand::Read,  ECliCommand::Exec,  ECliCommand::Send, ECliCommand::Monitor, ECliCommand::Setup,
    ECliCommand::Restart, ECliCommand::Defaults, ECliCommand::Pages, ECliCommand::Show, ECliCommand::Write,
    ECliCommand::Edit,  ECliCommand::Diff,  ECliCommand::Records};

TEST(CliCommands, EveryVerbButTheDoctorHasItsOwnCommand)
{
    CFakeCliHost host;
    std::set<const std::type_info*> kinds;
    for (ECliCommand verb : kVerbsWithASession) {
        const std::unique_ptr<CCliCommand> command = MakeCliCommand(verb, host);
        ASSERT_TRUE(command) << static_cast<int>(verb);
        EXPECT_TRUE(kinds.insert(&typeid(*command)).second) << "verb " << static_cast<int>(verb) << " shares a class";
    }
    EXPECT_FALSE(MakeCliCommand(ECliCommand::Doctor, host)) << "the doctor runs without a session";
}

// A write of the battery page after its whole read: the fields the read
// would have filled are known.
struct SBatteryWrite {
    explicit SBatteryWrite(std::vector<std::string> assignments, bool read = true)
    {
        host.options.command = ECliCommand::Write;
        host.options.page = "battery";
        host.options.assignments = std::move(assignments);
        command = MakeCliCommand(ECliCommand::Write, host);
        host.command = command.get();
        page = host.session.FindPage("CPageBattery");
        for (size_t i = 0; read && i < page->Fields().Size(); ++i)
            page->Fields().SetKnown(i, true);
    }
    // Every command answered until the queue sends nothing more.
    void AnswerAll()
    {
        for (size_t sent = 0; sent != host.sink.blocks.size();) {
            sent = host.sink.blocks.size();
            host.Receive("CMD OK\r\n");
        }
    }
    CFakeCliHost host;
    std::unique_ptr<CCliCommand> command;
    CPage* page = nullptr;
};

TEST(CliCommands, WriteRefusesBeforeThePortOpens)
{
    for (const auto& [assignment, says] : std::vector<std::pair<std::string, std::string>>{
             {"powerDelay", "is not ID=VALUE"},
             {"nothing=1", "no field \"nothing\""},
             {"batteryAlarm=maybe", "is a switch"}}) {
        SBatteryWrite write({assignment});
        EXPECT_FALSE(write.command->Prepare()) << assignment;
        EXPECT_EQ(write.host.exit, ECliExit::Usage) << assignment;
        EXPECT_NE(write.host.finalMessage.find(says), std::string::npos) << write.host.finalMessage;
        EXPECT_NE(write.host.finalMessage.find("(CPageBattery)"), std::string::npos) << write.host.finalMessage;
        EXPECT_TRUE(write.page->Fields().Text("powerDelay").empty()) << "the page keeps its values";
    }
    SBatteryWrite unknownPage({"a=1"});
    unknownPage.host.options.page = "no-such-page";
    EXPECT_FALSE(unknownPage.command->Prepare());
    EXPECT_EQ(unknownPage.host.exit, ECliExit::Usage);
    const std::string& refusal = unknownPage.host.finalMessage;
    EXPECT_EQ(refusal.rfind("no page \"no-such-page\"; the pages are: ", 0), 0u) << refusal;
    EXPECT_NE(refusal.find(", battery,"), std::string::npos) << "the pages are named by alias: " << refusal;
    EXPECT_TRUE(unknownPage.host.sink.blocks.empty());
}

TEST(CliCommands, AWriteEndsWhenTheSessionSaysThePagesOwnReadIsOver)
{
    SBatteryWrite write({"powerDelay=7"});
    ASSERT_TRUE(write.command->Prepare());
    write.command->OnWholeReadComplete();
    write.AnswerAll();
    ASSERT_NE(write.host.sink.Joined().find("%POWDLY7\r"), std::string::npos) << write.host.sink.Joined();
    ASSERT_NE(write.host.sink.Joined().find("%DUMP_GPIO\r"), std::string::npos) << "the page's read follows";
    EXPECT_FALSE(write.host.Finished()) << "the page's read has only begun";
    EXPECT_TRUE(write.host.deadline);

    // Another page's read ending says nothing about this one.
    write.command->OnPageReadEnded(*write.host.session.FindPage("CPageBuzzer"));
    EXPECT_FALSE(write.host.Finished());
    // The terminal still sends the page: the read is not over yet.
    write.host.clock.Advance(CTerminalSession::kPageReadQuietMs - 100);
    write.host.Receive("$POWDLY:7\r\n");
    write.host.clock.Advance(CTerminalSession::kPageReadQuietMs - 100);
    EXPECT_FALSE(write.host.Finished());
    write.host.clock.Advance(100);
    EXPECT_EQ(write.host.exit, ECliExit::Ok);
    EXPECT_EQ(write.host.finalMessage, "battery read back");
}

TEST(CliCommands, AWriteWithNothingKnownEndsAtOnceWithoutARead)
{
    // Nothing read, nothing typed: no command can go out, and no read.
    SBatteryWrite write({}, false);
    ASSERT_TRUE(write.command->Prepare());
    write.command->OnWholeReadComplete();
    write.AnswerAll();
    EXPECT_EQ(write.host.sink.Joined().find("%DUMP_GPIO"), std::string::npos) << write.host.sink.Joined();
    EXPECT_EQ(write.host.exit, ECliExit::NotWritten);
}

TEST(CliCommands, SendAndRestartEndWithTheirAnswer)
{
    for (const auto& [answer, code] : std::vector<std::pair<EAnswer, ECliExit>>{
             {EAnswer::CmdOk, ECliExit::Ok}, {EAnswer::PleaseWait, ECliExit::Ok}, {EAnswer::CmdErr, ECliExit::Rejected}}) {
        for (ECliCommand verb : {ECliCommand::Send, ECliCommand::Restart}) {
            CFakeCliHost host;
            host.options.text = "%GETVER";
            const std::unique_ptr<CCliCommand> command = MakeCliCommand(verb, host);
            EXPECT_TRUE(command->NeedsLogin());
            command->Run();
            EXPECT_GT(host.answerMs, 0);
            command->OnAnswer(answer);
            EXPECT_EQ(host.exit, code);
        }
    }
    CFakeCliHost host;
    host.options.text = "%DUMP_GPIO";
    const std::unique_ptr<CCliCommand> send = MakeCliCommand(ECliCommand::Send, host);
    send->Run();
    EXPECT_EQ(host.sink.Joined(), "%DUMP_GPIO\r");
    // A dump has no answer line: what it sends is printed until it is quiet.
    send->OnLine("$POWDLY:7");
    send->OnLine("$BATEN:1");
    EXPECT_EQ(host.out, "$POWDLY:7\n$BATEN:1\n");
    EXPECT_GT(host.quietMs, 0);
    EXPECT_FALSE(host.Finished());
    send->OnQuiet();
    EXPECT_EQ(host.exit, ECliExit::Ok);

    CFakeCliHost silent;
    silent.options.text = "%GETVER";
    const std::unique_ptr<CCliCommand> unanswered = MakeCliCommand(ECliCommand::Send, silent);
    unanswered->Run();
    unanswered->OnAnswerLate();
    EXPECT_EQ(silent.exit, ECliExit::Unanswered);
    EXPECT_EQ(silent.finalMessage, "no answer to %GETVER in time");
}

TEST(CliCommands, ARowEditThatAsksForItsOwnRowEndsWhenTheSessionSaysItsAnswerIsOver)
{
    // A register row of the field bus page goes out with a request for that
    // row alone: no page read follows; the session ends the row's read.
    CFakeCliHost host;
    host.options.command = ECliCommand::Edit;
    host.options.page = "modbus";
    host.options.row = "0";
    host.options.table = 0;
    CPage* page = host.session.FindPage("CPageMbusParams");
    ASSERT_NE(page, nullptr);
    CPageTable& registers = page->Tables().front();
    for (size_t column = 0; column < registers.Desc().dataColumns; ++column)
        registers.SetKnown(0, column, true);
    host.options.assignments = {"type=1", "slave=3", "register=100"};
    const std::unique_ptr<CCliCommand> command = MakeCliCommand(ECliCommand::Edit, host);
    host.command = command.get();
    ASSERT_TRUE(command->Prepare());
    command->OnWholeReadComplete();
    for (size_t sent = 0; sent != host.sink.blocks.size();) {
        sent = host.sink.blocks.size();
        host.Receive("CMD OK\r\n");
    }
    ASSERT_NE(host.sink.Joined().find("%DUMP_MODBUS_MASTER0\r"), std::string::npos) << host.sink.Joined();
    EXPECT_EQ(host.sink.Joined().find(page->DumpRequest()), std::string::npos) << "no page read";
    EXPECT_FALSE(host.Finished()) << host.finalMessage;
    host.clock.Advance(CTerminalSession::kPageReadQuietMs - 100);
    host.Receive("$MDMAS00,1,3,100\r\n");
    host.clock.Advance(CTerminalSession::kPageReadQuietMs - 100);
    EXPECT_FALSE(host.Finished()) << "the row's answer still comes";
    host.clock.Advance(100);
    EXPECT_EQ(host.exit, ECliExit::Ok);
    EXPECT_EQ(host.finalMessage, "modbus read back");
}

class CliExecCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path()
                / ("orlan-cli-exec-" + std::to_string(::getpid()) + "-"
                   + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
        m_profile = (m_dir / "profile.txt").string();
        std::ofstream(m_profile, std::ios::binary) << "//Battery alarm\r\n%POWDLY7\r\n%BATEN1\r\n";
        m_host.options.command = ECliCommand::Exec;
        m_host.options.profilePath = m_profile;
        m_command = MakeCliCommand(ECliCommand::Exec, m_host);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path m_dir;
    std::string m_profile;
    CFakeCliHost m_host;
    std::unique_ptr<CCliCommand> m_command;
};

TEST_F(CliExecCommand, ARunThatEndsBeforeTheProfileListsEveryCommandAsNotSent)
{
    ASSERT_TRUE(m_command->Prepare());
    m_command->BeforeEnd(false);
    EXPECT_EQ(m_host.out, "") << "the port never opened: nothing to say";
    m_command->BeforeEnd(true);
    EXPECT_EQ(m_host.out, "%POWDLY7 (not sent)\n%BATEN1 (not sent)\n");
}

TEST_F(CliExecCommand, ABackupOverTheProfileIsRefusedUnderAnySpelling)
{
    m_host.options.backupPath = (m_dir / "." / "profile.txt").string();
    EXPECT_FALSE(m_command->Prepare());
    EXPECT_EQ(m_host.exit, ECliExit::Usage);
    EXPECT_EQ(std::filesystem::file_size(m_profile), 36u) << "the profile is untouched";
}

TEST(CliCommands, EditTakesTheRowByTheLabelItsListShows)
{
    // "No.2" is what the phone list shows for its third row; "2" is the same row.
    const struct {
        std::string row;
        std::string sent;  // empty: refused before anything is sent
    } cases[] = {
        {"No.2", "%CS2+100\r"},
        {"no.2", "%CS2+100\r"},
        {"2", "%CS2+100\r"},
        {"No.10", ""},
        {"row3", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        test::CFakeCliHost host;
        host.catalogue.BindText("[SYSCHAR]\nNO_X=No.\n");
        host.options.command = ECliCommand::Edit;
        host.options.page = "control-phones";
        host.options.row = c.row;
        host.options.assignments = {"number=+100"};
        const std::unique_ptr<CCliCommand> command = MakeCliCommand(ECliCommand::Edit, host);
        host.command = command.get();
        if (c.sent.empty()) {
            EXPECT_FALSE(command->Prepare());
            EXPECT_EQ(host.exit, ECliExit::Usage);
            EXPECT_NE(host.finalMessage.find("its rows are No.0 (0) to No.9 (9)"), std::string::npos)
                << host.finalMessage;
            continue;
        }
        ASSERT_TRUE(command->Prepare()) << host.finalMessage;
        command->OnWholeReadComplete();
        EXPECT_NE(host.sink.Joined().find(c.sent), std::string::npos) << host.sink.Joined();
    }
}

} // namespace
} // namespace orlan::test
