#include "app/LanguageMenu.h"

#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>

#include "app/AppSettings.h"
#include "labels/LabelCatalogue.h"

namespace orlan {

namespace {

struct SLanguageItem {
    const char* value;  // stored in the preferences; empty: the system's
    QString caption;
    // What its texts are written in: without a font for it they show as boxes.
    QFontDatabase::WritingSystem script = QFontDatabase::Any;
};

bool HasFontFor(QFontDatabase::WritingSystem script)
{
    return script == QFontDatabase::Any || !QFontDatabase::families(script).isEmpty();
}

} // namespace

CLanguageMenu::CLanguageMenu(QWidget* parent) : QMenu(tr("&Language"), parent), m_group(new QActionGroup(this))
{
    setObjectName(QStringLiteral("languageMenu"));
    m_group->setExclusive(true);
    // Each language is named in its own words, so it can be found whatever
    // the window shows.
    const SLanguageItem items[] = {
        {"", tr("System language")},
        {"en", QStringLiteral("English")},
        {"ru", QStringLiteral("Русский"), QFontDatabase::Cyrillic},
        {"zh_CN", QStringLiteral("中文（简体）"), QFontDatabase::SimplifiedChinese},
    };
    // A language without a font stays a choice (a font may be installed
    // before the next start), but says why its texts would not show.
    setToolTipsVisible(true);
    const QString remembered = CPreferences().value(QString::fromLatin1(kLanguageSetting)).toString();
    bool known = false;
    for (const SLanguageItem& item : items) {
        const QString value = QString::fromLatin1(item.value);
        const bool hasFont = HasFontFor(item.script);
        QAction* action = addAction(hasFont ? item.caption : item.caption + QLatin1Char(' ') + tr("(no font)"));
        if (!hasFont)
            action->setToolTip(tr("No font for this language is installed"));
        action->setObjectName(QStringLiteral("language_") + (value.isEmpty() ? QStringLiteral("system") : value));
        action->setCheckable(true);
        action->setData(value);
        m_group->addAction(action);
        if (value == remembered) {
            action->setChecked(true);
            known = true;
        }
    }
    // A value this version does not know follows the system, as the
    // catalogue choice does.
    if (!known)
        m_group->actions().front()->setChecked(true);
    connect(m_group, &QActionGroup::triggered, this,
            [this](QAction* action) { Choose(action->data().toString()); });
}

void CLanguageMenu::Choose(const QString& language)
{
    CPreferences preferences;
    if (preferences.value(QString::fromLatin1(kLanguageSetting)).toString() == language)
        return;
    preferences.setValue(QString::fromLatin1(kLanguageSetting), language);

    QString text = tr("The language changes when the program is started again.");
    const QString local = QDir::current().absoluteFilePath(QString::fromStdString(std::string(kCatalogueFileName)));
    if (QFileInfo(local).isFile())
        text += QStringLiteral("\n\n") +
                tr("While %1 is in the working folder, its texts are used instead.").arg(QDir::toNativeSeparators(local));
    if (m_notice)
        m_notice->close();
    auto* box = new QMessageBox(QMessageBox::Information, title().remove(QLatin1Char('&')), text, QMessageBox::Ok,
                                parentWidget());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("languageNotice"));
    m_notice = box;
    box->open();
}

QMenu* CreateLanguageMenu(QWidget* window)
{
    return new CLanguageMenu(window);
}

} // namespace orlan
