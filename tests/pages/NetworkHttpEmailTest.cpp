// The HTTP page's lines and batch, and the e-mail rows with their edit.
#include <gtest/gtest.h>

#include "SessionHarness.h"
#include "pages/contacts/PhoneEditor.h"
#include "pages/network/EmailPage.h"
#include "pages/network/GprsPage.h"
#include "pages/network/HttpPage.h"

namespace orlan::test {
namespace {

using Blocks = std::vector<std::string>;

TEST(HttpPage, ItsFourKeysFillItsFieldsAndOtherLinesChangeNothing)
{
    CSessionHarness h;
    CPageHttp& page = h.Page<CPageHttp>("CPageHttp");
    const CFieldSet& f = page.Fields();
    h.Feed({"$M2M_HTTP_URL http://example.com/r?a=1&b=2", "$M2M_HTTP_SIM 13800000000", "$M2M_HTTP_PWD secret",
            "$M2M_HTTP_GID 7", "$M2M_APN cmnet", "$NTP_SVR pool.ntp.org"});
    EXPECT_EQ(Texts(page.BuildCommands(ETarget::Terminal)),
              (Blocks{"%STARTCMD\r", "%HTTPURLhttp://example.com/r?a=1&b=2\r", "%HTTPSIM13800000000\r",
                      "%HTTPPOSTPWDsecret\r", "%HTTPGROUP7\r", "%COMMITCMD\r"}));
    // The GPRS page ignores the HTTP password, which is no APN password.
    EXPECT_EQ(h.Page<CPageGPRS>("CPageGPRS").Fields().Text("password"), "");
    // Each key a line holds fills its field from where it stands.
    h.Feed({"$M2M_HTTP_GID 9 $M2M_HTTP_SIM 1"});
    EXPECT_EQ(f.Text("sim"), "1");
    EXPECT_EQ(f.Text("group"), "9 $M2M_HTTP_SIM 1");
    h.Feed({"$M2M_HTTP_URL"});
    EXPECT_EQ(f.Text("url"), "");
    h.session.ReadPage(page);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_HTTP\r"});
    EXPECT_EQ(f.Text("sim"), "");
}

TEST(EmailPage, RowsComeFromTheirLinesAndAnEditSendsOneCommand)
{
    CSessionHarness h;
    CPageEmail& page = h.Page<CPageEmail>("CPageEmail");
    h.Feed({"$EM0 alarm@example.com", "$EM1 service@example.com", "$EM2 third@example.com", "$EMX x@y"});
    EXPECT_EQ(page.Address(0), "alarm@example.com");
    EXPECT_EQ(page.Address(1), "service@example.com");
    EXPECT_FALSE(page.Info().hasWriteBack);

    std::optional<SRowEditor> editor = page.RowEditor(0, 1);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->className, "CInputPhone");
    EXPECT_EQ(editor->fields.Text(kPhoneNumberField), "service@example.com");
    editor->fields.SetText(kPhoneNumberField, "");
    h.session.CommitRow(page, 0, 1, editor->fields);
    EXPECT_EQ(h.TakeWritten(), Blocks{"%EM1\r"});
    h.clock.Advance(2999);  // the row command waits up to 3000 ticks
    EXPECT_TRUE(h.TakeWritten().empty());
    h.AnswerOk();
    EXPECT_EQ(h.TakeWritten(), Blocks{"%DUMP_MMS\r"});
    EXPECT_EQ(page.Address(0), "");  // the read cleared the rows

    // No row selected: no dialog, and nothing for row -1.
    EXPECT_FALSE(page.RowEditor(0, static_cast<size_t>(-1)));
    h.session.CommitRow(page, 0, static_cast<size_t>(-1), editor->fields);
    EXPECT_TRUE(page.CommitRow(0, CPageEmail::kRows, editor->fields).empty());
    EXPECT_TRUE(h.TakeWritten().empty());
}

} // namespace
} // namespace orlan::test
