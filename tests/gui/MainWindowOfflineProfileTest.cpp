// A profile file shown in the window without a terminal: it fills the pages,
// says which file is shown and what it could not place, marks the pages it
// has no section for, saves an edit back as exactly that line, and asks
// before a read replaces it.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "MainWindowTestSupport.h"
#include "app/NavigationBar.h"
#include "app/OfflineProfile.h"
#include "app/ProfileController.h"
#include "pages/KnownValues.h"
#include "support/QtTestSupport.h"
#include "widgets/FormView.h"
#include "widgets/GenericPageView.h"

namespace orlan::test {
namespace {

QByteArrayList FileLines(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().split('\n');
}

TEST(MainWindowOfflineProfile, AnOpenedFileIsShownEditedAndSavedBackLineForLine)
{
    ForgetSettings();
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    const QString path = PrivateHome() + QStringLiteral("/site-b.txt");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\r\r\n//Page System Main Params\r\r\n\r\n%CC86\r\r\n%ID100234\r\r\n%DAS1\r\r\n%NOSUCH1\r\r\n");
    }
    COfflineProfile& offline = window.OfflineProfile();
    ASSERT_TRUE(offline.OpenFrom(path));

    // Which file, that no terminal is read, and what could not be placed.
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("site-b.txt"))) << window.windowTitle().toStdString();
    auto* banner = window.findChild<QLabel*>(QStringLiteral("offlineBanner"));
    ASSERT_NE(banner, nullptr);
    EXPECT_FALSE(banner->isHidden());
    const QStringList texts = MessageTexts(window);
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts.front().contains(QStringLiteral("System Main Params, line 7: %NOSUCH1")))
        << texts.front().toStdString();
    CloseMessages(window);
    // No terminal was read: writing the file could keep no backup, and says so.
    offline.WriteToTerminal();
    auto* question = window.findChild<QMessageBox*>(QStringLiteral("writeShownQuestion"));
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(question->text().endsWith(QStringLiteral("No backup is saved: the terminal's configuration has not "
                                                         "been read whole since the port was opened.")))
        << question->text().toStdString();
    ASSERT_TRUE(Answer(window, QStringLiteral("writeShownQuestion"), QMessageBox::No));
    EXPECT_EQ(offline.Recent().value(0), QFileInfo(path).absoluteFilePath());

    // A page the file has no section for says so; one it has does not.
    ASSERT_TRUE(window.Pages().Show(QStringLiteral("PAGE_TMP100")));
    EXPECT_TRUE(banner->text().contains(QStringLiteral("Not in this profile"))) << banner->text().toStdString();
    ASSERT_TRUE(window.Pages().Show(QStringLiteral("PAGE_BASIC")));
    EXPECT_FALSE(banner->text().contains(QStringLiteral("Not in this profile")));

    // Saved as this tool writes it, then one field edited and saved again.
    window.findChild<QAction*>(QStringLiteral("actionSaveProfile"))->trigger();
    CloseMessages(window);
    const QByteArrayList before = FileLines(path);
    EXPECT_TRUE(before.contains("%NOSUCH1\r\r")) << "a line no page took is kept";
    auto* view = dynamic_cast<CGenericPageView*>(window.Pages().CurrentView());
    ASSERT_NE(view, nullptr);
    auto* unitId = qobject_cast<QLineEdit*>(view->Form()->FieldWidget("unitId"));
    ASSERT_NE(unitId, nullptr);
    EXPECT_EQ(unitId->text(), QStringLiteral("100234"));
    unitId->setText(QStringLiteral("4321"));
    Q_EMIT unitId->textEdited(unitId->text());
    EXPECT_TRUE(window.Navigation().IsItemEdited(QStringLiteral("PAGE_BASIC")));
    window.findChild<QAction*>(QStringLiteral("actionSaveProfile"))->trigger();
    CloseMessages(window);
    const QByteArrayList after = FileLines(path);
    ASSERT_EQ(after.size(), before.size());
    QList<qsizetype> changed;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (after[i] != before[i])
            changed.append(i);
    }
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(before[changed.front()], "%ID100234\r\r");
    EXPECT_EQ(after[changed.front()], "%ID4321\r\r");
    // Saved to the file, the change is no longer unwritten.
    EXPECT_TRUE(PumpUntil([&] { return !window.Navigation().IsItemEdited(QStringLiteral("PAGE_BASIC")); }));

    // A read would replace the file's values: it asks, and No keeps them.
    window.findChild<QAction*>(QStringLiteral("actionReload"))->trigger();
    ASSERT_TRUE(Answer(window, QStringLiteral("leaveProfileQuestion"), QMessageBox::No));
    EXPECT_TRUE(offline.Shown());
    EXPECT_EQ(unitId->text(), QStringLiteral("4321"));

    // Closing with a change asks to save it to the file, not to the terminal.
    unitId->setText(QStringLiteral("999"));
    Q_EMIT unitId->textEdited(unitId->text());
    EXPECT_FALSE(window.close());
    EXPECT_EQ(window.findChild<QMessageBox*>(QStringLiteral("closeEditsQuestion")), nullptr);
    ASSERT_TRUE(Answer(window, QStringLiteral("leaveProfileQuestion"), QMessageBox::Yes));
    CloseMessages(window);
    EXPECT_TRUE(FileLines(path).contains("%ID999\r\r"));
}

