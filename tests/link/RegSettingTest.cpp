#include "platform/RegSetting.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orlan {
namespace {

class RegSettingTest : public ::testing::Test {
protected:
    QString Path() const { return dir.filePath(QStringLiteral("link.ini")); }

    // Stores values exactly as a user or an older version may have left them.
    void WriteFile(const QByteArray& text) const
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray FileText() const
    {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(RegSettingTest, MissingStoreGivesTheDefaults)
{
    const CRegSetting settings(Path());
    EXPECT_EQ(settings.ReadNumber(kPortValueName, 0, kDefaultPortValue), 0);
    EXPECT_EQ(settings.ReadNumber(kSpeedValueName, 0, kDefaultSpeedValue), 5);
    EXPECT_EQ(settings.ReadNumber(kParityValueName, 0, kDefaultParityValue), 0);
    EXPECT_EQ(settings.ReadText(kServerPortValueName), QStringLiteral("8008"));
    EXPECT_EQ(settings.ReadText(kLocalNumberValueName), QString());
    EXPECT_EQ(settings.ReadText(kIpAddressValueName), QString());
}

TEST_F(RegSettingTest, NumbersAreStoredAsDecimalTextUnderIndexedNames)
{
    {
        CRegSetting settings(Path());
        settings.WriteNumber(kPortValueName, 0, 38);
        settings.WriteNumber(kSpeedValueName, 0, 9);
    }
    const QByteArray text = FileText();
    EXPECT_TRUE(text.contains("COMMPORT0=38")) << text.constData();
    EXPECT_TRUE(text.contains("BPSSEL0=9")) << text.constData();
    const CRegSetting reread(Path());
    EXPECT_EQ(reread.ReadNumber(kPortValueName, 0, 0), 38);
    EXPECT_EQ(reread.ReadNumber(kSpeedValueName, 0, 5), 9);
}

TEST_F(RegSettingTest, StoredTextReadsAsItsLeadingNumber)
{
    WriteFile("[General]\nBPSSEL0=abc\nCOMMPORT0=12abc\nFLOWCTRL0=-3\nBPSSEL1=\n"
              "BPSSEL2=99999999999\nBPSSEL3=+4\n");
    const CRegSetting settings(Path());
    EXPECT_EQ(settings.ReadNumber(kSpeedValueName, 0, 5), 0) << "text that is no number";
    EXPECT_EQ(settings.ReadNumber(kPortValueName, 0, 0), 12);
    EXPECT_EQ(settings.ReadNumber(kParityValueName, 0, 0), -3) << "a store of an earlier version keeps its parity";
    EXPECT_EQ(settings.ReadNumber(kSpeedValueName, 1, 5), 5) << "empty gives the default";
    EXPECT_EQ(settings.ReadNumber(kSpeedValueName, 2, 5), 0) << "beyond int";
    EXPECT_EQ(settings.ReadNumber(kSpeedValueName, 3, 5), 4);
    CRegSetting rewritten(Path());
    rewritten.WriteNumber(kParityValueName, 0, 2);
    EXPECT_FALSE(FileText().contains("FLOWCTRL")) << "the earlier name goes once the parity is stored";
    EXPECT_EQ(CRegSetting(Path()).ReadNumber(kParityValueName, 0, 0), 2);
}

TEST_F(RegSettingTest, EmptyServerPortReadsAsDefaultAndTextsRoundTrip)
{
    WriteFile("[General]\nSVRPORT=\n");
    CRegSetting settings(Path());
    EXPECT_EQ(settings.ReadText(kServerPortValueName), QStringLiteral("8008"));

    settings.WriteText(kServerPortValueName, QStringLiteral("9000"));
    settings.WriteText(kLocalNumberValueName, QStringLiteral("+491701234567"));
    settings.WriteText(kIpAddressValueName, QStringLiteral("10.0.0.1, backup"));
    const CRegSetting reread(Path());
    EXPECT_EQ(reread.ReadText(kServerPortValueName), QStringLiteral("9000"));
    EXPECT_EQ(reread.ReadText(kLocalNumberValueName), QStringLiteral("+491701234567"));
    EXPECT_EQ(reread.ReadText(kIpAddressValueName), QStringLiteral("10.0.0.1, backup"));
}

TEST_F(RegSettingTest, PasswordNeverReachesTheDisk)
{
    CRegSetting settings(Path());
    settings.WriteText(kLocalNumberValueName, QStringLiteral("123"));
    settings.WriteText(kPasswordValueName, QStringLiteral("s3cret-pw"));
    EXPECT_FALSE(FileText().contains("s3cret-pw"));
    EXPECT_FALSE(FileText().contains(QLatin1String(kPasswordValueName)));
    EXPECT_EQ(CRegSetting(Path()).ReadText(kPasswordValueName), QString());
}

TEST_F(RegSettingTest, UserPortPathsExistOnlyForTheUserRange)
{
    CRegSetting settings(Path());
    settings.SetUserPortPath(97, QStringLiteral("/dev/pts/4"));
    settings.SetUserPortPath(199, QStringLiteral("/dev/rfcomm0"));
    settings.SetUserPortPath(96, QStringLiteral("/dev/ignored"));
    settings.SetUserPortPath(200, QStringLiteral("/dev/ignored"));
    EXPECT_TRUE(FileText().contains("PORTPATH97=/dev/pts/4"));
    EXPECT_FALSE(FileText().contains("/dev/ignored"));

    const CRegSetting reread(Path());
    EXPECT_EQ(reread.UserPortPath(97), QStringLiteral("/dev/pts/4"));
    EXPECT_EQ(reread.UserPortPath(199), QStringLiteral("/dev/rfcomm0"));
    EXPECT_EQ(reread.UserPortPath(98), QString());

    settings.SetUserPortPath(97, QString());
    EXPECT_EQ(CRegSetting(Path()).UserPortPath(97), QString());
}

} // namespace
} // namespace orlan
