// The command line of orlan-cli: every command with its argument, the options
// in any order, and a clear reason for each bad command line.
#include <gtest/gtest.h>

// The parser has no library of its own: it is compiled in here as it is into
// orlan-cli.
#include "cli/CliArgs.h"
#include "cli/TerminalText.h"

namespace orlan::test {
namespace {

SCliParse Parse(std::vector<std::string> args)
{
    return ParseCliArgs(args);
}

TEST(CliArgs, CommandsTakeTheirArgumentAndOptionsGoAnywhere)
{
    const SCliParse read = Parse({"--port", "/dev/pts/3", "read"});
    ASSERT_TRUE(read.options) << read.error;
    EXPECT_EQ(read.options->command, ECliCommand::Read);
    EXPECT_EQ(read.options->port, "/dev/pts/3");
    EXPECT_EQ(read.options->timeoutSeconds, 60);
    EXPECT_FALSE(read.options->timeoutGiven);
    EXPECT_EQ(read.options->commandTimeoutMs, 0);
    EXPECT_EQ(read.options->password, kInitialPassword);
    EXPECT_TRUE(read.options->profilePath.empty());

    const SCliParse saved = Parse({"read", "--profile", "out.txt", "--verbose", "--port", "COM3", "--password",
                                   "rain is a cold one", "--timeout", "5", "--command-timeout", "250"});
    ASSERT_TRUE(saved.options) << saved.error;
    EXPECT_EQ(saved.options->profilePath, "out.txt");
    EXPECT_TRUE(saved.options->verbose);
    EXPECT_EQ(saved.options->port, "COM3");
    EXPECT_EQ(saved.options->password, "rain is a cold one");
    EXPECT_EQ(saved.options->timeoutSeconds, 5);
    EXPECT_TRUE(saved.options->timeoutGiven);
    EXPECT_EQ(saved.options->commandTimeoutMs, 250);

    const SCliParse exec = Parse({"--port", "COM1", "exec", "my profile.txt"});
    ASSERT_TRUE(exec.options) << exec.error;
    EXPECT_EQ(exec.options->command, ECliCommand::Exec);
    EXPECT_EQ(exec.options->profilePath, "my profile.txt");

    const SCliParse send = Parse({"--port", "COM1", "send", "%CS1+123 4"});
    ASSERT_TRUE(send.options) << send.error;
    EXPECT_EQ(send.options->command, ECliCommand::Send);
    EXPECT_EQ(send.options->text, "%CS1+123 4");

    // After "--" a text may start with a dash; an empty text sends a bare CR.
    const SCliParse dashed = Parse({"--port", "COM1", "send", "--", "-x"});
    ASSERT_TRUE(dashed.options) << dashed.error;
    EXPECT_EQ(dashed.options->text, "-x");
    const SCliParse empty = Parse({"--port", "COM1", "send", ""});
    ASSERT_TRUE(empty.options) << empty.error;
    EXPECT_EQ(empty.options->text, "");
    const SCliParse emptyPassword = Parse({"--port", "COM1", "--password", "", "read"});
    ASSERT_TRUE(emptyPassword.options) << emptyPassword.error;
    EXPECT_FALSE(emptyPassword.options->raw);
    const SCliParse raw = Parse({"monitor", "--raw", "--port", "COM1"});
    ASSERT_TRUE(raw.options) << raw.error;
    EXPECT_TRUE(raw.options->raw);

    const std::pair<const char*, ECliCommand> plain[] = {{"monitor", ECliCommand::Monitor},
                                                         {"setup", ECliCommand::Setup},
                                                         {"restart", ECliCommand::Restart},
                                                         {"defaults", ECliCommand::Defaults}};
    for (const auto& [name, command] : plain) {
        const SCliParse parsed = Parse({"--port", "COM1", name});
        ASSERT_TRUE(parsed.options) << name << ": " << parsed.error;
        EXPECT_EQ(parsed.options->command, command) << name;
    }
}

TEST(CliArgs, PageCommandsTakeTheirPageRowAndSettingsInOrder)
{
    const SCliParse pages = Parse({"pages"});  // no port: nothing is opened
    ASSERT_TRUE(pages.options) << pages.error;
    EXPECT_EQ(pages.options->command, ECliCommand::Pages);

    const SCliParse all = Parse({"--port", "COM1", "show", "--json"});
    ASSERT_TRUE(all.options) << all.error;
    EXPECT_TRUE(all.options->page.empty());
    EXPECT_TRUE(all.options->json);

    const SCliParse write = Parse({"--port", "COM1", "write", "gprs", "--set", "apn=a=b", "--set", "apn=c"});
    ASSERT_TRUE(write.options) << write.error;
    EXPECT_EQ(write.options->page, "gprs");
    EXPECT_EQ(write.options->assignments, (std::vector<std::string>{"apn=a=b", "apn=c"}));

    const SCliParse edit = Parse({"--port", "COM1", "edit", "--table", "1", "CPageRfZone", "11"});
    ASSERT_TRUE(edit.options) << edit.error;
    EXPECT_EQ(edit.options->page, "CPageRfZone");
    EXPECT_EQ(edit.options->row, "11");
    EXPECT_EQ(edit.options->table, 1U);

    const SCliParse exec = Parse({"--port", "COM1", "exec", "p.txt", "--backup", "b.txt", "--verify"});
    ASSERT_TRUE(exec.options) << exec.error;
    EXPECT_EQ(exec.options->backupPath, "b.txt");
    EXPECT_TRUE(exec.options->verify);
    const SCliParse diff = Parse({"--port", "COM1", "diff", "p.txt"});
    ASSERT_TRUE(diff.options) << diff.error;
    EXPECT_EQ(diff.options->profilePath, "p.txt");

    // On a profile, and two profiles compared: no port.
    const SCliParse offline = Parse({"--profile", "p.txt", "write", "buzzer", "--set", "duration=45", "--output", "n.txt"});
    ASSERT_TRUE(offline.options) << offline.error;
    EXPECT_EQ(offline.options->profilePath, "p.txt");
    EXPECT_EQ(offline.options->outputPath, "n.txt");
    const SCliParse both = Parse({"diff", "a.txt", "b.txt", "--json"});
    ASSERT_TRUE(both.options) << both.error;
    EXPECT_EQ(both.options->otherProfilePath, "b.txt");

    const SCliParse status = Parse({"status", "--watch", "--port", "COM1", "--json"});
    ASSERT_TRUE(status.options) << status.error;
    EXPECT_EQ(status.options->command, ECliCommand::Status);
    EXPECT_TRUE(status.options->watch && status.options->json);
    const SCliParse history = Parse({"history", "100234"});  // no port: the history is on this computer
    ASSERT_TRUE(history.options) << history.error;
    EXPECT_EQ(history.options->command, ECliCommand::History);
    EXPECT_EQ(history.options->unit, "100234");
}

TEST(CliArgs, HelpWinsOverEverythingElse)
{
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"--port", "COM1", "read", "-h"}).help);
    EXPECT_TRUE(Parse({"--bogus", "--timeout", "x", "--help"}).help);
    // A value that looks like the option is still a value.
    const SCliParse password = Parse({"--port", "COM1", "--password", "--help", "read"});
    ASSERT_TRUE(password.options) << password.error;
    EXPECT_EQ(password.options->password, "--help");
    const std::string usage = CliUsage();
    for (const char* word : {"read [--profile FILE]", "exec FILE", "send TEXT", "monitor", "setup", "restart",
                             "defaults", "pages [PAGE]", "show [PAGE] [--json]", "write PAGE [--set ID=VALUE]...",
                             "edit PAGE ROW [--table N]", "diff PROFILE", "--backup BACKUP", "--verify",
                             "--command-timeout MS", "--raw", "exit status", "10 diff", "11 exec --verify",
                             "12 standard output could not be written"})
        EXPECT_NE(usage.find(word), std::string::npos) << word;
}

