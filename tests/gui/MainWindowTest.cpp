// The main window against the simulated terminal: start-up read, link
// controls, navigation, a write-back by clicks, login, setup mode, restart,
// profiles, the camera picture and closing.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>

#include "MainWindowTestSupport.h"
#include "app/AppSettings.h"
#include "app/LinkBar.h"
#include "app/NavigationBar.h"
#include "labels/CommonLabelKeys.h"
#include "pages/Page.h"
#include "platform/RegSetting.h"
#include "support/QtTestSupport.h"
#include "tools/ConsoleTerminalPage.h"
#include "widgets/FormView.h"
#include "widgets/GenericPageView.h"

namespace orlan::test {
namespace {

const QString kConsoleKey = QString::fromLatin1(COrlanDlg::kConsoleItemKey);

QString SysMsg(std::string_view key)
{
    return QString::fromStdString(CatalogueText(key, kSectionSysMsg));
}

void Trigger(COrlanDlg& window, const char* actionName)
{
    QAction* action = window.findChild<QAction*>(QString::fromLatin1(actionName));
    ASSERT_NE(action, nullptr) << actionName;
    action->trigger();
}

bool WaitForMessage(const COrlanDlg& window, const QString& text)
{
    return PumpUntil([&] { return MessageTexts(window).contains(text); });
}

// The unit id field of the main parameters page, or null without that page.
QLineEdit* UnitIdField(COrlanDlg& window)
{
    auto* view = dynamic_cast<CGenericPageView*>(window.Pages().ViewOf(QStringLiteral("PAGE_BASIC")));
    if (view == nullptr)
        return nullptr;
    return qobject_cast<QLineEdit*>(view->Form()->FieldWidget("unitId"));
}

// The console terminal's received text.
QString ConsoleText(const COrlanDlg& window)
{
    const auto* console = window.findChild<CConsoleTerminalView*>();
    return console != nullptr ? console->ReceiveView()->toPlainText() : QString();
}

// A whole read is longer than the console view keeps with auto-clear on.
void KeepConsoleText(const COrlanDlg& window)
{
    auto* console = window.findChild<CConsoleTerminalView*>();
    ASSERT_NE(console, nullptr);
    console->AutoClearBox()->setChecked(false);
}

// Chooses `path` in the profile file chooser the action opened, as the user's OK does.
void ChooseFile(COrlanDlg& window, const char* actionName, const QString& path)
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    Trigger(window, actionName);
    QFileDialog* dialog = nullptr;
    for (QFileDialog* candidate : window.findChildren<QFileDialog*>(QStringLiteral("profileDialog"))) {
        if (candidate->isVisible())
            dialog = candidate;
    }
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->nameFilters().first().contains(QStringLiteral("*.txt")));
    dialog->selectFile(path);
    static_cast<QDialog*>(dialog)->accept();  // public in QDialog, QFileDialog's own runs
}

QString WriteProfile(const QString& name, const QByteArray& contents)
{
    const QString path = PrivateHome() + QLatin1Char('/') + name;
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(contents);
    return path;
}

