// A profile run from the window is checked against the whole read after it:
// every setting took effect, or the ones that did not are named, or the
// check could not be made because the terminal went away.
#include <gtest/gtest.h>

#include <QFile>
#include <QMessageBox>

#include "MainWindowTestSupport.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

// The text of the open verification box; empty while none is open.
QString VerificationText(const COrlanDlg& window)
{
    for (const QMessageBox* box : window.findChildren<QMessageBox*>(QStringLiteral("verificationBox"))) {
        if (box->isVisible())
            return box->text();
    }
    return {};
}

QString WaitForVerification(COrlanDlg& window)
{
    PumpUntil([&] { return !VerificationText(window).isEmpty(); }, std::chrono::seconds(60));
    return VerificationText(window);
}

// The siren section of the terminal's profile with the alarm duration set to `seconds`.
QString SirenProfile(COrlanDlg& window, int seconds)
{
    const std::string bytes = window.Session().ProfileBytes();
    const size_t from = bytes.find("//Page Buzzer Siren");
    std::string section =
        from == std::string::npos ? std::string() : bytes.substr(from, bytes.find("//Page", from + 1) - from);
    const size_t duration = section.find("%BUZT");
    if (duration != std::string::npos)
        section.replace(duration, section.find('\r', duration) - duration, "%BUZT" + std::to_string(seconds));
    const QString path = PrivateHome() + QStringLiteral("/siren.txt");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(section.data(), static_cast<qint64>(section.size()));
    return path;
}

TEST(MainWindowProfileVerification, ARunSaysWhetherEverySettingTookEffectAndNamesTheOnesThatDidNot)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());

    const QString taken = SirenProfile(window, 45);
    window.Profiles().ExecuteFrom(taken);
    const QString verified = WaitForVerification(window);
    EXPECT_TRUE(verified.startsWith(QStringLiteral("Every setting of siren.txt took effect")))
        << verified.toStdString();
    EXPECT_EQ(window.Status().StatusText(), verified);
    CloseMessages(window);

    // A terminal that refuses every setting keeps its 45 s: only that line
    // of the file is named, not the switch it already held.
    ASSERT_TRUE(t.sim.Control(QStringLiteral("set-fault cmd-err on")));
    window.Profiles().ExecuteFrom(SirenProfile(window, 50));
    const QString refused = WaitForVerification(window);
    EXPECT_TRUE(refused.startsWith(QStringLiteral("1 setting(s) of siren.txt did not take effect")))
        << refused.toStdString();
    EXPECT_TRUE(refused.endsWith(QStringLiteral("\n\n%BUZT50"))) << refused.toStdString();
    EXPECT_TRUE(window.Status().StatusText().endsWith(QStringLiteral(" %BUZT50")))
        << window.Status().StatusText().toStdString();
}

TEST(MainWindowProfileVerification, ATerminalLostDuringTheRunCannotBeVerifiedAndSaysSo)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login"),
                        QStringLiteral("--fault-late"), QStringLiteral("300")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());

    window.Profiles().ExecuteFrom(SirenProfile(window, 55));
    ASSERT_TRUE(PumpUntil([&] { return t.log.Contains(QStringLiteral("%STARTCMD")); }));
    t.sim.Kill();
    const QString text = WaitForVerification(window);
    EXPECT_TRUE(
        text.startsWith(QStringLiteral("Whether the settings of siren.txt took effect could not be verified: ")))
        << text.toStdString();
    EXPECT_FALSE(window.Session().ProfileRunning());
}

} // namespace
} // namespace orlan::test
