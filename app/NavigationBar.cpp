#include "app/NavigationBar.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QStyle>

#include <map>

#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "widgets/LazyIcons.h"

namespace orlan {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kCaptionRole = Qt::UserRole + 1;

// One picture per icon of the original strip; items that shared an icon
// share a picture.
const std::map<std::string_view, QStyle::StandardPixmap>& ItemPixmaps()
{
    static const std::map<std::string_view, QStyle::StandardPixmap> pixmaps = {
        {"PAGE_CS", QStyle::SP_DriveNetIcon},
        {"PAGE_BASIC", QStyle::SP_ComputerIcon},
        {"PAGE_ALARM", QStyle::SP_MessageBoxWarning},
        {"PAGE_SMS", QStyle::SP_FileDialogContentsView},
        {"PAGE_RFZONE", QStyle::SP_ComputerIcon},
        {"PAGE_WINPRIO", QStyle::SP_ComputerIcon},
        {"PAGE_SYSPRIO", QStyle::SP_FileDialogListView},
        {"PAGE_DIOTYPE", QStyle::SP_DriveHDIcon},
        {"PAGE_DINSMS", QStyle::SP_FileDialogDetailedView},
        {"PAGE_DINSETUP", QStyle::SP_FileDialogInfoView},
        {"PAGE_DINAME", QStyle::SP_ArrowForward},
        {"PAGE_DONAME", QStyle::SP_ArrowBack},
        {"PAGE_SENSORNAME", QStyle::SP_DesktopIcon},
        {"PAGE_BUZZER", QStyle::SP_MediaVolume},
        {"PAGE_DS1820", QStyle::SP_DriveCDIcon},
        {"PAGE_TMP100", QStyle::SP_DriveCDIcon},
        {"PAGE_BATTERY", QStyle::SP_DriveFDIcon},
        {"PAGE_INTERLOCK", QStyle::SP_CommandLink},
        {"PAGE_TIMERS", QStyle::SP_BrowserReload},
        {"PAGE_WEEK_TIMERS", QStyle::SP_DirOpenIcon},
        {"PAGE_COMM_TOOL", QStyle::SP_MediaVolume},
        {"PAGE_USER_CMD", QStyle::SP_FileIcon},
    };
    return pixmaps;
}

QStyle::StandardPixmap ItemPixmap(std::string_view key)
{
    const auto found = ItemPixmaps().find(key);
    return found != ItemPixmaps().end() ? found->second : QStyle::SP_FileIcon;
}

QString Text(const CLabelCatalogue& catalogue, std::string_view key)
{
    return QString::fromStdString(catalogue.Lookup(key, kSectionTabs));
}

// A folder is a bold heading, not a choice.
void StyleAsFolder(QTreeWidgetItem* folder, QFont font)
{
    font.setBold(true);
    folder->setFont(0, font);
    folder->setFlags(Qt::ItemIsEnabled);
}

} // namespace

bool CNavigationBar::HasItemIcon(std::string_view key)
{
    return ItemPixmaps().contains(key);
}

CNavigationBar::CNavigationBar(const CLabelCatalogue& catalogue, QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("navigation"));
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setIndentation(10);
    setIconSize(QSize(20, 20));
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setStyleSheet(QStringLiteral("QTreeView { border: none; } QTreeView::item { padding: 3px 2px; }"));

    for (const NavigationFolderKeys& folder : kNavigationFolders) {
        auto* folderItem = new QTreeWidgetItem(this, {Text(catalogue, folder.folder)});
        StyleAsFolder(folderItem, font());
        for (std::string_view key : folder.items) {
            auto* item = new QTreeWidgetItem(folderItem, {Text(catalogue, key)});
            item->setData(0, kKeyRole, QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())));
            item->setIcon(0, StyleIcon(ItemPixmap(key)));
        }
    }
    expandAll();
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { OnCurrentChanged(current); });

    m_allPagesCaption = Text(catalogue, kAllPagesFolderKey);
    m_showAll = new QAction(Text(catalogue, kShowAllPagesKey), this);
    m_showAll->setObjectName(QStringLiteral("actionShowAllPages"));
    m_showAll->setCheckable(true);
    addAction(m_showAll);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_showAll, &QAction::toggled, this, [this](bool show) {
        BuildAllPagesFolder();
        Q_EMIT showAllPagesChanged(show);
    });
}