TEST(MainWindowOfflineProfile, ARowEditedInAShownFileChangesItsLineOnlyAndSendsNothing)
{
    ForgetSettings();
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    const QString path = PrivateHome() + QStringLiteral("/phones.txt");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\r\r\n//Page Device Control phones\r\r\n\r\n%CS0+8613800000001\r\r\n%CS1+8613800000002\r\r\n"
                   "%CS2+8613800000003\r\r\n");
    }
    ASSERT_TRUE(window.OfflineProfile().OpenFrom(path));
    CloseMessages(window);
    // Saved as this tool writes it first, then one row edited and saved again.
    window.findChild<QAction*>(QStringLiteral("actionSaveProfile"))->trigger();
    CloseMessages(window);
    const QByteArrayList before = FileLines(path);
    CTerminalSession& session = window.Session();
    CPage& phones = *session.FindPage("CPageServer");
    std::optional<SRowEditor> editor = OpenRowEditor(phones, 0, 1);
    ASSERT_TRUE(editor);
    editor->fields.Edit(editor->fields.IndexOf("number"), {.text = "+4915112345"});
    EXPECT_EQ(session.CommitRow(phones, 0, 1, *editor), "");
    EXPECT_FALSE(session.Queue().Busy()) << "no job: the row goes into the file's page";
    window.findChild<QAction*>(QStringLiteral("actionSaveProfile"))->trigger();
    CloseMessages(window);
    const QByteArrayList after = FileLines(path);
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (before[i] == "%CS1+8613800000002\r\r")
            EXPECT_EQ(after[i], "%CS1+4915112345\r\r");
        else
            EXPECT_EQ(after[i], before[i]);
    }
}

