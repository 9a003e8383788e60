#include "app/NavigationBar.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <array>
#include <map>

#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "widgets/LazyIcons.h"

namespace orlan {

namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kCaptionRole = Qt::UserRole + 1;

// Grouped the way an installer looks for them: alarm handling, links to the
// outside world, measured values, and what the terminal recorded.
constexpr std::array<std::string_view, 4> kAlarmPages = {"CPageSos", "CPagePriotab", "CPageInterlock", "CPageDin3G"};
constexpr std::array<std::string_view, 10> kNetworkPages = {
    "CPageGPRS",       "CPageHttp",  "CPageEmail", "CPageMmsSetup", "CPage3GMMS",
    "CDataParams",     "CPageMbusParams", "CPageRname", "CPageComm2", "CPage62056"};
constexpr std::array<std::string_view, 11> kAnalogPages = {
    "CPageAD",     "CPageADName",  "CPageADSms",    "CPageAinprio", "CPageAdcExt", "CPageHumidity",
    "CPageGSensor", "CPageGraycode", "CPageUps",    "CPageDinCt",   "CPageCounter"};
constexpr std::array<std::string_view, 3> kRecordPages = {"CPageEvents", "CPageExTmpRcd", "CPageExtTmpLog"};
constexpr std::array<SSubjectFolder, 4> kSubjectFolders = {{
    {"TAB_ALARMS", kAlarmPages},
    {"TAB_NETWORK", kNetworkPages},
    {"TAB_ANALOG", kAnalogPages},
    {"TAB_RECORDS", kRecordPages},
}};

// One picture per icon of the original strip; items that shared an icon
// share a picture.
const std::map<std::string_view, QStyle::StandardPixmap>& ItemPixmaps()
{
    static const std::map<std::string_view, QStyle::StandardPixmap> pixmaps = {
        {kOverviewItemKey, QStyle::SP_DesktopIcon},
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
        // The subject folders' items, by page class.
        {"CPageSos", QStyle::SP_MessageBoxCritical},
        {"CPagePriotab", QStyle::SP_FileDialogListView},
        {"CPageInterlock", QStyle::SP_CommandLink},
        {"CPageDin3G", QStyle::SP_DriveNetIcon},
        {"CPageGPRS", QStyle::SP_DriveNetIcon},
        {"CPageHttp", QStyle::SP_DirLinkIcon},
        {"CPageEmail", QStyle::SP_FileLinkIcon},
        {"CPageMmsSetup", QStyle::SP_DesktopIcon},
        {"CPage3GMMS", QStyle::SP_MediaPlay},
        {"CDataParams", QStyle::SP_FileDialogContentsView},
        {"CPageMbusParams", QStyle::SP_DriveHDIcon},
        {"CPageRname", QStyle::SP_FileDialogListView},
        {"CPageComm2", QStyle::SP_ArrowRight},
        {"CPage62056", QStyle::SP_FileDialogInfoView},
        {"CPageAD", QStyle::SP_DriveCDIcon},
        {"CPageADName", QStyle::SP_ArrowForward},
        {"CPageADSms", QStyle::SP_FileDialogDetailedView},
        {"CPageAinprio", QStyle::SP_FileDialogListView},
        {"CPageAdcExt", QStyle::SP_DriveCDIcon},
        {"CPageHumidity", QStyle::SP_DriveCDIcon},
        {"CPageGSensor", QStyle::SP_DesktopIcon},
        {"CPageGraycode", QStyle::SP_BrowserReload},
        {"CPageUps", QStyle::SP_DriveFDIcon},
        {"CPageDinCt", QStyle::SP_BrowserReload},
        {"CPageCounter", QStyle::SP_BrowserReload},
        {"CPageEvents", QStyle::SP_MessageBoxInformation},
        {"CPageExTmpRcd", QStyle::SP_FileDialogDetailedView},
        {"CPageExtTmpLog", QStyle::SP_DirOpenIcon},
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

// A folder is a bold heading, not a choice; a click on it or its arrow
// opens or closes it.
void StyleAsFolder(QTreeWidgetItem* folder, QFont font)
{
    font.setBold(true);
    folder->setFont(0, font);
    folder->setFlags(Qt::ItemIsEnabled);
}

} // namespace

std::span<const SSubjectFolder> SubjectFolders()
{
    return kSubjectFolders;
}

bool CNavigationBar::HasItemIcon(std::string_view key)
{
    return ItemPixmaps().contains(key);
}

CNavigationBar::CNavigationBar(const CLabelCatalogue& catalogue, QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("navigation"));
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setIndentation(10);
    setIconSize(QSize(20, 20));
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setStyleSheet(QStringLiteral("QTreeView { border: none; } QTreeView::item { padding: 3px 2px; }"));

    auto* overview = new QTreeWidgetItem(this, {tr("Unit at a glance")});
    overview->setData(0, kKeyRole, QString::fromLatin1(kOverviewItemKey));
    overview->setIcon(0, StyleIcon(ItemPixmap(kOverviewItemKey)));
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
    // A click on the arrow itself is the tree's own and reaches no handler.
    connect(this, &QTreeWidget::itemClicked, this, [](QTreeWidgetItem* item) {
        if (item->parent() == nullptr)
            item->setExpanded(!item->isExpanded());
    });

    for (const SSubjectFolder& folder : kSubjectFolders)
        m_folderCaptions.append(Text(catalogue, folder.folderKey));
    m_folderCaptions.append(Text(catalogue, kAllPagesFolderKey));
    m_showAll = new QAction(Text(catalogue, kShowAllPagesKey), this);
    m_showAll->setObjectName(QStringLiteral("actionShowAllPages"));
    m_showAll->setCheckable(true);
    addAction(m_showAll);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_showAll, &QAction::toggled, this, [this](bool show) {
        BuildSubjectFolders();
        Q_EMIT showAllPagesChanged(show);
    });
}