TEST(MainWindow, StartUpLogsInAndReadsTheWholeConfigurationIntoThePages)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--password"),
                        QStringLiteral("s3cret")},
                       QStringLiteral("s3cret"));
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    KeepConsoleText(window);
    ASSERT_TRUE(t.WaitForWholeRead());

    EXPECT_EQ(window.Status().StatusText(), SysMsg(kMsgReloadOk));
    EXPECT_TRUE(t.log.Contains(QStringLiteral("s3cret")));
    EXPECT_TRUE(t.log.Contains(QStringLiteral("%DUMPS")));
    EXPECT_TRUE(PumpUntil([&] { return window.Status().LinkText().contains(t.sim.Device()); }));
    EXPECT_TRUE(window.LinkBar().findChild<QWidget*>(QStringLiteral("portState"))->property("open").toBool());
    // The port given for this run is an entry of its own, chosen.
    const auto* ports = window.findChild<QComboBox*>(QStringLiteral("portList"));
    EXPECT_EQ(ports->currentText(), t.sim.Device());
    EXPECT_EQ(window.LinkBar().ChosenPath(), t.sim.Device());
    EXPECT_TRUE(ConsoleText(window).contains(QStringLiteral("Login Success")));

    // The terminal spoke: the lamp is green, and the header names the unit.
    EXPECT_EQ(window.LinkBar().findChild<QWidget*>(QStringLiteral("portState"))->property("health").toString(),
              QStringLiteral("alive"));
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("headerUnit"))->text().startsWith(QStringLiteral("Unit 100234")))
        << window.findChild<QLabel*>(QStringLiteral("headerUnit"))->text().toStdString();

    QLineEdit* unitId = UnitIdField(window);
    if (unitId == nullptr)
        GTEST_SKIP() << "no main parameters page yet";
    EXPECT_TRUE(PumpUntil([&] { return unitId->text() == QStringLiteral("100234"); }));
}

TEST(MainWindow, APulledCableTurnsTheLampRedAndTakesAwayWhatNeedsATerminal)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());
    CPageView* page = window.Pages().CurrentView();
    ASSERT_NE(page, nullptr);
    auto* reload = page->findChild<QPushButton*>(QStringLiteral("readButton"));
    ASSERT_NE(reload, nullptr);
    const QWidget* lamp = window.LinkBar().findChild<QWidget*>(QStringLiteral("portState"));
    const QStringList needTerminal = {QStringLiteral("actionSetup"), QStringLiteral("actionReload"),
                                      QStringLiteral("actionRestart"), QStringLiteral("actionExec"),
                                      QStringLiteral("actionDefaults")};
    auto enabled = [&window](const QString& name) { return window.findChild<QAction*>(name)->isEnabled(); };
    for (const QString& name : needTerminal)
        EXPECT_TRUE(enabled(name)) << name.toStdString();

    ASSERT_TRUE(t.sim.Control(QStringLiteral("hangup")));
    ASSERT_TRUE(PumpUntil([&] { return lamp->property("health").toString() == QStringLiteral("lost"); }))
        << lamp->property("health").toString().toStdString();
    EXPECT_TRUE(window.Status().LinkText().contains(QStringLiteral("waiting for the adapter to come back")))
        << window.Status().LinkText().toStdString();
    for (const QString& name : needTerminal)
        EXPECT_FALSE(enabled(name)) << name.toStdString();
    EXPECT_TRUE(enabled(QStringLiteral("actionSave"))) << "a profile is saved from the pages, not the terminal";
    EXPECT_FALSE(reload->isEnabled());
    // A page shown for the first time while lost has its buttons off too.
    ASSERT_TRUE(window.Pages().Show(QStringLiteral("PAGE_BASIC")));
    auto* other = window.Pages().CurrentView()->findChild<QPushButton*>(QStringLiteral("readButton"));
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(other->isEnabled());

    // Closing does not wait on the dead link.
    EXPECT_TRUE(window.close());
}

