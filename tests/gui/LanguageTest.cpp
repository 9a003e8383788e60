// The language menu remembers the choice and says when it takes effect;
// the tool's own texts come from the catalogue's [ToolTexts].
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include "MainWindowTestSupport.h"
#include "app/AppSettings.h"
#include "app/CatalogueTranslator.h"
#include "app/LanguageMenu.h"
#include "labels/LabelCatalogue.h"
#include "labels/ToolTexts.h"
#include "support/ShippedCatalogues.h"

namespace orlan {
namespace {

QAction* LanguageAction(const QMenu& menu, const char* name)
{
    return menu.findChild<QAction*>(QString::fromLatin1(name));
}

QString StoredLanguage()
{
    return CPreferences().value(QString::fromLatin1(kLanguageSetting)).toString();
}

TEST(LanguageMenu, ShowsAndStoresTheRememberedChoice)
{
    CPreferences().setValue(QString::fromLatin1(kLanguageSetting), QStringLiteral("ru"));
    QWidget window;
    {
        CLanguageMenu menu(&window);
        ASSERT_NE(LanguageAction(menu, "language_ru"), nullptr);
        EXPECT_TRUE(LanguageAction(menu, "language_ru")->isChecked());
        EXPECT_EQ(menu.actions().size(), 4);

        LanguageAction(menu, "language_zh_CN")->trigger();
        EXPECT_EQ(StoredLanguage(), QStringLiteral("zh_CN"));
        EXPECT_FALSE(LanguageAction(menu, "language_ru")->isChecked());
        ASSERT_NE(menu.Notice(), nullptr);
        // Opened without a nested loop; nothing in the folder overrides the choice.
        EXPECT_TRUE(menu.Notice()->isVisible());
        EXPECT_FALSE(menu.Notice()->text().contains(QStringLiteral("gsm.ini")));

        LanguageAction(menu, "language_system")->trigger();
        EXPECT_EQ(StoredLanguage(), QString());
    }
    // An unknown stored value shows as following the system.
    CPreferences().setValue(QString::fromLatin1(kLanguageSetting), QStringLiteral("xx"));
    CLanguageMenu menu(&window);
    EXPECT_TRUE(LanguageAction(menu, "language_system")->isChecked());
    CPreferences().remove(QString::fromLatin1(kLanguageSetting));
}

TEST(LanguageMenu, SaysWhenTheWorkingFoldersCatalogueOverridesTheChoice)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    QFile local(folder.filePath(QStringLiteral("gsm.ini")));
    ASSERT_TRUE(local.open(QIODevice::WriteOnly));
    local.close();

    QWidget window;
    CLanguageMenu menu(&window);
    LanguageAction(menu, "language_ru")->trigger();
    ASSERT_NE(menu.Notice(), nullptr);
    EXPECT_TRUE(menu.Notice()->text().contains(QStringLiteral("gsm.ini")));
    QDir::setCurrent(previous);
    CPreferences().remove(QString::fromLatin1(kLanguageSetting));
}

TEST(CatalogueTranslator, TranslatesToolTextsAndLeavesTheRestToQt)
{
    CLabelCatalogue catalogue;
    catalogue.BindText("[ToolTexts]\n"
                       "Show the password=Показать пароль\n"
                       "Restart now?\\n\\nSure=Перезапустить?\\n\\nТочно\n"
                       "%n row(s)=строк: %n\n");
    CCatalogueTranslator translator(catalogue);
    EXPECT_FALSE(translator.isEmpty());
    ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
    EXPECT_EQ(QCoreApplication::translate("CLinkBar", "Show the password"), QStringLiteral("Показать пароль"));
    EXPECT_EQ(QCoreApplication::translate("COrlanDlg", "Restart now?\n\nSure"),
              QStringLiteral("Перезапустить?\n\nТочно"));
    EXPECT_EQ(QCoreApplication::translate("COrlanDlg", "%n row(s)", nullptr, 3), QStringLiteral("строк: 3"));
    // Missing: Qt shows the source.
    EXPECT_EQ(QCoreApplication::translate("COrlanDlg", "Port closed"), QStringLiteral("Port closed"));
    QCoreApplication::removeTranslator(&translator);

    CLabelCatalogue english;
    english.BindText("[SYSBTN]\nSETUP=Setup mode\n");
    EXPECT_TRUE(CCatalogueTranslator(english).isEmpty());
}

// The window in each shipped language: catalogue captions and translated
// tool texts both reach it (what is drawn is the screenshots' business).
class MainWindowLanguage : public ::testing::TestWithParam<test::SShippedCatalogue> {};

TEST_P(MainWindowLanguage, TakesItsCaptionsAndToolTextsFromTheCatalogue)
{
    CLabelCatalogue catalogue;
    ASSERT_TRUE(catalogue.Bind(test::ShippedCataloguePath(GetParam())));
    CCatalogueTranslator translator(catalogue);
    QCoreApplication::installTranslator(&translator);
    test::ForgetSettings();
    SStartOptions options = test::TestOptions();
    options.port = PortInput{199, {}};
    {
        COrlanDlg window(catalogue, options);
        const QAction* reload = window.findChild<QAction*>(QStringLiteral("actionReload"));
        ASSERT_NE(reload, nullptr);
        EXPECT_EQ(reload->text(), QString::fromStdString(catalogue.Lookup("RELOAD", "SYSBTN")));
        const char* english = "Read the whole configuration from the terminal (F5)";
        const std::string translated = catalogue.Lookup(*ToolTextKey(english), kSectionToolTexts);
        EXPECT_EQ(reload->toolTip(), translated.empty() ? QString::fromLatin1(english)
                                                        : QString::fromStdString(ToolTextFromCatalogue(translated)));
        EXPECT_EQ(translated.empty(), GetParam().language == "en");
    }
    QCoreApplication::removeTranslator(&translator);
    test::ForgetSettings();
}

INSTANTIATE_TEST_SUITE_P(Shipped, MainWindowLanguage, ::testing::ValuesIn(test::kShippedCatalogues),
                         test::CatalogueCaseName);

} // namespace
} // namespace orlan
