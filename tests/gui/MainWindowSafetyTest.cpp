// What keeps a new user from harm: a profile saved before anything was read
// is asked about, a profile name gets its extension, a failed read says so
// where "read completely" would mislead, and the password can be seen.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "MainWindowTestSupport.h"
#include "app/LinkBar.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

QFileDialog* OpenFileDialog(const QWidget& window)
{
    for (QFileDialog* dialog : window.findChildren<QFileDialog*>(QStringLiteral("profileDialog"))) {
        if (dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

TEST(MainWindowSafety, AProfileSavedBeforeAnyReadIsAskedAboutAndGetsItsExtension)
{
    ForgetSettings();
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    window.show();
    // The start-up read cannot go out on a closed port: not "read completely".
    ASSERT_TRUE(PumpUntil([&] { return window.Status().StatusText().startsWith(QStringLiteral("The whole read failed: ")); }))
        << window.Status().StatusText().toStdString();
    ASSERT_FALSE(window.Session().HoldsWholeRead());

    QAction* save = window.findChild<QAction*>(QStringLiteral("actionSave"));
    save->trigger();
    ASSERT_TRUE(Answer(window, QStringLiteral("unreadQuestion"), QMessageBox::No));
    PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_EQ(OpenFileDialog(window), nullptr) << "No saves nothing";

    save->trigger();
    ASSERT_TRUE(Answer(window, QStringLiteral("unreadQuestion"), QMessageBox::Yes));
    ASSERT_TRUE(PumpUntil([&] { return OpenFileDialog(window) != nullptr; }));
    QFileDialog* dialog = OpenFileDialog(window);
    dialog->selectFile(PrivateHome() + QStringLiteral("/unread-a"));
    static_cast<QDialog*>(dialog)->accept();
    EXPECT_TRUE(PumpUntil([] { return QFileInfo::exists(PrivateHome() + QStringLiteral("/unread-a.txt")); }));

    // Named directly, too: the extension is added, an existing one kept.
    EXPECT_TRUE(window.Profiles().SaveTo(PrivateHome() + QStringLiteral("/unread-b")));
    EXPECT_TRUE(QFileInfo::exists(PrivateHome() + QStringLiteral("/unread-b.txt")));
    EXPECT_TRUE(window.Profiles().SaveTo(PrivateHome() + QStringLiteral("/unread-c.prf")));
    EXPECT_TRUE(QFileInfo::exists(PrivateHome() + QStringLiteral("/unread-c.prf")));
    CloseMessages(window);
    ForgetSettings();
}

TEST(MainWindowSafety, ThePasswordCanBeRevealedAndHiddenAgain)
{
    ForgetSettings();
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("passwordField"));
    auto* reveal = window.findChild<QAction*>(QStringLiteral("actionRevealPassword"));
    ASSERT_NE(field, nullptr);
    ASSERT_NE(reveal, nullptr);
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    reveal->trigger();
    EXPECT_EQ(field->echoMode(), QLineEdit::Normal);
    reveal->trigger();
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    ForgetSettings();
}

} // namespace
} // namespace orlan::test