TEST(MainWindow, WithoutAnAdapterTheStatusBarSaysSoAndThePortFailureIsShown)
{
    // The remembered port has no device behind it; nothing real is opened.
    CRegSetting().WriteNumber(QString::fromLatin1(kPortValueName), 0, 198);
    COrlanDlg window(ShippedCatalogue(), TestOptions());

    EXPECT_EQ(window.Status().StatusText(), SysMsg(kMsgNoUsb));
    EXPECT_TRUE(MessageTexts(window).isEmpty());
    EXPECT_EQ(window.LinkBar().PortIndex(), 198);
    EXPECT_TRUE(PumpUntil([&] { return window.Status().LinkText().contains(QStringLiteral("COM199 does not exist")); }))
        << window.Status().LinkText().toStdString();
    EXPECT_FALSE(window.LinkBar().findChild<QWidget*>(QStringLiteral("portState"))->property("open").toBool());

    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sms alarm system"));
    // The tool's version, never worded like the terminal's firmware; no unit
    // line before a read.
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("headerVersion"))->text(), QStringLiteral("Orlan tool 3.44"));
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("headerUnit"))->text().isEmpty());
    // The remembered port is listed though nothing is behind it; the rest
    // of COM1..COM199 only on request.
    auto* ports = window.findChild<QComboBox*>(QStringLiteral("portList"));
    EXPECT_TRUE(ports->currentText().startsWith(QStringLiteral("COM199")));
    EXPECT_LT(ports->count(), 199);
    window.LinkBar().SetShowAllPorts(true);
    ASSERT_EQ(ports->count(), 199);
    EXPECT_TRUE(ports->itemText(0).startsWith(QStringLiteral("COM1")));
    EXPECT_TRUE(ports->itemText(198).startsWith(QStringLiteral("COM199")));
    EXPECT_EQ(window.LinkBar().PortIndex(), 198);
    // The console has one speed: shown, not offered as a choice.
    EXPECT_EQ(window.findChild<QComboBox*>(QStringLiteral("speedList")), nullptr);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("speedLabel"))->text(), QStringLiteral("115200 bit/s"));
    EXPECT_EQ(window.LinkBar().SpeedIndex(), kDefaultSpeedValue);
    const auto* parity = window.findChild<QComboBox*>(QStringLiteral("parityList"));
    EXPECT_FALSE(parity->isVisibleTo(&window));
    EXPECT_EQ(parity->itemText(3), QStringLiteral("Mark"));
    const auto* password = window.findChild<QLineEdit*>(QStringLiteral("passwordField"));
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(password->text(), QStringLiteral("rain is a cold one"));
    EXPECT_EQ(window.Session().Password(), "rain is a cold one");

    const QStringList captions = {QStringLiteral("actionSetup"), QStringLiteral("actionReload"),
                                  QStringLiteral("actionRestart"), QStringLiteral("actionSave"),
                                  QStringLiteral("actionExec"), QStringLiteral("actionDefaults")};
    for (const QString& name : captions) {
        const QString key = name.mid(6).toUpper();
        const QAction* action = window.findChild<QAction*>(name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text().toStdString(), CatalogueText(key.toStdString(), kSectionSysBtn));
    }
    ForgetSettings();
}

TEST(MainWindow, NavigationShowsPagesAndLeavesItemsWithoutAPageDisabled)
{
    COrlanDlg window(ShippedCatalogue(), [] {
        SStartOptions options = TestOptions();
        options.port = PortInput{199, {}};
        return options;
    }());
    CNavigationBar& navigation = window.Navigation();

    QStringList expectedKeys;
    for (const NavigationFolderKeys& folder : kNavigationFolders) {
        for (std::string_view key : folder.items)
            expectedKeys.append(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())));
    }
    ASSERT_EQ(navigation.ItemKeys(), expectedKeys);
    // The unit at a glance, then the four folders.
    ASSERT_GE(navigation.topLevelItemCount(), 5);
    EXPECT_EQ(navigation.topLevelItem(2)->text(0).toStdString(), CatalogueText("TAB_GPIO", kSectionTabs));

    int enabled = 0;
    for (const QString& key : expectedKeys) {
        SCOPED_TRACE(key.toStdString());
        bool hasPage = key == kConsoleKey;
        for (const auto& page : window.Session().Pages())
            hasPage = hasPage || QString::fromStdString(page->Info().navKey) == key;
        EXPECT_EQ(navigation.IsItemEnabled(key), hasPage);
        EXPECT_EQ(navigation.Item(key)->text(0).toStdString(), CatalogueText(key.toStdString(), kSectionTabs));
        if (!hasPage) {
            const QString before = window.Pages().ShownKey();
            EXPECT_FALSE(window.Pages().Show(key));
            EXPECT_EQ(window.Pages().ShownKey(), before);
            continue;
        }
        ++enabled;
        navigation.setCurrentItem(navigation.Item(key));  // as a click does
        EXPECT_EQ(window.Pages().ShownKey(), key);
        if (key != kConsoleKey) {
            ASSERT_NE(window.Pages().CurrentView(), nullptr);
            EXPECT_EQ(window.Pages().CurrentView(), window.Pages().ViewOf(key));
            EXPECT_TRUE(window.Pages().CurrentView()->isVisibleTo(window.findChild<QStackedWidget*>()));
        }
    }
    EXPECT_GE(enabled, 1);

    // The console terminal is shown but the page-button logic stays with the page before it.
    const bool otherPage = window.Pages().Show(QStringLiteral("PAGE_BASIC")) || window.Pages().Show(QStringLiteral("PAGE_CS"));
    CPageView* before = window.Pages().CurrentView();
    ASSERT_TRUE(window.Pages().Show(kConsoleKey));
    EXPECT_EQ(window.Pages().ShownKey(), kConsoleKey);
    EXPECT_EQ(window.Pages().CurrentView(), before);
    if (otherPage) {
        EXPECT_NE(before, nullptr);
    }
    ForgetSettings();
}