// Against a terminal: the shown file compared with it value by value (the
// file shown again afterwards), then written to it.
TEST(MainWindowOfflineProfile, TheShownFileIsComparedWithTheTerminalAndWrittenToIt)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());
    const QString path = PrivateHome() + QStringLiteral("/site-c.txt");
    ASSERT_TRUE(window.Profiles().SaveTo(path));
    CloseMessages(window);
    QByteArray bytes;
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
    }
    ASSERT_TRUE(bytes.contains("%ID100234\r\r\n"));
    bytes.replace("%ID100234\r\r\n", "%ID555\r\r\n");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    COfflineProfile& offline = window.OfflineProfile();
    ASSERT_TRUE(offline.OpenFrom(path));
    EXPECT_TRUE(MessageTexts(window).isEmpty()) << "every line of a saved profile has its page";

    offline.CompareWithTerminal();
    QDialog* dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (dialog = window.findChild<QDialog*>(QStringLiteral("compareTerminalDialog"))); }));
    auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("valueChanges"));
    ASSERT_NE(table, nullptr);
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells.append(table->item(row, column)->text());
        rows.append(cells.join(QStringLiteral(" | ")));
    }
    // The unit id, and the GPRS page's device id that the same command sets.
    EXPECT_EQ(rows, QStringList({QStringLiteral("Main parameters | Unit ID | 100234 | 555"),
                                 QStringLiteral("GPRS and data centres | Device id | 100234 | 555")}));
    dialog->reject();
    EXPECT_TRUE(offline.Shown());
    EXPECT_EQ(window.Session().FindPage("CPageMainParams")->Fields().Text("unitId"), "555");

    // Only what the file holds goes out: a small file is a short run.
    const QString small = PrivateHome() + QStringLiteral("/site-d.txt");
    {
        QFile file(small);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\r\r\n//Page System Main Params\r\r\n\r\n%ID777\r\r\n%DAS0\r\r\n");
    }
    ASSERT_TRUE(offline.OpenFrom(small));
    // Compared, it names only what it holds, not every value it leaves out.
    offline.CompareWithTerminal();
    QDialog* second = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        for (QDialog* shown : window.findChildren<QDialog*>(QStringLiteral("compareTerminalDialog")))
            second = shown->isVisible() ? shown : second;  // the first was closed
        return second != nullptr;
    }));
    auto* smallTable = second->findChild<QTableWidget*>(QStringLiteral("valueChanges"));
    ASSERT_NE(smallTable, nullptr);
    ASSERT_GE(smallTable->rowCount(), 1);
    ASSERT_LE(smallTable->rowCount(), 2);
    for (int row = 0; row < smallTable->rowCount(); ++row)
        EXPECT_EQ(smallTable->item(row, 0)->text(), QStringLiteral("Main parameters"));
    second->reject();
    const int reads = window.WholeReads();
    const qsizetype logged = t.log.Lines().size();
    offline.WriteToTerminal();
    ASSERT_TRUE(Answer(window, QStringLiteral("writeShownQuestion"), QMessageBox::Yes));
    ASSERT_TRUE(t.WaitForWholeRead(reads + 1));
    // The terminal as read before the file took the pages over went beside the file first.
    const QStringList backups =
        QDir(PrivateHome()).entryList({QStringLiteral("site-d.backup-*.txt")}, QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    QFile backup(PrivateHome() + QLatin1Char('/') + backups.front());
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    const QByteArray kept = backup.readAll();
    EXPECT_TRUE(kept.contains("%ID100234\r\r\n") && !kept.contains("%ID555")) << kept.toStdString();
    EXPECT_EQ(backup.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
    ASSERT_TRUE(PumpUntil([&] {
        return MessageTexts(window).contains(QStringLiteral(
            "Every setting of site-d.txt took effect: the terminal read after the run holds all of them."));
    }));
    const QStringList sent = t.log.Lines().mid(logged);
    const QStringList batch = sent.mid(0, sent.indexOf(QStringLiteral("%COMMITCMD")) + 1);
    ASSERT_GE(batch.size(), 4) << sent.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(batch.front(), QStringLiteral("%STARTCMD"));
    EXPECT_TRUE(batch.contains(QStringLiteral("%ID777")) && batch.contains(QStringLiteral("%DAS0")))
        << batch.join(QLatin1Char(' ')).toStdString();
    // The terminal's values are shown now, not the file's.
    EXPECT_FALSE(offline.Shown());
    EXPECT_EQ(window.Session().FindPage("CPageMainParams")->Fields().Text("unitId"), "777");
}

// Started with --profile, the window shows the file and reads nothing.
TEST(MainWindowOfflineProfile, StartedWithAProfileItShowsTheFile)
{
    const SParsedCommandLine parsed =
        ParseCommandLine({QStringLiteral("--profile"), QStringLiteral("site.txt"), QStringLiteral("--port"),
                          QStringLiteral("COM199")});
    ASSERT_EQ(parsed.outcome, EParseOutcome::Run) << parsed.error.toStdString();
    EXPECT_EQ(parsed.options.profilePath, QStringLiteral("site.txt"));
    const SParsedCommandLine empty = ParseCommandLine({QStringLiteral("--profile"), QString()});
    EXPECT_EQ(empty.outcome, EParseOutcome::Error);
    EXPECT_EQ(empty.error, QStringLiteral("--profile needs a file name"));

    ForgetSettings();
    const QString path = PrivateHome() + QStringLiteral("/site-e.txt");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\r\r\n//Page System Main Params\r\r\n\r\n%ID4242\r\r\n");
    }
    SStartOptions options = OfflineOptions();
    options.profilePath = path;
    COrlanDlg window(ShippedCatalogue(), options);
    EXPECT_TRUE(window.OfflineProfile().Shown());
    EXPECT_EQ(window.Session().FindPage("CPageMainParams")->Fields().Text("unitId"), "4242");
    PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(window.Session().WholeRead(), CTerminalSession::EWholeRead::Idle);
}

