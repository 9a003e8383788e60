#include "tools/RecordPageViews.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

#include "labels/CommonLabelKeys.h"
#include "platform/SafeFile.h"
#include "pages/logs/ExTmpRcdPage.h"
#include "pages/logs/ExtTmpLogPage.h"
#include "session/TerminalSession.h"
#include "tools/RecordFile.h"
#include "tools/RecordListLook.h"
#include "tools/TempChartPlot.h"
#include "widgets/CatalogueText.h"
#include "widgets/PageViewFactory.h"
#include "widgets/TableView.h"
#include "widgets/WidgetStyle.h"

namespace orlan {

namespace {

constexpr std::string_view kSection = "PageETmpLogs";
// Any large unit: the splitter shares the height in these proportions.
constexpr int kSplitShare = 1000;

QTimer* CoalescingTimer(QWidget* owner, int intervalMs, std::function<void()> refresh)
{
    auto* timer = new QTimer(owner);
    timer->setSingleShot(true);
    timer->setInterval(intervalMs);
    QObject::connect(timer, &QTimer::timeout, owner, std::move(refresh));
    return timer;
}

// Follows the page: a burst of records is one refresh per interval.
void Follow(CPage& page, QWidget* view, QTimer* timer)
{
    page.AddObserver([view = QPointer<QWidget>(view), timer] {
        if (view && !timer->isActive())
            timer->start();
    });
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(text);
    return button;
}

} // namespace

CRealtimeRecordsView::CRealtimeRecordsView(CPageExTmpRcd& page, CTerminalSession& session,
                                           const CLabelCatalogue& catalogue,
                                           std::unique_ptr<CRealtimeRecordFile> file, QWidget* parent)
    : CPageView(parent), m_page(page), m_session(session), m_catalogue(catalogue), m_file(std::move(file))
{
    setObjectName(QStringLiteral("CPageExTmpRcd"));
    m_page.LoadLabels(catalogue);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreatePageHeading(CatalogueText(catalogue, kSection, "TITLE"), this));

    auto* controls = new QHBoxLayout;
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("recordStatus"));
    controls->addWidget(m_status);
    controls->addStretch(1);
    auto* openFile = Button(tr("Open log file"), "openLogButton", this);
    auto* deleteFile = Button(tr("Delete log file"), "deleteLogButton", this);
    auto* reset = Button(tr("Reset list"), "resetListButton", this);
    controls->addWidget(openFile);
    controls->addWidget(deleteFile);
    controls->addWidget(reset);
    layout->addLayout(controls);
    m_fileLabel = new QLabel(this);
    m_fileLabel->setObjectName(QStringLiteral("logFileLabel"));
    m_fileLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_fileLabel->setWordWrap(true);
    layout->addWidget(m_fileLabel);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    m_list = new CTableView(page.Tables()[CTempRecordPage::kRecordList], page.Info().section, catalogue, splitter);
    m_look = std::make_unique<CRecordListLook>(*m_list, page);
    splitter->addWidget(m_list);
    auto* chartArea = new QWidget(splitter);
    m_chartLayout = new QVBoxLayout(chartArea);
    m_chartLayout->setContentsMargins(0, 0, 0, 0);
    auto* chartControls = new QHBoxLayout;
    m_sensor = new QComboBox(chartArea);
    m_sensor->setObjectName(QStringLiteral("sensorChoice"));
    for (int s = 0; s < kChartSensors; ++s)
        m_sensor->addItem(QStringLiteral("T%1").arg(s));
    m_sensor->setCurrentIndex(0);
    auto* reload = Button(tr("Reload"), "chartReloadButton", chartArea);
    m_autoFit = new QCheckBox(CatalogueText(catalogue, kSection, "AUTOFIT"), chartArea);
    m_autoFit->setObjectName(QStringLiteral("autoFitBox"));
    chartControls->addWidget(m_sensor);
    chartControls->addWidget(reload);
    chartControls->addWidget(m_autoFit);
    chartControls->addStretch(1);
    m_chartLayout->addLayout(chartControls);
    m_chartLayout->addStretch(1);
    chartArea->setMinimumHeight(fontMetrics().height() * 16);
    splitter->addWidget(chartArea);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    // The chart needs the height for its tick labels more than the list,
    // which scrolls: it starts with the larger share.
    splitter->setSizes({2 * kSplitShare, 3 * kSplitShare});
    layout->addWidget(splitter, 1);

    connect(openFile, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(m_file->Path())); });
    connect(deleteFile, &QPushButton::clicked, this, &CRealtimeRecordsView::AskDelete);
    connect(reset, &QPushButton::clicked, this, [this] {
        m_page.ResetList();
        Refresh();
    });
    connect(m_sensor, &QComboBox::currentIndexChanged, this, &CRealtimeRecordsView::Redraw);
    connect(reload, &QPushButton::clicked, this, &CRealtimeRecordsView::Redraw);
    connect(m_autoFit, &QCheckBox::toggled, this, &CRealtimeRecordsView::Redraw);

    m_refreshTimer = CoalescingTimer(this, kRefreshIntervalMs, [this] { Refresh(); });
    Follow(page, this, m_refreshTimer);
    FollowSensorNames(session, this, [this] { NameSensors(); });
    NameSensors();

    m_file->Open();
    m_page.SetRecordFile(m_file.get());
    ShowFileState();
    Refresh();
}