TEST(MainWindow, AWriteBackByClicksOnTheMainParametersPageReachesTheTerminal)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());
    QLineEdit* unitId = UnitIdField(window);
    if (unitId == nullptr)
        GTEST_SKIP() << "no main parameters page yet";
    ASSERT_TRUE(window.Pages().Show(QStringLiteral("PAGE_BASIC")));
    ASSERT_TRUE(PumpUntil([&] { return unitId->text() == QStringLiteral("100234"); }));

    unitId->setText(QStringLiteral("4321"));
    auto* view = dynamic_cast<CGenericPageView*>(window.Pages().CurrentView());
    ASSERT_NE(view->WriteButton(), nullptr);
    view->WriteButton()->click();

    ASSERT_TRUE(PumpUntil([&] { return window.Status().JobReportText().startsWith(QStringLiteral("Main parameters: ")); }));
    EXPECT_FALSE(window.Status().JobReportText().contains(QStringLiteral("rejected"))) << window.Status().JobReportText().toStdString();
    EXPECT_FALSE(window.Status().JobReportText().contains(QStringLiteral("unanswered")));
    const QStringList lines = t.log.Lines();
    const qsizetype start = lines.indexOf(QStringLiteral("%STARTCMD"));
    const qsizetype commit = lines.indexOf(QStringLiteral("%COMMITCMD"));
    ASSERT_GE(start, 0);
    ASSERT_GT(commit, start);
    bool idSent = false;
    for (qsizetype i = start; i < commit; ++i)
        idSent = idSent || lines[i].contains(QStringLiteral("4321"));
    EXPECT_TRUE(idSent) << lines.join(QLatin1Char('\n')).toStdString();
    // The page's own read after the batch shows what the terminal now holds.
    EXPECT_TRUE(PumpUntil([&] { return view->WriteButton()->isEnabled() && unitId->text() == QStringLiteral("4321"); }));
}

TEST(MainWindow, AWrongPasswordIsReportedOnceTheRetriesAreSpent)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--password"),
                        QStringLiteral("s3cret")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(WaitForMessage(window, QStringLiteral("The login password is incorrect!")));
    EXPECT_EQ(window.Status().StatusText(), QStringLiteral("Password is incorrect!!"));
    EXPECT_EQ(window.WholeReads(), 0);
    EXPECT_GE(t.log.Lines().count(QStringLiteral("rain is a cold one")), 4);
    CloseMessages(window);

    // The right password typed and the login button pressed: logged in, read.
    auto* password = window.findChild<QLineEdit*>(QStringLiteral("passwordField"));
    password->setText(QStringLiteral("s3cret"));
    Q_EMIT password->textEdited(password->text());
    window.findChild<QAbstractButton*>(QStringLiteral("loginButton"))->click();
    EXPECT_TRUE(t.WaitForWholeRead());
    EXPECT_EQ(window.Status().StatusText(), SysMsg(kMsgReloadOk));
}

