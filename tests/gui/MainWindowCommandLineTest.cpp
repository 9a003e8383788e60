// The desktop tool's command line: a port for this run, the password, the
// first page and the screenshot mode; anything else is refused with a reason.
#include <gtest/gtest.h>

#include "app/ScreenshotMode.h"
#include "app/StartOptions.h"
#include "MainWindowTestSupport.h"
#include "support/QtTestSupport.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orlan {
namespace {

SParsedCommandLine Parse(std::initializer_list<const char*> args)
{
    QStringList list;
    for (const char* arg : args)
        list.append(QString::fromUtf8(arg));
    return ParseCommandLine(list);
}

TEST(MainWindowCommandLine, NamesAPortByNumberOrDevicePath)
{
    const SParsedCommandLine number = Parse({"--port", "com7"});
    ASSERT_EQ(number.outcome, EParseOutcome::Run);
    ASSERT_TRUE(number.options.port);
    EXPECT_EQ(number.options.port->portNumber, 7);
    EXPECT_TRUE(number.options.port->devicePath.isEmpty());

    const SParsedCommandLine path = Parse({"--port", "/run/user/1000/orlan-sim"});
    ASSERT_EQ(path.outcome, EParseOutcome::Run);
    ASSERT_TRUE(path.options.port);
    EXPECT_EQ(path.options.port->devicePath, QStringLiteral("/run/user/1000/orlan-sim"));

    const SParsedCommandLine none = Parse({});
    EXPECT_EQ(none.outcome, EParseOutcome::Run);
    EXPECT_FALSE(none.options.port);
    EXPECT_FALSE(none.options.password);
}

TEST(MainWindowCommandLine, TakesEveryOptionTogetherAndAnEmptyPassword)
{
    const SParsedCommandLine parsed =
        Parse({"--password", "", "--page", "PAGE_BASIC", "--screenshot", "shot.png", "--port", "COM199"});
    ASSERT_EQ(parsed.outcome, EParseOutcome::Run) << parsed.error.toStdString();
    ASSERT_TRUE(parsed.options.password);
    EXPECT_TRUE(parsed.options.password->isEmpty());
    EXPECT_EQ(parsed.options.firstPage, QStringLiteral("PAGE_BASIC"));
    EXPECT_EQ(parsed.options.screenshotPath, QStringLiteral("shot.png"));
    EXPECT_EQ(parsed.options.port->portNumber, 199);
}

TEST(MainWindowCommandLine, RefusesWhatItCannotUseWithAReason)
{
    struct Case {
        std::initializer_list<const char*> args;
        const char* reason;
    };
    const Case cases[] = {
        {{"--port", "COM200"}, "not a port: COM200"},
        {{"--port", "ttyUSB0"}, "not a port: ttyUSB0"},
        {{"--port"}, "--port needs a value"},
        {{"--password"}, "--password needs a value"},
        {{"--screenshot", ""}, "--screenshot needs a file name"},
        {{"--verbose"}, "unexpected argument --verbose"},
        {{"/dev/ttyUSB0"}, "unexpected argument /dev/ttyUSB0"},
    };
    for (const Case& c : cases) {
        const SParsedCommandLine parsed = Parse(c.args);
        EXPECT_EQ(parsed.outcome, EParseOutcome::Error) << c.reason;
        EXPECT_EQ(parsed.error.toStdString(), c.reason);
    }
}

TEST(MainWindowCommandLine, HelpAndVersionWinOverWhateverFollows)
{
    EXPECT_EQ(Parse({"--help", "--bogus"}).outcome, EParseOutcome::Help);
    EXPECT_EQ(Parse({"--port", "COM1", "-h"}).outcome, EParseOutcome::Help);
    EXPECT_EQ(Parse({"--version", "--page", "nonsense"}).outcome, EParseOutcome::Version);
}

TEST(MainWindowCommandLine, AnUnknownPageIsRefusedWithTheKeysThereAre)
{
    const SParsedCommandLine unknown = Parse({"--page", "PAGE_NOPE"});
    ASSERT_EQ(unknown.outcome, EParseOutcome::Error);
    EXPECT_TRUE(unknown.error.startsWith(QStringLiteral("unknown page PAGE_NOPE; the pages are: ")))
        << unknown.error.toStdString();
    EXPECT_TRUE(unknown.error.contains(QStringLiteral("PAGE_BASIC, ")));
    EXPECT_TRUE(unknown.error.contains(QStringLiteral("CPageSos")));
    EXPECT_EQ(Parse({"--page", "CPageSos"}).outcome, EParseOutcome::Run) << "a page without item";
}


TEST(MainWindowScreenshot, APortHeldByAnotherProgramEndsTheScreenshotAtOnceSayingSo)
{
    test::CSimProcess sim({QStringLiteral("--no-login")});
    ASSERT_FALSE(sim.Device().isEmpty());
    // Another program holds the port as the tool's programs do.
    const int held = ::open(sim.Device().toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);

    SStartOptions options = test::TestOptions();
    options.port = PortInput{0, sim.Device()};
    COrlanDlg window(test::ShippedCatalogue(), options);
    CScreenshotMode shot(window, test::PrivateHome() + QStringLiteral("/busy.png"));
    int status = -1;
    shot.finished = [&status](int s) { status = s; };
    // Well inside the whole read's patience: the busy port ends it, not the wait.
    EXPECT_TRUE(test::PumpUntil([&status] { return status >= 0; }));
    EXPECT_EQ(status, 3);
    EXPECT_EQ(window.PortError().kind, LinkError::Kind::Busy);
    EXPECT_FALSE(QFile::exists(test::PrivateHome() + QStringLiteral("/busy.png")));
    ::close(held);
    test::ForgetSettings();
}

} // namespace
} // namespace orlan