CRealtimeRecordsView::~CRealtimeRecordsView()
{
    m_page.SetRecordFile(nullptr);
}

CPage* CRealtimeRecordsView::Page() const
{
    return &m_page;
}

void CRealtimeRecordsView::SetPageButtonsEnabled(bool enabled)
{
    m_list->setEnabled(enabled);
}

void CRealtimeRecordsView::Refresh()
{
    m_refreshTimer->stop();
    m_list->Refresh();
    m_status->setText(QString::fromStdString(m_page.StatusText()));
    Redraw();
}

void CRealtimeRecordsView::Redraw()
{
    if (m_chart == nullptr)
        return;
    const int sensor = std::max(0, m_sensor->currentIndex());
    STempChart chart = m_page.Chart(sensor, m_autoFit->isChecked());
    const QString name = static_cast<size_t>(sensor) < m_sensorNames.size() ? m_sensorNames[sensor] : QString();
    if (!chart.title.empty() && !name.isEmpty())
        chart.title += " \u2013 " + name.toStdString();
    m_chart->Show(chart);
}

void CRealtimeRecordsView::NameSensors()
{
    const std::vector<QString> names = SensorNames(m_session);
    if (names == m_sensorNames)
        return;
    m_sensorNames = names;
    m_look->NameSensors(names);
    for (int s = 0; s < m_sensor->count(); ++s) {
        const QString name = static_cast<size_t>(s) < names.size() ? names[s] : QString();
        m_sensor->setItemText(s, name.isEmpty() ? QStringLiteral("T%1").arg(s)
                                                : QStringLiteral("T%1 \u2013 %2").arg(s).arg(name));
    }
    Redraw();
}

ITempChartPlot* CRealtimeRecordsView::Chart()
{
    if (m_chart != nullptr || m_chartMissing != nullptr)
        return m_chart;
    QWidget* chartArea = m_chartLayout->parentWidget();
    QString error;
    QWidget* place = nullptr;
    if (ITempChartFactory* factory = TempChartFactory(&error)) {
        m_chart = factory->Create(m_page.Chart(0, false), chartArea);
        place = m_chart->Widget();
        place->setMinimumHeight(fontMetrics().height() * 14);
    } else {
        m_chartMissing = new QLabel(tr("The chart cannot be drawn: %1").arg(error), chartArea);
        m_chartMissing->setObjectName(QStringLiteral("chartMissing"));
        m_chartMissing->setWordWrap(true);
        m_chartMissing->setAlignment(Qt::AlignCenter);
        place = m_chartMissing;
    }
    // In the place of the stretch that kept the room.
    delete m_chartLayout->takeAt(m_chartLayout->count() - 1);
    m_chartLayout->addWidget(place, 1);
    Redraw();
    return m_chart;
}

void CRealtimeRecordsView::showEvent(QShowEvent* event)
{
    CPageView::showEvent(event);
    Chart();
}

void CRealtimeRecordsView::ShowFileState()
{
    // Said once, where the user looks: where the file is, or that there is none.
    const QString path = QDir::toNativeSeparators(m_file->Path());
    if (m_file->IsOpen())
        m_fileLabel->setText(CatalogueText(m_catalogue, kSection, "FILE_AT") + QLatin1Char(' ') + path);
    else
        m_fileLabel->setText(CatalogueText(m_catalogue, kSection, "FILE_FAILED") + QStringLiteral(" (") + path +
                             QStringLiteral(": ") + m_file->Error() + QLatin1Char(')'));
}

void CRealtimeRecordsView::AskDelete()
{
    auto* box = new QMessageBox(QMessageBox::Question, CatalogueText(m_catalogue, kSection, "TITLE"),
                                CatalogueText(m_catalogue, kSection, "MESSAGEDEL"), QMessageBox::Yes | QMessageBox::No,
                                this);
    box->setObjectName(QStringLiteral("deleteQuestion"));
    box->button(QMessageBox::Yes)->setText(CatalogueText(m_catalogue, kSectionSysChar, kCharYes));
    box->button(QMessageBox::No)->setText(CatalogueText(m_catalogue, kSectionSysChar, kCharNo));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this, box] {
        if (box->clickedButton() == box->button(QMessageBox::Yes))
            DeleteLogFile();
    });
    box->open();
}