// Save as writes the complete profile or the classic twenty sections, and
// the report goes out as HTML or PDF.
TEST(MainWindowOfflineProfile, SavedAsClassicOrCompleteAndExportedAsAReport)
{
    ForgetSettings();
    COrlanDlg window(ShippedCatalogue(), OfflineOptions());
    const QString path = PrivateHome() + QStringLiteral("/site-f.txt");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\r\r\n//Page System Main Params\r\r\n\r\n%ID100234\r\r\n"
                   "\r\r\n//Page SOS phone\r\r\n\r\n%SOS0+8613900000000\r\r\n");
    }
    COfflineProfile& offline = window.OfflineProfile();
    ASSERT_TRUE(offline.OpenFrom(path));
    EXPECT_TRUE(MessageTexts(window).isEmpty());
    auto headers = [](const QString& file) {
        qsizetype count = 0;
        for (const QByteArray& line : FileLines(file))
            count += line.startsWith("//Page ") ? 1 : 0;
        return count;
    };
    struct SCase {
        const char* name;
        EProfileScope scope;
        bool classic;
    };
    for (const SCase& c : {SCase{"/complete.txt", EProfileScope::Complete, false},
                           SCase{"/classic.txt", EProfileScope::Classic, true}}) {
        const QString target = PrivateHome() + QString::fromLatin1(c.name);
        ASSERT_TRUE(offline.SaveShownAs(target, c.scope));
        CloseMessages(window);
        EXPECT_EQ(offline.Path(), target);
        EXPECT_TRUE(FileLines(target).contains("%ID100234\r\r"));
        // The SOS phone is a page the classic twenty leave out.
        EXPECT_EQ(headers(target), c.classic ? 20 : 21);
        EXPECT_EQ(FileLines(target).contains("%SOS0+8613900000000\r\r"), !c.classic);
    }

    const QString html = PrivateHome() + QStringLiteral("/report.html");
    const QString pdf = PrivateHome() + QStringLiteral("/report.pdf");
    ASSERT_TRUE(offline.ExportReportTo(html));
    ASSERT_TRUE(offline.ExportReportTo(pdf));
    QFile htmlFile(html);
    QFile pdfFile(pdf);
    ASSERT_TRUE(htmlFile.open(QIODevice::ReadOnly) && pdfFile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(htmlFile.readAll().contains("Configuration of unit 100234"));
    EXPECT_TRUE(pdfFile.readAll().startsWith("%PDF"));
    EXPECT_FALSE(offline.ExportReportTo(PrivateHome() + QStringLiteral("/no-such-folder/report.html")));
    CloseMessages(window);

    // Another file over unsaved changes is asked about; Cancel keeps the shown one.
    ASSERT_TRUE(window.Pages().Show(QStringLiteral("PAGE_BASIC")));
    CPage& main = *window.Session().FindPage("CPageMainParams");
    CFieldSet& fields = main.Fields();
    fields.Edit(fields.IndexOf("unitId"), {.text = "1"});
    main.NotifyChanged();
    ASSERT_TRUE(PumpUntil([&] { return window.Navigation().IsItemEdited(QStringLiteral("PAGE_BASIC")); }));
    const QString shown = offline.Path();
    offline.OpenAsking(path);
    ASSERT_TRUE(Answer(window, QStringLiteral("leaveProfileQuestion"), QMessageBox::No));
    EXPECT_EQ(offline.Path(), shown);
    EXPECT_EQ(fields.Text("unitId"), "1");
}

} // namespace
} // namespace orlan::test
