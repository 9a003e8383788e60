// EXEC keeps the terminal's configuration first, beside the profile, and
// sends nothing when it cannot; "Compare with profile..." shows how the
// pages differ from a file before anything is sent.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>

#include "MainWindowTestSupport.h"
#include "app/FileAccess.h"
#include "support/QtTestSupport.h"

namespace orlan::test {
namespace {

QString WriteFile(const QString& name, const QByteArray& contents)
{
    const QString path = PrivateHome() + QLatin1Char('/') + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(contents);
    return path;
}

TEST(MainWindowProfileSafety, ABackupIsWrittenBeforeTheProfileOrNothingIsSent)
{
    EXPECT_EQ(BackupPathFor(QStringLiteral("/site/site-a.txt"), QDateTime(QDate(2026, 12, 8), QTime(9, 15))),
              QStringLiteral("/site/site-a.backup-20261208-0915.txt"));

    ForgetSettings();
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    const QString profile = WriteFile(QStringLiteral("site-a.txt"), "//Page X\r\n%A1\r\n");

    // A backup that cannot be written (its name taken by a folder) stops the run.
    const QDateTime now = QDateTime::currentDateTime();
    for (const QDateTime& when : {now, now.addSecs(60)})
        QDir().mkpath(BackupPathFor(profile, when));
    window.Profiles().ExecuteFrom(profile, true);
    EXPECT_FALSE(window.Session().ProfileRunning());
    const QStringList texts = MessageTexts(window);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts.front().contains(QStringLiteral("nothing was sent"))) << texts.front().toStdString();
    CloseMessages(window);
    for (const QDateTime& when : {now, now.addSecs(60)})
        QDir().rmdir(BackupPathFor(profile, when));

    window.Profiles().ExecuteFrom(profile, true);
    const QStringList backups =
        QDir(PrivateHome()).entryList({QStringLiteral("site-a.backup-*.txt")}, QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    QFile backup(PrivateHome() + QLatin1Char('/') + backups.front());
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll().toStdString(), window.Session().ProfileBytes());
    backup.remove();
    CloseMessages(window);
    ForgetSettings();
}

TEST(MainWindowProfileSafety, TheComparisonNamesWhatDiffersAndOffersToExecute)
{
    ForgetSettings();
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    const QByteArray own = QByteArray::fromStdString(window.Session().ProfileBytes());
    auto compare = [&window](const QString& path) {
        window.Profiles().CompareWith(path);
        QDialog* shown = nullptr;
        for (QDialog* dialog : window.findChildren<QDialog*>(QStringLiteral("compareDialog"))) {
            if (dialog->isVisible())
                shown = dialog;
        }
        return shown;
    };

    QDialog* same = compare(WriteFile(QStringLiteral("same.txt"), own));
    ASSERT_NE(same, nullptr);
    EXPECT_FALSE(same->findChild<QPushButton*>(QStringLiteral("executeButton"))->isEnabled());
    same->reject();

    QDialog* other = compare(WriteFile(QStringLiteral("other.txt"), own + "%BOGUS7\r\n"));
    ASSERT_NE(other, nullptr);
    const QString text = other->findChild<QPlainTextEdit*>(QStringLiteral("differences"))->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("-%BOGUS7"))) << text.toStdString();
    EXPECT_TRUE(other->findChild<QPushButton*>(QStringLiteral("executeButton"))->isEnabled());
    other->reject();
    ForgetSettings();
}

} // namespace
} // namespace orlan::test