TEST(MainWindow, LoginAfterACompleteReadSaysSoAndSendsNothing)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());
    const qsizetype before = t.log.Lines().size();
    window.findChild<QAbstractButton*>(QStringLiteral("loginButton"))->click();
    EXPECT_TRUE(WaitForMessage(window, SysMsg(kMsgHaveLogin)));
    t.sim.Control(QStringLiteral("event"));  // anything sent before this would be logged by now
    EXPECT_EQ(t.log.Lines().size(), before);
}

TEST(MainWindow, SetupModeSendsTheKeyRunOnlyOnceTheMessageIsClosed)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());

    Trigger(window, "actionSetup");
    ASSERT_TRUE(WaitForMessage(window, SysMsg(kMsgSetupMode)));
    // A second press while the message is open does not stack another one.
    Trigger(window, "actionSetup");
    EXPECT_EQ(MessageTexts(window).size(), 1);
    EXPECT_FALSE(window.Session().Receive().SetupRequested());
    // The link choices were stored before the message.
    EXPECT_EQ(CRegSetting().ReadNumber(QString::fromLatin1(kSpeedValueName), 0, -1), kDefaultSpeedValue);

    CloseMessages(window);
    EXPECT_TRUE(window.Session().Receive().SetupRequested());
    EXPECT_TRUE(PumpUntil([&] { return t.log.Contains(QStringLiteral("%%%%%%%%%%%%")); })) << "no key run";
}

TEST(MainWindow, RestartEmptiesTheConsoleViewAndDefaultsReadAgain)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    KeepConsoleText(window);
    ASSERT_TRUE(t.WaitForWholeRead());
    ASSERT_FALSE(ConsoleText(window).isEmpty());

    // Both ask first; No sends nothing.
    Trigger(window, "actionRestart");
    ASSERT_TRUE(Answer(window, QStringLiteral("restartQuestion"), QMessageBox::No));
    Trigger(window, "actionDefaults");
    ASSERT_TRUE(Answer(window, QStringLiteral("defaultsQuestion"), QMessageBox::No));
    t.sim.Control(QStringLiteral("event"));  // anything sent before this would be logged by now
    EXPECT_FALSE(ConsoleText(window).isEmpty());
    EXPECT_FALSE(t.log.Contains(QStringLiteral("%RST")) || t.log.Contains(QStringLiteral("%ATF")));

    Trigger(window, "actionRestart");
    ASSERT_TRUE(Answer(window, QStringLiteral("restartQuestion"), QMessageBox::Yes));
    EXPECT_TRUE(ConsoleText(window).isEmpty());
    EXPECT_TRUE(PumpUntil([&] { return t.log.Contains(QStringLiteral("%RST")); }));

    Trigger(window, "actionDefaults");
    ASSERT_TRUE(Answer(window, QStringLiteral("defaultsQuestion"), QMessageBox::Yes));
    EXPECT_TRUE(PumpUntil([&] { return t.log.Contains(QStringLiteral("%ATF")); }));
}

TEST(MainWindow, ProfilesAreSavedWholeAndFailuresSayWhy)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());

    const QString path = PrivateHome() + QStringLiteral("/saved.txt");
    ChooseFile(window, "actionSave", path);
    EXPECT_TRUE(WaitForMessage(window, SysMsg(kMsgSaveProfileOk)));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), window.Session().ProfileBytes());
    EXPECT_EQ(CPreferences().value(QLatin1String(kProfileFolderSetting)).toString(), PrivateHome());
    CloseMessages(window);

    const QString nowhere = PrivateHome() + QStringLiteral("/no such folder/p.txt");
    window.Profiles().SaveTo(nowhere);
    EXPECT_TRUE(WaitForMessage(window, QStringLiteral("Open the profile failed!")));
    EXPECT_TRUE(window.Status().StatusText().startsWith(nowhere)) << window.Status().StatusText().toStdString();
    EXPECT_FALSE(QFile::exists(nowhere));
    CloseMessages(window);

    window.Profiles().ExecuteFrom(PrivateHome() + QStringLiteral("/missing.txt"));
    EXPECT_TRUE(WaitForMessage(window, QStringLiteral("Open the profile failed!")));
    EXPECT_FALSE(window.Session().ProfileRunning());
    CloseMessages(window);
}

