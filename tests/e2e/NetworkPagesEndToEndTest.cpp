// The network pages against orlan-sim: a data-centre row edit, the 3G video
// and MMS write-backs with their hidden values, and the camera preview (a
// whole picture shown, a picture that never ends keeps the last one).
#include <gtest/gtest.h>

#include "SimProcess.h"
#include "PagesOverSimulator.h"
#include "SessionOverSerial.h"
#include "pages/network/GprsPage.h"
#include "pages/network/Mms3GPage.h"
#include "pages/network/MmsSetupPage.h"
#include "sim/SamplePicture.h"

namespace orlan::test {
namespace {

using namespace std::chrono_literals;

class NetworkPagesEndToEnd : public CPagesOverSimulator {
protected:
    CPageGPRS& gprs = dynamic_cast<CPageGPRS&>(console.Page("CPageGPRS"));
    CPage3GMMS& video = dynamic_cast<CPage3GMMS&>(console.Page("CPage3GMMS"));
    CPageMmsSetup& mms = dynamic_cast<CPageMmsSetup&>(console.Page("CPageMmsSetup"));
};

TEST_F(NetworkPagesEndToEnd, ADataCentreRowEditKeepsAProtocolBeyondTheFirstSeven)
{
    EXPECT_EQ(gprs.Cell(2, CPageGPRS::kProtocolColumn), "HTTP");
    CFieldSet edited = gprs.RowEditor(0, 2).value().fields;
    edited.SetText(CPageGPRS::kAddressField, "10.0.0.9");
    edited.SetChoice(CPageGPRS::kTransportField, 1);
    edited.SetChoice(CPageGPRS::kProtocolField, 8);
    edited.SetText(CPageGPRS::kHeartbeatField, "45");
    RunUntil([&] { console.session.CommitRow(gprs, 0, 2, edited); },
             [&] { return gprs.Cell(2, CPageGPRS::kAddressColumn) == "10.0.0.9"; }, 7);
    EXPECT_EQ(gprs.Cell(2, CPageGPRS::kTransportColumn), "Udp");
    EXPECT_EQ(gprs.Cell(2, CPageGPRS::kHeartbeatColumn), "45");
    EXPECT_EQ(gprs.Cell(1, CPageGPRS::kAddressColumn), "data.example.com");

    // Edited again with only its address changed, the row keeps protocol 8.
    CFieldSet again = gprs.RowEditor(0, 2).value().fields;
    EXPECT_EQ(again.Number(CPageGPRS::kProtocolField), 8);
    again.SetText(CPageGPRS::kAddressField, "10.0.0.10");
    RunUntil([&] { console.session.CommitRow(gprs, 0, 2, again); },
             [&] { return gprs.Cell(2, CPageGPRS::kAddressColumn) == "10.0.0.10"; }, 7);
    EXPECT_EQ(gprs.Cell(2, CPageGPRS::kProtocolColumn), "MODBUS TCP Over Eth");
}

TEST_F(NetworkPagesEndToEnd, WriteBacksComeBackWithTheirHiddenValues)
{
    CFieldSet& v = video.Fields();
    EXPECT_EQ(v.Text("smtpServer"), "smtp.example.com");
    v.SetText("apn", "3gnet");
    v.SetNumber("in2VideoCall", 1);
    v.SetChoice("in2Channel", 1);
    const int batch = static_cast<int>(video.BuildCommands(ETarget::Terminal).size());
    RunUntil([&] { console.session.WriteBack(video); }, [&] { return v.Text("apn") == "3gnet"; }, batch);
    EXPECT_EQ(v.Text("smtpServer"), "smtp.example.com");
    EXPECT_EQ(v.Text("smtpPassword"), "secret");
    EXPECT_EQ(v.Text("gisPort"), "8000");
    EXPECT_EQ(v.Text("ftpServer"), "ftp.example.com");
    EXPECT_EQ(v.Number("in2VideoCall"), 1);
    EXPECT_EQ(v.Number("in2Channel"), 1);

    CFieldSet& m = mms.Fields();
    EXPECT_EQ(m.Text("mmsCentre"), "http://mmsc.example.com");
    m.SetText("timedInterval", "15");
    m.SetText("brightness", "6");
    m.SetNumber("smsNotice", 1);
    const int mmsBatch = static_cast<int>(mms.BuildCommands(ETarget::Terminal).size());
    RunUntil([&] { console.session.WriteBack(mms); }, [&] { return m.Text("timedInterval") == "15"; }, mmsBatch);
    EXPECT_EQ(m.Text("brightness"), "6");
    EXPECT_EQ(m.Number("smsNotice"), 1);
    EXPECT_EQ(m.Text("proxy"), "proxy");
    EXPECT_EQ(m.Text("mmsPort"), "80");
}

TEST_F(NetworkPagesEndToEnd, ViewShowsThePictureAndOneThatNeverEndsKeepsIt)
{
    const std::span<const std::uint8_t> sample = SamplePicture();
    const std::string expected(reinterpret_cast<const char*>(sample.data()), sample.size());
    ASSERT_TRUE(console.session.RunAction(mms, CPageMmsSetup::kViewAction, std::nullopt));
    ASSERT_TRUE(PumpUntil([&] { return mms.Picture() == expected; }));
    EXPECT_FALSE(console.session.Receive().ImageMode());

    ASSERT_TRUE(sim.Control(QStringLiteral("set-fault picture-no-end on")));
    ASSERT_TRUE(console.session.RunAction(mms, CPageMmsSetup::kViewAction, std::nullopt));
    ASSERT_TRUE(PumpUntil([&] { return console.pictureFailures == 1; }, 10s));
    EXPECT_EQ(mms.Picture(), expected);
    EXPECT_FALSE(console.session.Receive().ImageMode());
}

} // namespace
} // namespace orlan::test
