// A row edit the page refuses: the row dialog stays open with the page's
// message and nothing is sent; a corrected edit then goes out.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "ViewTestSupport.h"
#include "pages/system/UserCmdPage.h"
#include "support/QtTestSupport.h"
#include "widgets/FormView.h"
#include "widgets/GenericPageView.h"
#include "widgets/PageViewFactory.h"
#include "widgets/RowDialog.h"

namespace orlan::test {
namespace {

constexpr std::string_view kCatalogue = R"(
[TABS]
PAGE_USER_CMD=User commands
[PageCommands]
LAB1=System command
LAB2=User command
[SYSMSG]
INVALID_CMD=ASCII only, please
)";

TEST(RowDialogRefusal, RefusedEditKeepsTheDialogOpenWithThePagesMessage)
{
    CRecordingSink sink;
    CManualClock clock;
    CBusyRecordingView view;
    CTerminalSession session{view, sink, clock};
    CLabelCatalogue catalogue;
    catalogue.BindText(kCatalogue);
    CPage& page = session.AddPage(std::make_unique<CPageUserCmd>());
    std::unique_ptr<CGenericPageView> pageView(
        static_cast<CGenericPageView*>(CreatePageView(page, session, catalogue, nullptr)));

    pageView->EditRow(0, 2);
    auto* dialog = pageView->findChild<CRowDialog*>();
    ASSERT_NE(dialog, nullptr);
    auto* system = qobject_cast<QLineEdit*>(dialog->Form()->FieldWidget(CPageUserCmd::kSystemField));
    auto* user = qobject_cast<QLineEdit*>(dialog->Form()->FieldWidget(CPageUserCmd::kUserField));
    ASSERT_NE(system, nullptr);
    ASSERT_NE(user, nullptr);
    EXPECT_TRUE(dialog->ErrorText().isEmpty());

    system->setText(QString::fromUtf8("\xD0\x90RM"));  // a Cyrillic A
    user->setText(QStringLiteral("open"));
    dialog->Buttons()->button(QDialogButtonBox::Ok)->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_EQ(dialog->ErrorText(), QStringLiteral("ASCII only, please"));
    EXPECT_TRUE(sink.blocks.empty());

    system->setText(QStringLiteral("ARM"));
    dialog->Buttons()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialog->ErrorText().isEmpty());
    EXPECT_EQ(sink.blocks, std::vector<std::string>{"%U02open\r"});
}

} // namespace
} // namespace orlan::test