void CRealtimeRecordsView::DeleteLogFile()
{
    m_session.OnProgressShowLine(kDeleteProgressTicks, "Deleteing");
    m_file->Remove();
    m_file->Open();
    ShowFileState();
}

CTempLogView::CTempLogView(CPageExtTmpLog& page, CTerminalSession& session, const CLabelCatalogue& catalogue,
                           QWidget* parent)
    : CPageView(parent), m_page(page), m_session(session), m_catalogue(catalogue)
{
    setObjectName(QStringLiteral("CPageExtTmpLog"));
    m_page.LoadLabels(catalogue);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreatePageHeading(CatalogueText(catalogue, kSection, "TITLE_LOG"), this));
    auto* controls = new QHBoxLayout;
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("recordStatus"));
    controls->addWidget(m_status);
    controls->addStretch(1);
    m_sync = Button(tr("Sync with RTU"), "syncButton", this);
    m_export = Button(tr("Export Data"), "exportButton", this);
    controls->addWidget(m_sync);
    controls->addWidget(m_export);
    layout->addLayout(controls);
    m_list = new CTableView(page.Tables()[CTempRecordPage::kRecordList], page.Info().section, catalogue, this);
    m_look = std::make_unique<CRecordListLook>(*m_list, page);
    layout->addWidget(m_list, 1);

    connect(m_sync, &QPushButton::clicked, this, &CTempLogView::AskSync);
    connect(m_export, &QPushButton::clicked, this, &CTempLogView::ChooseExportFile);
    m_refreshTimer = CoalescingTimer(this, kRefreshIntervalMs, [this] { Refresh(); });
    Follow(page, this, m_refreshTimer);
    FollowSensorNames(session, this, [this] { m_look->NameSensors(SensorNames(m_session)); });
    m_look->NameSensors(SensorNames(session));
    Refresh();
}

CTempLogView::~CTempLogView() = default;

CPage* CTempLogView::Page() const
{
    return &m_page;
}

void CTempLogView::SetPageButtonsEnabled(bool enabled)
{
    m_sync->setEnabled(enabled);
    m_export->setEnabled(enabled);
    m_list->setEnabled(enabled);
}

void CTempLogView::Refresh()
{
    m_refreshTimer->stop();
    m_list->Refresh();
    m_status->setText(QString::fromStdString(m_page.StatusText()));
}

void CTempLogView::AskSync()
{
    // The box only tells; records keep arriving while it is open.
    auto* box = new QMessageBox(QMessageBox::Information, CatalogueText(m_catalogue, kSection, "TITLE_LOG"),
                                CatalogueText(m_catalogue, kSection, "SYNC_MSG"), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("syncMessage"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this] {
        m_session.RunAction(m_page, CPageExtTmpLog::kSyncAction, std::nullopt);
        Refresh();
    });
    box->open();
}

void CTempLogView::ChooseExportFile()
{
    auto* chooser = new QFileDialog(this, tr("Export Data"), QDir::currentPath(),
                                    tr("CSV files (*.csv);;All files (*)"));
    chooser->setObjectName(QStringLiteral("exportChooser"));
    chooser->setAcceptMode(QFileDialog::AcceptSave);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    connect(chooser, &QFileDialog::fileSelected, this, [this](const QString& name) {
        const QString why = Export(name);
        if (!why.isEmpty()) {
            auto* box = new QMessageBox(QMessageBox::Critical, CatalogueText(m_catalogue, kSection, "TITLE_LOG"),
                                        tr("Open/Create the log file failed!"), QMessageBox::Ok, this);
            box->setObjectName(QStringLiteral("exportFailed"));
            box->setInformativeText(why);
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
        }
    });
    chooser->open();
}

QString CTempLogView::Export(const QString& chosenName)
{
    const QString path = QString::fromStdString(CPageExtTmpLog::ExportFileName(chosenName.toStdString()));
    // The user chose the name: a sound link of theirs is written through.
    const std::string why =
        SaveFileSafely(NativePath(path), m_page.ExportBytes(), {ENewFileMode::Shared, ELinkPolicy::WriteThrough});
    if (!why.empty())
        return QString::fromStdString(why);
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    return {};
}

CPageView* CreateRealtimeRecordsView(const SPageViewContext& context)
{
    auto* page = dynamic_cast<CPageExTmpRcd*>(&context.page);
    if (page == nullptr)
        return nullptr;
    return new CRealtimeRecordsView(*page, context.session, context.catalogue, std::make_unique<CRealtimeRecordFile>(),
                                    context.parent);
}

CPageView* CreateTempLogView(const SPageViewContext& context)
{
    auto* page = dynamic_cast<CPageExtTmpLog*>(&context.page);
    if (page == nullptr)
        return nullptr;
    return new CTempLogView(*page, context.session, context.catalogue, context.parent);
}

} // namespace orlan