TEST(MainWindow, AnExecutedProfileIsOneBatchFollowedByAWholeRead)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());

    const QString path = WriteProfile(QStringLiteral("run.txt"), "\r\n//Page System parameters\r\n%INDLY20\r\n"
                                                                 "%INDLY20\n   %OUTDLY9\n%OUTDLY30\r\n");
    ChooseFile(window, "actionExec", path);
    // A second run while one is going does nothing, not even ask for a file.
    Trigger(window, "actionExec");
    for (const QFileDialog* dialog : window.findChildren<QFileDialog*>())
        EXPECT_FALSE(dialog->isVisible());
    window.Profiles().ExecuteFrom(path);
    ASSERT_TRUE(WaitForMessage(window, QStringLiteral("Excute the profile sucessed!")));
    ASSERT_TRUE(t.WaitForWholeRead(2));

    QStringList sent = t.log.Lines();
    sent = sent.mid(sent.indexOf(QStringLiteral("%STARTCMD")));
    ASSERT_GE(sent.size(), 4);
    EXPECT_EQ(sent.mid(0, 4), (QStringList{QStringLiteral("%STARTCMD"), QStringLiteral("%INDLY20"),
                                           QStringLiteral("%OUTDLY30"), QStringLiteral("%COMMITCMD")}));
    EXPECT_EQ(sent.count(QStringLiteral("%STARTCMD")), 1);
    EXPECT_TRUE(window.Status().JobReportText().startsWith(QStringLiteral("Execute profile: 4 commands sent")))
        << window.Status().JobReportText().toStdString();
}

TEST(MainWindow, ClosingDuringAProfileWaitsUntilTheBatchIsClosed)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login"),
                        QStringLiteral("--fault-late"), QStringLiteral("300")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());

    const QString path = WriteProfile(QStringLiteral("slow.txt"), "%INDLY21\n%INDLY22\n%INDLY23\n%INDLY24\n");
    window.Profiles().ExecuteFrom(path);
    ASSERT_TRUE(PumpUntil([&] { return t.log.Contains(QStringLiteral("%INDLY21")); }));

    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_TRUE(PumpUntil([&] { return !window.isVisible(); }));

    const QStringList sent = t.log.Lines();
    EXPECT_TRUE(sent.contains(QStringLiteral("%COMMITCMD")));
    EXPECT_FALSE(sent.contains(QStringLiteral("%INDLY24")));
    EXPECT_TRUE(window.Status().JobReportText().contains(QStringLiteral("cancelled")));
    EXPECT_FALSE(window.Status().JobReportText().contains(QStringLiteral("unanswered")));
    // Closing says no success and reads nothing more.
    EXPECT_FALSE(MessageTexts(window).contains(QStringLiteral("Excute the profile sucessed!")));
}