TEST(CliArgs, VersionWinsOverAnythingButHelp)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--version"}, {"--bogus", "--timeout", "x", "--version"},
          {"--port", "COM1", "exec", "--version"}}) {
        const SCliParse parsed = Parse(args);
        EXPECT_TRUE(parsed.version) << args.back();
        EXPECT_FALSE(parsed.help);
        EXPECT_FALSE(parsed.options);
    }
    const SCliParse both = Parse({"--version", "--help"});
    EXPECT_TRUE(both.help);
    EXPECT_FALSE(both.version);
    const SCliParse password = Parse({"--port", "COM1", "--password", "--version", "read"});
    ASSERT_TRUE(password.options) << password.error;
    EXPECT_FALSE(password.version);
    EXPECT_EQ(password.options->password, "--version");
    EXPECT_NE(std::string(CliUsage()).find("--version"), std::string::npos);
}

TEST(CliArgs, BadCommandLinesSayWhy)
{
    const std::string longText(kMaxSendText + 1, 'A');
    const struct {
        std::vector<std::string> args;
        std::string error;
    } cases[] = {
        {{"read"}, "--port is required"},
        {{"--port", "COM1"}, "no command given"},
        {{"--port", "COM1", "reed"}, "unknown command reed"},
        {{"--port", "COM1", "--bogus", "read"}, "unknown option --bogus"},
        {{"--port"}, "--port needs a value"},
        {{"--port", "COM1", "read", "--password"}, "--password needs a value"},
        {{"--port", "COM1", "--timeout", "0", "read"}, "--timeout takes seconds from 1 to 86400, not 0"},
        {{"--port", "COM1", "--timeout", "5s", "read"}, "--timeout takes seconds from 1 to 86400, not 5s"},
        {{"--port", "COM1", "--timeout", "99999999999", "read"},
         "--timeout takes seconds from 1 to 86400, not 99999999999"},
        {{"--port", "COM1", "--command-timeout", "-1", "read"},
         "--command-timeout takes milliseconds from 1 to 600000, not -1"},
        {{"--port", "COM1", "exec"}, "exec needs FILE"},
        {{"--port", "COM1", "exec", ""}, "exec needs a file name"},
        {{"--port", "COM1", "send"}, "send needs TEXT"},
        {{"--port", "COM1", "send", "%A", "%B"}, "unexpected argument %B"},
        {{"--port", "COM1", "read", "extra"}, "unexpected argument extra"},
        {{"--port", "COM1", "exec", "p.txt", "--profile", "q.txt"}, "--profile goes with read and show and write and edit and report only"},
        {{"--port", "COM1", "show", "--profile", "p.txt"},
         "--profile FILE works on the file instead of a terminal: give --port or --profile, not both"},
        {{"--port", "COM1", "write", "main", "--output", "n.txt"}, "--output goes with --profile FILE only"},
        {{"--port", "COM1", "exec", "p.txt", "--set", "duration=5"},
         "exec --set takes PAGE.ID=VALUE or PAGE.ROW.ID=VALUE, not duration=5"},
        {{"diff", "p.txt"}, "--port is required"},
        {{"--profile", "p.txt", "report"}, "report needs --output FILE (.html or .pdf)"},
        {{"--port", "COM1", "read", "--profile", ""}, "--profile needs a file name"},
        {{"--port", "COM1", "send", "%A\r%B"}, "send takes one line: TEXT holds a line end"},
        {{"--port", "COM1", "send", longText}, "send TEXT is longer than the terminal's line of 1023 bytes"},
        {{"--port", "COM1", "write"}, "write needs PAGE"},
        {{"--port", "COM1", "edit", "rf-zones"}, "edit needs PAGE ROW"},
        {{"--port", "COM1", "edit", "rf-zones", "-1"}, "unknown option -1"},
        {{"--port", "COM1", "edit", "rf-zones", " "}, "edit takes a row's label or its number from 0, not an empty ROW"},
        {{"--port", "COM1", "edit", "rf-zones", "1", "--table", "a"}, "--table takes a table number from 0, not a"},
        {{"--port", "COM1", "show", "main", "--set", "a=1"}, "--set goes with write and edit and exec only"},
        {{"--port", "COM1", "read", "--json"}, "--json goes with show and status and history and diff only"},
        {{"--port", "COM1", "show", "--watch"}, "--watch goes with status only"},
        {{"history", "100234", "7"}, "unexpected argument 7"},
        {{"status"}, "--port is required"},
        {{"--port", "COM1", "diff", "p.txt", "--verify"}, "--verify goes with exec only"},
        {{"--port", "COM1", "exec", "p.txt", "--backup", "p.txt"}, "--backup must not overwrite the profile to execute"},
        {{"show", "main"}, "--port is required"},
    };
    for (const auto& c : cases) {
        const SCliParse parsed = Parse(c.args);
        EXPECT_FALSE(parsed.options) << c.error;
        EXPECT_FALSE(parsed.help);
        EXPECT_EQ(parsed.error, c.error);
    }
    const SCliParse longest = Parse({"--port", "COM1", "send", std::string(kMaxSendText, 'A')});
    EXPECT_TRUE(longest.options) << longest.error;
}

TEST(TerminalText, ControlAndEscapeBytesAreShownEscapedAndTextStaysAsItIs)
{
    const std::pair<std::string, std::string> cases[] = {
        {"$CS1 +8613800000002\tok\r\n", "$CS1 +8613800000002\tok\r\n"},
        {"\x1b]0;owned\x07\x1b[2J", "\\x1b]0;owned\\x07\\x1b[2J"},
        {std::string("a\0b\x7f", 4), "a\\x00b\\x7f"},
        // UTF-8 text stays; C1 controls (CSI as U+009B) and broken bytes do not.
        {"\xd0\x9f\xd1\x80\xd0\xb8 \xe2\x82\xac", "\xd0\x9f\xd1\x80\xd0\xb8 \xe2\x82\xac"},
        {"\xc2\x9b" "31m", "\\xc2\\x9b31m"},
        {"\x9b" "31m \xff", "\\x9b31m \\xff"},
        {"\xe2\x82", "\\xe2\\x82"},
    };
    for (const auto& [bytes, shown] : cases)
        EXPECT_EQ(EscapeForTerminal(bytes), shown) << bytes;
}

} // namespace
} // namespace orlan::test
