// The session's English texts as the window shows them: translated where
// the window knows them (numbers, names and commands carried over), exactly
// as they came where it does not, or where no translation is installed.
#include <QCoreApplication>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CatalogueTranslator.h"
#include "app/SessionTexts.h"
#include "console/CommandQueue.h"
#include "console/ProfileReader.h"
#include "labels/LabelCatalogue.h"
#include "pages/FieldSet.h"
#include "pages/KnownValues.h"
#include "session/TerminalSession.h"
#include "support/ShippedCatalogues.h"

namespace orlan {
namespace {

std::string ReaderError(std::string_view profile)
{
    CProfileReader reader;
    reader.Feed(profile);
    reader.Finish();
    return reader.Error();
}

SJobReport EveryCounter()
{
    SJobReport report;
    report.sent = 12;
    report.notSent = 1;
    report.rejected = 2;
    report.unanswered = 3;
    report.busy = 1;
    report.uncertain = 1;
    report.surplus = 3;
    report.cancelled = true;
    for (int i = 0; i < 35; ++i)
        report.failed.push_back("%PHONE" + std::to_string(i) + " (CMD ERR)");
    return report;
}

// What the session hands its view, made by the code that makes it where
// that code is reachable, else as the session writes it.
std::vector<std::string> SessionSamples()
{
    SFieldDesc text{.id = "phone", .kind = EFieldKind::Text};
    SFieldDesc digits{.id = "pin", .kind = EFieldKind::Text, .digitsOnly = true};
    SFieldDesc spin{.id = "delay", .kind = EFieldKind::Spin, .minimum = -5, .maximum = 250};
    SFieldDesc decimal{.id = "scale", .kind = EFieldKind::Text};
    decimal.value = EValueType::Decimal;
    SJobReport one;
    one.sent = 1;
    one.surplus = 1;
    const SJobReport every = EveryCounter();
    std::vector<std::string> samples = {
        "The login password is incorrect!",
        "Excute the profile sucessed!",
        "The profile was not executed: nothing to execute (no line starts with '%')",
        "The profile was not executed, nothing was sent: line 7: a command of 1100 bytes is longer than the "
        "terminal's line limit of 1024 bytes",
        "the read request could not be written: the channel's output stayed full",
        "the read request could not be written: the channel is closed",
        "no end of the dump within 30 s",
        "the terminal did not answer within 10 s: check the cable, the port, that the terminal is powered and "
        "that the password is right",
        "the port was closed",
        "4 lines of the dump came with stray bytes before them: check the port's speed and parity, and the cable",
        "the terminal ended its dump without a single setting line",
        "the terminal answered the read request \"CMD ERR\": is it logged in?",
        ValueError(text, "12\r\n34"),
        ValueError(text, std::string(1001, 'x')),
        ValueError(digits, "12a"),
        ValueError(spin, "300"),
        ValueError(decimal, "1.2.3"),
        BrokenCommandText("%PHONE1,+7900%RST"),
        one.Summary(),
        every.Summary(),
        ProfileFailureText(every),
        ProfileRestartText(every, 40, {"%APN1internet", "%BAND04"}),
    };
    for (std::string_view profile :
         {std::string_view("; only a comment\r\n"), std::string_view("%A\rB\r\n"), std::string_view("%A\0B\r\n", 7),
          std::string_view("%A\x01" "B\r\n"), std::string_view("%%%%\r\n")}) {
        const std::string why = ReaderError(profile);
        samples.push_back(why);
        samples.push_back("The profile was not executed, nothing was sent: " + why);
    }
    return samples;
}

class SessionTextsInRussian : public ::testing::Test {
protected:
    void SetUp() override
    {
        CLabelCatalogue catalogue;
        ASSERT_TRUE(catalogue.Bind(test::ShippedCataloguePath(test::kShippedCatalogues[1])));
        m_translator = std::make_unique<CCatalogueTranslator>(catalogue);
        ASSERT_TRUE(QCoreApplication::installTranslator(m_translator.get()));
    }
    void TearDown() override { QCoreApplication::removeTranslator(m_translator.get()); }

    std::unique_ptr<CCatalogueTranslator> m_translator;
};

TEST_F(SessionTextsInRussian, EveryKnownTextIsTranslatedWithWhatItCarries)
{
    for (const std::string& english : SessionSamples()) {
        ASSERT_FALSE(english.empty());
        const QString shown = SessionText(english);
        EXPECT_NE(shown, QString::fromStdString(english)) << english;
        EXPECT_FALSE(shown.contains(QLatin1String(" the "))) << "left in English: " << shown.toStdString();
    }
    // Numbers, names and commands come through.
    EXPECT_TRUE(SessionText("no end of the dump within 30 s").contains(QLatin1String("30")));
    EXPECT_TRUE(SessionText(ValueError({.kind = EFieldKind::Spin, .minimum = -5, .maximum = 250}, "300"))
                    .contains(QLatin1String("-5")));
    EXPECT_TRUE(SessionText(BrokenCommandText("%PHONE1,+7900%RST")).contains(QLatin1String("\"%PHONE1,+7900%RST\"")));
    const QString failure = SessionText(ProfileFailureText(EveryCounter()));
    EXPECT_TRUE(failure.contains(QLatin1String("\n%PHONE0 (CMD ERR)\n"))) << failure.toStdString();
    EXPECT_TRUE(failure.endsWith(QLatin1String(" 5"))) << failure.toStdString();  // "... and 5 more"
    EXPECT_EQ(SessionText("Excute the profile sucessed!"), QStringLiteral("Профиль выполнен успешно!"));
}

TEST_F(SessionTextsInRussian, UnknownTextsAndPartsStayAsTheyCame)
{
    for (const std::string unknown :
         {"Something the session has never said", "Logged in\n\nwelcome", "3 commands sent, 2 teleported", ""}) {
        EXPECT_EQ(SessionText(unknown), QString::fromStdString(unknown)) << unknown;
    }
    // The port's own reason is not the session's to translate.
    const QString lost = SessionText("the link was lost: Input/output error");
    EXPECT_NE(lost, QStringLiteral("the link was lost: Input/output error"));
    EXPECT_TRUE(lost.endsWith(QLatin1String(": Input/output error"))) << lost.toStdString();
}

TEST(SessionTextsInEnglish, ComeOutExactlyAsTheSessionWroteThem)
{
    // No translator: what the window rebuilds from the pieces is the
    // session's own text, character for character.
    for (const std::string& english : SessionSamples())
        EXPECT_EQ(SessionText(english), QString::fromStdString(english));
}

} // namespace
} // namespace orlan
