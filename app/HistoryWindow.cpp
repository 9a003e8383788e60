#include "app/HistoryWindow.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/FileAccess.h"
#include "platform/PreferenceNames.h"
#include "session/PageValueDiff.h"
#include "session/ProfileDiff.h"

namespace orlan {

namespace {

constexpr int kUnitRole = Qt::UserRole;
constexpr int kSnapshotRole = Qt::UserRole + 1;

QString LocalTime(int64_t timeSecs)
{
    return QDateTime::fromSecsSinceEpoch(timeSecs).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString SourceText(const std::string& source)
{
    return source == "profile" ? CHistoryWindow::tr("after a profile") : CHistoryWindow::tr("whole read");
}

QString UnitText(const std::string& unitId)
{
    return unitId.empty() ? CHistoryWindow::tr("Unit without an id") : CHistoryWindow::tr("Unit %1").arg(QString::fromStdString(unitId));
}

} // namespace

CHistoryWindow::CHistoryWindow(const CLabelCatalogue& catalogue, QWidget* parent, const QString& root)
    : QDialog(parent), m_catalogue(catalogue), m_folder(root)
{
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(tr("Configuration history"));
    auto* layout = new QVBoxLayout(this);
    auto* where = new QLabel(tr("Kept in %1").arg(m_folder.Root()), this);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    where->setTextFormat(Qt::PlainText);
    layout->addWidget(where);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    m_tree = new QTreeWidget(splitter);
    m_tree->setObjectName(QStringLiteral("historySnapshots"));
    m_tree->setHeaderLabels({tr("Snapshot"), tr("Made by"), tr("Port")});
    m_tree->setRootIsDecorated(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* against = new QHBoxLayout;
    against->addWidget(new QLabel(tr("Compared with"), right));
    m_against = new QComboBox(right);
    m_against->setObjectName(QStringLiteral("historyAgainst"));
    against->addWidget(m_against, 1);
    rightLayout->addLayout(against);
    m_changes = new QPlainTextEdit(right);
    m_changes->setObjectName(QStringLiteral("historyChanges"));
    m_changes->setReadOnly(true);
    m_changes->setLineWrapMode(QPlainTextEdit::NoWrap);
    rightLayout->addWidget(m_changes, 1);
    splitter->addWidget(m_tree);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({420, 560});
    layout->addWidget(splitter, 1);

    m_skipped = new QLabel(this);
    m_skipped->setObjectName(QStringLiteral("historySkipped"));
    m_skipped->setTextFormat(Qt::PlainText);
    m_skipped->setWordWrap(true);
    layout->addWidget(m_skipped);
    // How much is kept: the oldest snapshots go when a new one is kept.
    auto* keep = new QHBoxLayout;
    const SKeepRule rule = RememberedKeepRule();
    m_keepCount = new QSpinBox(this);
    m_keepCount->setObjectName(QStringLiteral("historyKeepCount"));
    m_keepCount->setRange(0, 100000);
    m_keepCount->setSpecialValueText(tr("no limit"));
    m_keepCount->setValue(static_cast<int>(rule.count));
    m_keepDays = new QSpinBox(this);
    m_keepDays->setObjectName(QStringLiteral("historyKeepDays"));
    m_keepDays->setRange(0, 36500);
    m_keepDays->setSpecialValueText(tr("no limit"));
    m_keepDays->setValue(rule.maxAgeDays);
    keep->addWidget(new QLabel(tr("Snapshots kept per unit"), this));
    keep->addWidget(m_keepCount);
    keep->addSpacing(16);
    keep->addWidget(new QLabel(tr("Days kept"), this));
    keep->addWidget(m_keepDays);
    keep->addStretch(1);
    layout->addLayout(keep);
    auto remember = [this] {
        QSettings settings(QString::fromLatin1(kOrganisationName), QString::fromLatin1(kApplicationName));
        settings.setValue(QLatin1String(kHistoryKeepCountSetting), m_keepCount->value());
        settings.setValue(QLatin1String(kHistoryKeepDaysSetting), m_keepDays->value());
    };
    connect(m_keepCount, &QSpinBox::valueChanged, this, remember);
    connect(m_keepDays, &QSpinBox::valueChanged, this, remember);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* reload = buttons->addButton(tr("Read again"), QDialogButtonBox::ActionRole);
    QPushButton* open = buttons->addButton(tr("Open in the window..."), QDialogButtonBox::ActionRole);
    open->setObjectName(QStringLiteral("historyOpen"));
    open->setToolTip(tr("Saves the snapshot as a profile file and shows it in the pages, without a terminal"));
    QPushButton* restore = buttons->addButton(tr("Restore to the terminal..."), QDialogButtonBox::ActionRole);
    restore->setObjectName(QStringLiteral("historyRestore"));
    restore->setToolTip(tr("Saves the snapshot as a profile file and executes it, after a backup of what the pages "
                           "hold"));
    connect(open, &QPushButton::clicked, this, [this] {
        if (const QString path = SaveChosenProfile(); !path.isEmpty() && openProfile)
            openProfile(path);
    });
    connect(restore, &QPushButton::clicked, this, [this] {
        if (const QString path = SaveChosenProfile(); !path.isEmpty() && restoreProfile)
            restoreProfile(path);
    });
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(reload, &QPushButton::clicked, this, &CHistoryWindow::Reload);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] {
        // The one before is the first to compare with.
        int snapshot = -1;
        const SUnitHistory* unit = ChosenUnit(&snapshot);
        const QSignalBlocker blocker(m_against);
        m_against->clear();
        if (unit != nullptr && snapshot >= 0) {
            for (int i = snapshot - 1; i >= 0; --i)
                m_against->addItem(LocalTime(unit->snapshots[static_cast<size_t>(i)].timeSecs), i);
            for (int i = snapshot + 1; i < static_cast<int>(unit->snapshots.size()); ++i)
                m_against->addItem(LocalTime(unit->snapshots[static_cast<size_t>(i)].timeSecs), i);
        }
        ShowChanges();
    });
    connect(m_against, &QComboBox::currentIndexChanged, this, &CHistoryWindow::ShowChanges);
    resize(1000, 600);
    Reload();
}

void CHistoryWindow::Reload()
{
    m_history = m_folder.Load();
    m_tree->clear();
    QTreeWidgetItem* newest = nullptr;
    for (size_t u = 0; u < m_history.units.size(); ++u) {
        const SUnitHistory& unit = m_history.units[u];
        auto* unitItem = new QTreeWidgetItem(m_tree, {UnitText(unit.unitId)});
        QFont bold = unitItem->font(0);
        bold.setBold(true);
        unitItem->setFont(0, bold);
        unitItem->setData(0, kUnitRole, static_cast<int>(u));
        unitItem->setData(0, kSnapshotRole, -1);
        // Newest first: the latest state is what a person looks for.
        for (size_t s = unit.snapshots.size(); s > 0; --s) {
            const SSnapshot& snapshot = unit.snapshots[s - 1];
            auto* item = new QTreeWidgetItem(unitItem, {LocalTime(snapshot.timeSecs), SourceText(snapshot.source),
                                                        QString::fromStdString(snapshot.port)});
            item->setData(0, kUnitRole, static_cast<int>(u));
            item->setData(0, kSnapshotRole, static_cast<int>(s - 1));
            if (newest == nullptr)
                newest = item;
        }
        unitItem->setExpanded(true);
    }
    QStringList skipped;
    for (const std::string& why : m_history.skipped)
        skipped.append(QString::fromStdString(why));
    m_skipped->setText(skipped.join(QLatin1Char('\n')));
    m_skipped->setVisible(!skipped.isEmpty());
    if (newest != nullptr)
        m_tree->setCurrentItem(newest);
    else
        m_changes->setPlainText(tr("No snapshot yet: every whole read and every profile run keeps one here."));
}

const SUnitHistory* CHistoryWindow::ChosenUnit(int* snapshot) const
{
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (item == nullptr)
        return nullptr;
    const int unit = item->data(0, kUnitRole).toInt();
    if (unit < 0 || static_cast<size_t>(unit) >= m_history.units.size())
        return nullptr;
    *snapshot = item->data(0, kSnapshotRole).toInt();
    return &m_history.units[static_cast<size_t>(unit)];
}

void CHistoryWindow::ShowChanges()
{
    int chosen = -1;
    const SUnitHistory* unit = ChosenUnit(&chosen);
    if (unit == nullptr || chosen < 0) {
        m_changes->setPlainText(unit == nullptr ? QString() : tr("Choose a snapshot to see what changed."));
        return;
    }
    const SSnapshot& snapshot = unit->snapshots[static_cast<size_t>(chosen)];
    if (m_against->count() == 0) {
        m_changes->setPlainText(tr("The unit's first snapshot: nothing to compare it with.") + QStringLiteral("\n\n")
                                + QString::fromStdString(snapshot.profile));
        return;
    }
    const int other = m_against->currentData().toInt();
    const SSnapshot& against = unit->snapshots[static_cast<size_t>(other)];
    // The older one is what was, the newer what became of it.
    const bool older = against.timeSecs <= snapshot.timeSecs;
    const SSnapshot& before = older ? against : snapshot;
    const SSnapshot& after = older ? snapshot : against;
    const std::string commands = DiffText(DiffProfiles(before.profile, after.profile), IsoTime(before.timeSecs),
                                          IsoTime(after.timeSecs));
    QStringList settings;
    for (const SValueChange& change : DiffProfileValues(before.profile, after.profile, m_catalogue))
        settings.append(QString::fromStdString(ValueChangeText(change)));
    if (commands.empty() && settings.isEmpty()) {
        m_changes->setPlainText(tr("No setting differs between the two."));
        return;
    }
    QString text;
    if (!settings.isEmpty())
        text += tr("Settings that changed:") + QLatin1Char('\n') + settings.join(QLatin1Char('\n')) + QStringLiteral("\n\n");
    if (!commands.empty())
        text += tr("Commands that differ:") + QLatin1Char('\n') + QString::fromStdString(commands);
    m_changes->setPlainText(text);
}

QString CHistoryWindow::SaveChosenProfile()
{
    int chosen = -1;
    const SUnitHistory* unit = ChosenUnit(&chosen);
    if (unit == nullptr || chosen < 0) {
        m_changes->setPlainText(tr("Choose a snapshot first."));
        return {};
    }
    const SSnapshot& snapshot = unit->snapshots[static_cast<size_t>(chosen)];
    QString name = QStringLiteral("%1-%2.txt")
                       .arg(QString::fromStdString(UnitFolderName(snapshot.unitId)),
                            QString::fromStdString(IsoTime(snapshot.timeSecs)).remove(QLatin1Char(':')));
    const QString path = choosePath ? choosePath(name)
                                    : QFileDialog::getSaveFileName(this, tr("Save the snapshot as a profile"),
                                                                   QDir::home().filePath(name),
                                                                   tr("Profiles (*.txt)"));
    if (path.isEmpty())
        return {};
    const QString failed = WriteFileSafely(
        path, QByteArrayView(snapshot.profile.data(), static_cast<qsizetype>(snapshot.profile.size())),
        {ENewFileMode::Private, ELinkPolicy::Refuse});
    if (!failed.isEmpty()) {
        m_changes->setPlainText(tr("The snapshot could not be saved to %1: %2").arg(QDir::toNativeSeparators(path), failed));
        return {};
    }
    return path;
}

void ShowHistoryWindow(QWidget* parent, const CLabelCatalogue& catalogue,
                       std::function<void(const QString&)> openProfile,
                       std::function<void(const QString&)> restoreProfile)
{
    static QPointer<CHistoryWindow> shown;
    if (shown == nullptr) {
        shown = new CHistoryWindow(catalogue, parent);
        shown->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        shown->Reload();
    }
    shown->openProfile = std::move(openProfile);
    shown->restoreProfile = std::move(restoreProfile);
    shown->show();
    shown->raise();
    shown->activateWindow();
}

} // namespace orlan