void CNavigationBar::SetAllPagesItems(std::vector<std::pair<QString, QString>> items)
{
    m_allPages = std::move(items);
    BuildAllPagesFolder();
}

QStringList CNavigationBar::AllPagesKeys() const
{
    QStringList keys;
    for (const auto& [key, caption] : m_allPages)
        keys.append(key);
    return keys;
}

void CNavigationBar::SetShowAllPages(bool show)
{
    m_showAll->setChecked(show);
}

void CNavigationBar::BuildAllPagesFolder()
{
    // Rebuilt rather than hidden, so the four fixed folders stay the only
    // ones while all pages are not asked for.
    {
        const QSignalBlocker blocker(this);
        delete m_allPagesFolder;
        m_allPagesFolder = nullptr;
    }
    if (!m_showAll->isChecked() || m_allPages.empty())
        return;
    const QSignalBlocker blocker(this);
    m_allPagesFolder = new QTreeWidgetItem(this, {m_allPagesCaption});
    StyleAsFolder(m_allPagesFolder, font());
    for (const auto& [key, caption] : m_allPages) {
        auto* item = new QTreeWidgetItem(m_allPagesFolder, {caption});
        item->setData(0, kKeyRole, key);
        item->setIcon(0, StyleIcon(QStyle::SP_FileIcon));
        ShowEdited(item, m_editedKeys.contains(key));
    }
    m_allPagesFolder->setExpanded(true);
}

QStringList CNavigationBar::ItemKeys() const
{
    QStringList keys;
    for (int f = 0; f < topLevelItemCount(); ++f) {
        if (topLevelItem(f) == m_allPagesFolder)
            continue;
        const QTreeWidgetItem* folder = topLevelItem(f);
        for (int i = 0; i < folder->childCount(); ++i)
            keys.append(folder->child(i)->data(0, kKeyRole).toString());
    }
    return keys;
}

QTreeWidgetItem* CNavigationBar::Item(const QString& key) const
{
    for (int f = 0; f < topLevelItemCount(); ++f) {
        QTreeWidgetItem* folder = topLevelItem(f);
        for (int i = 0; i < folder->childCount(); ++i) {
            if (folder->child(i)->data(0, kKeyRole).toString() == key)
                return folder->child(i);
        }
    }
    return nullptr;
}

void CNavigationBar::SetItemEnabled(const QString& key, bool enabled)
{
    if (QTreeWidgetItem* item = Item(key)) {
        item->setFlags(enabled ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
        item->setToolTip(0, enabled ? QString() : tr("This page is not available in this version"));
    }
}

bool CNavigationBar::IsItemEnabled(const QString& key) const
{
    const QTreeWidgetItem* item = Item(key);
    return item != nullptr && (item->flags() & Qt::ItemIsEnabled);
}

void CNavigationBar::MarkCurrent(const QString& key)
{
    const QSignalBlocker blocker(this);
    setCurrentItem(Item(key));
}

void CNavigationBar::SetItemEdited(const QString& key, bool edited)
{
    if (edited)
        m_editedKeys.insert(key);
    else
        m_editedKeys.remove(key);
    if (QTreeWidgetItem* item = Item(key))
        ShowEdited(item, edited);
}

void CNavigationBar::ShowEdited(QTreeWidgetItem* item, bool edited)
{
    // The caption stays the page's; the marker and the slant say "unwritten".
    if (!item->data(0, kCaptionRole).isValid())
        item->setData(0, kCaptionRole, item->text(0));
    const QString caption = item->data(0, kCaptionRole).toString();
    item->setText(0, edited ? caption + QStringLiteral("  \u25CF") : caption);
    QFont font = item->font(0);
    font.setItalic(edited);
    item->setFont(0, font);
    if (item->flags() & Qt::ItemIsEnabled)
        item->setToolTip(0, edited ? tr("Changed here, not yet written to the terminal") : QString());
}

void CNavigationBar::OnCurrentChanged(QTreeWidgetItem* current)
{
    if (current == nullptr)
        return;
    const QString key = current->data(0, kKeyRole).toString();
    if (!key.isEmpty() && (current->flags() & Qt::ItemIsEnabled))
        Q_EMIT itemChosen(key);
}

} // namespace orlan
