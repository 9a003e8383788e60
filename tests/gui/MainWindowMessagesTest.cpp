// A unit that repeats what raises a message box (a refused password, a
// picture that cannot be saved, a profile that cannot be opened) gets one
// box of each kind on the desktop, however often it repeats it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "MainWindowTestSupport.h"

namespace orlan::test {
namespace {

TEST(MainWindowMessages, RepeatedFailuresKeepOneBoxOfEachKindOpen)
{
    COrlanDlg window(ShippedCatalogue(), [] {
        SStartOptions options = TestOptions();
        options.port = PortInput{199, {}};  // nothing real is opened
        return options;
    }());
    const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xD9};
    const std::string refusals = [] {
        std::string lines;
        for (int i = 0; i < 400; ++i)
            lines += "Login Failed\r\n";
        return lines;
    }();

    const struct {
        const char* what;
        std::function<void()> repeat;
        QString text;
    } cases[] = {
        {"login refused",
         [&] { window.Session().Receive().OnSerialData(refusals.data(), refusals.size()); },
         QStringLiteral("The login password is incorrect!")},
        {"picture not saved",
         [&] {
             for (int i = 0; i < 50; ++i)
                 window.SavePicture(jpeg, PrivateHome() + QStringLiteral("/missing/1.jpg"));
         },
         QStringLiteral("image not saved: ")},
        {"profile not opened",
         [&] {
             for (int i = 0; i < 50; ++i)
                 window.Profiles().ExecuteFrom(PrivateHome() + QStringLiteral("/missing.txt"));
         },
         QStringLiteral("Open the profile failed!")},
    };
    for (const auto& c : cases) {
        c.repeat();
        const QStringList texts = MessageTexts(window);
        ASSERT_EQ(texts.size(), 1) << c.what << ": " << texts.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(texts.front().startsWith(c.text)) << c.what << ": " << texts.front().toStdString();
        CloseMessages(window);
        EXPECT_TRUE(MessageTexts(window).isEmpty()) << c.what;
    }
    ForgetSettings();
}

} // namespace
} // namespace orlan::test
