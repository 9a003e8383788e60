// The 3G video page and the MMS set-up page: their lines, their batches
// (hidden values travel as read, lists only with a selection) and the camera
// preview: View and Stop, whole pictures, and pictures that never end.
#include <gtest/gtest.h>

#include <algorithm>

#include "SessionHarness.h"
#include "pages/network/Mms3GPage.h"
#include "pages/network/MmsSetupPage.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;

const std::initializer_list<std::string_view> kVideoLines = {
    "$M2M_APN 3gnet", "$M2M_UID u3", "$M2M_PWD p3", "$SMTP_SVR smtp.example.com", "$SMTP_PORT 25",
    "$SMTP_UID alarm", "$SMTP_PWD secret", "$SMTP_FROM a@b.c", "$3GS_GISS 10.0.0.1", "$3GS_GISP 8000",
    "$3GS_GPST 60", "$3GS_VCHN 1", "$3GS_VFMT 0", "$3GS_VCRS 30", "$3GS_ALARM_MMS 1", "$3GS_ALARM_VCALL 0",
    "$3GS_ALARM_VPR 1", "$3GS_DINVPC0 1", "$3GS_DINVCR0 0", "$3GS_DINVPC1 0", "$3GS_DINVCR1 1",
    "$3GS_DINVCH0 1", "$3GS_DINVCH1 0", "$SYS_FTPSVR0 ftp.example.com", "$SYS_FTPPOT0 21"};

TEST(Video3GPage, HiddenValuesTravelInTheBatchExactlyAsRead)
{
    CSessionHarness h;
    CPage3GMMS& page = h.Page<CPage3GMMS>("CPage3GMMS");
    h.Feed(kVideoLines);
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%M2MAPN3gnet\r", "%M2MUIDu3\r", "%M2MPWDp3\r",
                      "%SYSSMTPsmtp.example.com,25,alarm,secret,a@b.c\r", "%GPSGIS10.0.0.1,8000\r",
                      "%GISTIMER60\r", "%MMSVINC1\r", "%MMSVINF0\r", "%3GDVRTIME30\r", "%3GALARMMMS1\r",
                      "%3GALARMVP0\r", "%3GALARMVC1\r", "%IOVPC0,1\r", "%IOVPC1,0\r", "%IODVR0,0\r", "%IODVR1,1\r",
                      "%IOVCH0,1\r", "%IOVCH1,0\r", "%FTPSVR0=ftp.example.com,21\r", "%COMMITCMD\r"}));
    const CFieldSet& f = page.Fields();
    EXPECT_TRUE(f.Desc(f.IndexOf("smtpServer")).hidden);
    EXPECT_FALSE(f.Desc(f.IndexOf("videoChannel")).hidden);

    // A channel beyond the list is kept as it came; no number is no command.
    h.Feed({"$3GS_VCHN 2", "$3GS_DINVCH1 x", "$3GS_ALARM_MMS x"});
    const Blocks batch = Texts(page.BuildCommands(ETarget::Terminal));
    EXPECT_EQ(std::count(batch.begin(), batch.end(), "%MMSVINC2\r"), 1);
    EXPECT_EQ(std::count_if(batch.begin(), batch.end(), [](const std::string& c) { return c.starts_with("%IOVCH1"); }),
              0);
    EXPECT_EQ(f.Number("alarmMms"), 0);
    h.session.ReadPage(page);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_MMS\r%DUMP_GPIO\r"});
    EXPECT_EQ(f.Text("smtpPassword"), "");
    EXPECT_EQ(f.Number("videoFormat"), -1);
}

class MmsSetupPage : public ::testing::Test {
protected:
    // A picture as the terminal sends it, in one block.
    void FeedPicture(std::string_view jpeg, bool ended = true)
    {
        std::string bytes = "$IMAGE_START\r\n" + std::string(jpeg);
        if (ended)
            bytes += "$IMAGE_END\r\n";
        h.session.Receive().OnSerialData(bytes.data(), bytes.size());
    }

    CSessionHarness h;
    CPageMmsSetup& page = h.Page<CPageMmsSetup>("CPageMmsSetup");
    const CFieldSet& f = page.Fields();
    const std::string picture = std::string("\xFF\xD8\xFF\xE0", 4) + "camera" + std::string("\xFF\xD9", 2);
    const std::string other = std::string("\xFF\xD8\xFF\xE0", 4) + "second" + std::string("\xFF\xD9", 2);
};