void CNavigationBar::SetAllPagesItems(std::vector<std::pair<QString, QString>> items)
{
    // Each page goes to the subject folder naming it, in that folder's
    // order; a page none names still gets an item, in a folder of its own.
    const size_t unplaced = kSubjectFolders.size();
    const auto placeOf = [](const QString& key) {
        const std::string className = key.toStdString();
        for (size_t f = 0; f < kSubjectFolders.size(); ++f) {
            const auto& classes = kSubjectFolders[f].pageClasses;
            const auto found = std::find(classes.begin(), classes.end(), className);
            if (found != classes.end())
                return std::pair(f, static_cast<size_t>(found - classes.begin()));
        }
        return std::pair(kSubjectFolders.size(), size_t{0});
    };
    std::vector<std::pair<std::pair<size_t, size_t>, SOtherPage>> placed;
    for (size_t i = 0; i < items.size(); ++i) {
        auto place = placeOf(items[i].first);
        if (place.first == unplaced)
            place.second = i;
        placed.push_back({place, {std::move(items[i].first), std::move(items[i].second), place.first}});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    m_allPages.clear();
    for (auto& [place, page] : placed)
        m_allPages.push_back(std::move(page));
    BuildSubjectFolders();
}

QStringList CNavigationBar::AllPagesKeys() const
{
    QStringList keys;
    for (const SOtherPage& page : m_allPages)
        keys.append(page.key);
    return keys;
}

void CNavigationBar::SetShowAllPages(bool show)
{
    m_showAll->setChecked(show);
}

void CNavigationBar::BuildSubjectFolders()
{
    // Rebuilt rather than hidden, so the four classic folders are the only
    // ones while all pages are not asked for.
    {
        const QSignalBlocker blocker(this);
        qDeleteAll(m_subjectFolders);
        m_subjectFolders.clear();
    }
    if (!m_showAll->isChecked())
        return;
    const QSignalBlocker blocker(this);
    std::vector<QTreeWidgetItem*> byIndex(static_cast<size_t>(m_folderCaptions.size()), nullptr);
    for (const SOtherPage& page : m_allPages) {
        QTreeWidgetItem*& folder = byIndex[page.folder];
        if (folder == nullptr) {
            folder = new QTreeWidgetItem(this, {m_folderCaptions[static_cast<qsizetype>(page.folder)]});
            StyleAsFolder(folder, font());
            m_subjectFolders.push_back(folder);
        }
        auto* item = new QTreeWidgetItem(folder, {page.caption});
        item->setData(0, kKeyRole, page.key);
        item->setIcon(0, StyleIcon(ItemPixmap(page.key.toStdString())));
        ShowEdited(item, m_editedKeys.contains(page.key));
    }
    // Left closed (showing a page opens its folder): the classic folders stay
    // in sight, and every other heading is one click from its pages.
}

QStringList CNavigationBar::ItemKeys() const
{
    QStringList keys;
    for (int f = 0; f < topLevelItemCount(); ++f) {
        if (std::find(m_subjectFolders.begin(), m_subjectFolders.end(), topLevelItem(f)) != m_subjectFolders.end())
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
        if (!key.isEmpty() && folder->data(0, kKeyRole).toString() == key)
            return folder;
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
    QTreeWidgetItem* item = Item(key);
    if (item != nullptr && item->parent() != nullptr)
        item->parent()->setExpanded(true);
    setCurrentItem(item);
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