TEST(MainWindow, ACameraPictureIsSavedAsOneJpgInTheWorkingDirectory)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());
    QFile::remove(QStringLiteral("1.jpg"));

    window.Session().SendRaw("%SDSC\r");
    window.Session().SendRaw("%memr0\r");
    ASSERT_TRUE(PumpUntil([&] { return window.Status().StatusText() == QStringLiteral("image saved"); }))
        << window.Status().StatusText().toStdString();
    QFile picture(PrivateHome() + QStringLiteral("/1.jpg"));
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    const QByteArray jpeg = picture.readAll();
    EXPECT_TRUE(jpeg.startsWith("\xFF\xD8"));
    EXPECT_TRUE(jpeg.endsWith("\xFF\xD9"));

    // A folder that cannot take it: the reason, and no file.
    const uint8_t bytes[] = {0xFF, 0xD8, 0xFF, 0xD9};
    window.SavePicture(bytes, PrivateHome() + QStringLiteral("/missing/1.jpg"));
    EXPECT_TRUE(window.Status().StatusText().startsWith(QStringLiteral("image not saved: "))) << window.Status().StatusText().toStdString();

    // The page that names the file shows the one saved there when its view
    // is first made, not only what arrived since.
    const QByteArray saved("\xFF\xD8\x01\x02\xFF\xD9", 6);
    picture.close();
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly | QIODevice::Truncate));
    picture.write(saved);
    picture.close();
    QString key;
    CPage* page = nullptr;
    for (const auto& [pageKey, candidate] : window.Pages().PagesByKey()) {
        if (candidate->Info().pictureFile == "1.jpg") {
            key = pageKey;
            page = candidate;
        }
    }
    ASSERT_NE(page, nullptr) << "no page names 1.jpg";
    ASSERT_FALSE(window.Pages().Views().contains(key));
    ASSERT_NE(window.Pages().ViewOf(key), nullptr);
    EXPECT_EQ(page->Fields().Text("picture"), saved.toStdString());
}

TEST(MainWindow, ClosingKeepsTheChoicesButNeverThePassword)
{
    {
        SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")},
                           QStringLiteral("top secret"));
        ASSERT_TRUE(t.window);
        COrlanDlg& window = *t.window;
        ASSERT_TRUE(t.WaitForWholeRead());
        ASSERT_TRUE(window.Pages().Show(kConsoleKey));
        EXPECT_TRUE(window.close());

        CRegSetting link;
        // The stored speed choice is written back as it was read.
        EXPECT_EQ(link.ReadNumber(QString::fromLatin1(kSpeedValueName), 0, -1), kDefaultSpeedValue);
        // The port of this run only was not made the remembered one.
        EXPECT_EQ(link.ReadNumber(QString::fromLatin1(kPortValueName), 0, -1), -1);
        EXPECT_TRUE(link.ReadText(QString::fromLatin1(kPasswordValueName)).isEmpty());
        // The console page's kept values were written back.
        EXPECT_EQ(link.ReadText(QString::fromLatin1(kServerPortValueName)), QStringLiteral("8008"));

        // The next start shows the page and speed of the last one.
        COrlanDlg next(ShippedCatalogue(), [] {
            SStartOptions options = TestOptions();
            options.port = PortInput{199, {}};
            return options;
        }());
        EXPECT_EQ(next.Pages().ShownKey(), kConsoleKey);
        EXPECT_EQ(next.LinkBar().SpeedIndex(), kDefaultSpeedValue);
        EXPECT_EQ(next.LinkBar().Password(), QStringLiteral("rain is a cold one"));
    }
}

TEST(MainWindow, ChoosingAnotherPortReopensTheLinkAndIsRemembered)
{
    SWindowUnderTest t({QStringLiteral("--rate"), QStringLiteral("0"), QStringLiteral("--no-login")});
    ASSERT_TRUE(t.window);
    COrlanDlg& window = *t.window;
    ASSERT_TRUE(t.WaitForWholeRead());

    auto* ports = window.findChild<QComboBox*>(QStringLiteral("portList"));
    window.LinkBar().SetShowAllPorts(true);
    ports->setCurrentIndex(198);
    Q_EMIT ports->activated(198);
    EXPECT_TRUE(window.Status().StatusText().isEmpty());
    EXPECT_EQ(window.LinkBar().PortIndex(), 198);
    EXPECT_TRUE(window.LinkBar().ChosenPath().isEmpty());
    EXPECT_TRUE(PumpUntil([&] { return window.Status().LinkText().contains(QStringLiteral("COM199 does not exist")); }))
        << window.Status().LinkText().toStdString();
    EXPECT_FALSE(window.LinkBar().findChild<QWidget*>(QStringLiteral("portState"))->property("open").toBool());

    EXPECT_TRUE(window.close());
    EXPECT_EQ(CRegSetting().ReadNumber(QString::fromLatin1(kPortValueName), 0, -1), 198);
}

} // namespace
} // namespace orlan::test