TEST_F(MmsSetupPage, LinesWithoutTheirPrefixFillTheFieldsAndTheBatchFollowsTheirOrder)
{
    h.Feed({"$MMS_SCUhttp://mmsc.example.com", "$MMS_SCP80", "$MMS_GAT10.0.0.172", "$MMS_APNcmwap", "$MMS_UIDmms",
            "$MMS_PWDpw", "$MMS_PXYproxy", "$MMS_NAPnap", "$MMS_PSZ1", "$MMS_PWB3", "$MMS_PMD2", "$MMS_PBR4",
            "$MMS_PCT2", "$MMS_PTR15", "$MMSACC 1", "$MMSTCC 0", "$MMSSMSCC 1", "$MMSALARM 1", "$MMSSMSRP 0",
            "$MMSSMSHC 1", "$MMSEXTMMSFST 1", "$3GS_VCHN 2", "$3GS_VFMT 1", "$3GS_VCRS 20", "$3GS_ALARM_VCALL 1",
            "$MMS_ETC3"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%MMSEXTMMSFIRST1\r", "%3GALARMVP1\r", "%3GDVRTIME20\r", "%MMSVINC2\r",
                      "%MMSVINF1\r", "%MMSChttp://mmsc.example.com,80\r", "%MMSGATE10.0.0.172\r", "%MMSUIDmms\r",
                      "%MMSPWDpw\r", "%MMSPXYproxy\r", "%MMSAPNcmwap\r", "%MMSNAPnap\r", "%DSCFMT1,4,3\r",
                      "%DSCMODE2\r", "%MMSPC2\r", "%MMST15\r", "%MMSACC1\r", "%MMSTCC0\r", "%MMSSMSCC1\r",
                      "%MMSALARM1\r", "%MMSSMSHC1\r", "%MMSSMSNT0\r", "%COMMITCMD\r"}));
    // What the terminal reports is kept as it came and written back so: a
    // letter as brightness (never its code minus 48, never an empty value),
    // a picture size or first action beyond the lists.
    h.Feed({"$MMS_PBRA", "$MMS_PSZ9", "$MMSACC 0", "$MMSEXTMMSFST 7"});
    EXPECT_EQ(f.Text("brightness"), "A");
    // A value naming another setting sets only its own field.
    h.Feed({"$MMSALARM 0", "$MMS_SCUhttp://x/SMSCC1ALARM1"});
    EXPECT_EQ(f.Text("mmsCentre"), "http://x/SMSCC1ALARM1");
    EXPECT_EQ(f.Number("mmsAlarm"), 0);
    EXPECT_EQ(f.Number("alarmSmsAll"), 1);
    EXPECT_EQ(f.Number("alarmMmsAll"), 0);
    const Blocks batch = Texts(page.BuildCommands(ETarget::Terminal));
    EXPECT_EQ(std::count_if(batch.begin(), batch.end(), [](const std::string& c) { return c == "%DSCFMT9,A,3\r"; }), 1);
    EXPECT_EQ(std::count(batch.begin(), batch.end(), "%MMSEXTMMSFIRST7\r"), 1);
    // Save ends with the page's read: Clear, then the request.
    h.session.WriteBack(page);
    for (const std::string& command : batch) {
        EXPECT_EQ(h.TakeWritten(), Blocks{command});
        h.AnswerOk();
    }
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_MMS\r"});
    EXPECT_EQ(f.Text("mmsCentre"), "");
}

TEST_F(MmsSetupPage, ViewAsksForAPictureAndOnlyAWholeOneReplacesTheLast)
{
    const std::optional<SPageJob> view = page.ActionJob(CPageMmsSetup::kViewAction, std::nullopt);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->progressTicks, 3);
    ASSERT_TRUE(h.session.RunAction(page, CPageMmsSetup::kViewAction, std::nullopt));
    EXPECT_EQ(h.TakeWritten(), Blocks{"%SDSC\r"});
    h.AnswerOk();
    EXPECT_EQ(h.TakeWritten(), Blocks{"%memr0\r"});
    FeedPicture(picture);
    EXPECT_EQ(page.Picture(), picture);

    // Failed, cut off, oversized or not a whole JPEG: the last one stays.
    h.Feed({"$IMAGE_ERR"});
    FeedPicture(std::string("\xFF\xD8", 2) + "cut");
    FeedPicture("no jpeg at all");
    FeedPicture(std::string(60000, 'x'), false);
    EXPECT_EQ(page.Picture(), picture);

    // Stop drops the picture now coming; what follows of it is text.
    FeedPicture(other.substr(0, 4), false);
    EXPECT_TRUE(h.session.Receive().ImageMode());
    ASSERT_TRUE(h.session.RunAction(page, CPageMmsSetup::kStopAction, std::nullopt));
    EXPECT_FALSE(h.session.Receive().ImageMode());
    EXPECT_TRUE(h.TakeWritten().empty());
    FeedPicture(other);
    EXPECT_EQ(page.Picture(), other);

    // A read keeps the picture.
    h.session.ReadPage(page);
    EXPECT_EQ(page.Picture(), other);
    EXPECT_FALSE(page.ActionJob("other", std::nullopt));
}

TEST(WholeJpeg, StartAndEndMarkersDecide)
{
    auto whole = [](std::string_view text) {
        return IsWholeJpeg({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    };
    EXPECT_TRUE(whole(std::string_view("\xFF\xD8\xFF\xD9", 4)));
    EXPECT_TRUE(whole(std::string_view("\xFF\xD8xx\xFF\xD9\r\n\0", 9)));
    EXPECT_FALSE(whole(std::string_view("\xFF\xD8xx", 4)));
    EXPECT_FALSE(whole(std::string_view("xx\xFF\xD9", 4)));
    EXPECT_FALSE(whole(std::string_view("\xFF\xD9", 2)));
    EXPECT_FALSE(whole({}));
}

} // namespace
} // namespace orlan::test
