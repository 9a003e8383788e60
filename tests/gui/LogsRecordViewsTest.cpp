// The realtime records view: the chart's series and axes follow the list
// and the chosen sensor (no pixels), the list model shows the page's rows,
// the running file takes every sample and goes to the fallback folder when
// the working folder cannot take it; the log view's export.
#include <QChart>
#include <QChartView>
#include <QCategoryAxis>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTemporaryDir>
#include <QValueAxis>

#include <gtest/gtest.h>

#include "ViewTestSupport.h"
#include "pages/logs/ExTmpRcdPage.h"
#include "pages/logs/ExtTmpLogPage.h"
#include "pages/messages/ChannelNamePages.h"
#include "tools/RecordFile.h"
#include "tools/RecordPageViews.h"
#include "tools/TempChartPlot.h"
#include "widgets/TableView.h"

namespace orlan::test {
namespace {

std::string Sample(std::string_view type, std::string_view entries, int count)
{
    return "$TR000001ET" + std::string(type) + "24-05-01 10:000" + std::to_string(count) + std::string(entries);
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// Looks into a plot of the chart module through Qt Charts; each redraw
// makes new series, so they are looked up on every call.
class CChartProbe {
public:
    explicit CChartProbe(ITempChartPlot* plot) : m_view(plot ? qobject_cast<QChartView*>(plot->Widget()) : nullptr) {}
    bool IsChart() const { return m_view != nullptr; }
    QChart* chart() const { return m_view->chart(); }
    template <typename T>
    T* Series(const char* name) const
    {
        for (QAbstractSeries* series : chart()->series())
            if (series->objectName() == QLatin1String(name))
                return qobject_cast<T*>(series);
        return nullptr;
    }
    QScatterSeries* PointSeries() const { return Series<QScatterSeries>("pointSeries"); }
    QLineSeries* LineSeries() const { return Series<QLineSeries>("lineSeries"); }
    QValueAxis* Axis(const char* name) const
    {
        for (QAbstractAxis* axis : chart()->axes())
            if (axis->objectName() == QLatin1String(name))
                return qobject_cast<QValueAxis*>(axis);
        return nullptr;
    }
    QValueAxis* LeftAxis() const { return Axis("leftAxis"); }
    QValueAxis* BottomAxis() const { return Axis("bottomAxis"); }

private:
    QChartView* m_view;
};

// 9 by 9 markers on a chart with rows, small ones on an empty chart.
constexpr qreal kMarkerSize = 9.0;
constexpr qreal kEmptyMarkerSize = 3.0;

ITempChartFactory* BuiltModule()
{
    QString error;
    ITempChartFactory* module = LoadTempChartModule({QStringLiteral(ORLAN_CHART_MODULE_DIR)}, &error);
    EXPECT_NE(module, nullptr) << error.toStdString();
    return module;
}

class LogsRecordViews : public ::testing::Test {
protected:
    LogsRecordViews()
    {
        SetTempChartFactory(BuiltModule());
        catalogue.BindText("[PageETmpLogs]\nTITLE=Realtime\nAUTOFIT=Auto Fit\nFILE_AT=Log file:\n");
        page = static_cast<CPageExTmpRcd*>(&session.AddPage(std::make_unique<CPageExTmpRcd>()));
        page->SetClock([] { return SLocalDateTime{2026, 1, 2, 3, 4, 5}; });
    }
    std::unique_ptr<CRealtimeRecordsView> MakeView(const QString& folder, const QString& fallback)
    {
        return std::make_unique<CRealtimeRecordsView>(*page, session, catalogue,
                                                      std::make_unique<CRealtimeRecordFile>(folder, fallback));
    }

    ~LogsRecordViews() override { SetTempChartFactory(nullptr); }

    QTemporaryDir dir;
    CRecordingSink sink;
    CManualClock clock;
    ISessionView sessionView;
    CTerminalSession session{sessionView, sink, clock};
    CLabelCatalogue catalogue;
    CPageExTmpRcd* page = nullptr;
};

TEST_F(LogsRecordViews, TheChartFollowsTheListAndTheChosenSensor)
{
    auto view = MakeView(dir.path(), {});
    CChartProbe chart(view->Chart());
    ASSERT_TRUE(chart.IsChart());
    EXPECT_EQ(chart.PointSeries()->count(), 0);
    EXPECT_EQ(chart.PointSeries()->markerSize(), kEmptyMarkerSize);

    // A sample every 2 s from 03:00:00.
    int second = 0;
    page->SetClock([&second] { return SLocalDateTime{2026, 1, 2, 3, second / 60, second % 60}; });
    for (int i = 0; i < 40; ++i, second += 2)
        page->ParseLine(Sample("33", "0" + std::to_string(20 + i % 5) + ".50,045.25,", 2));
    view->Refresh();
    const double three = *ClockSeconds("2026/01/02 03:00:00");
    EXPECT_EQ(view->List()->rowCount(), 40);
    EXPECT_EQ(view->List()->CellText(0, 2), "24.50");
    EXPECT_EQ(view->StatusLabel()->text(), "40 Rcd; Alarm 0");
    ASSERT_EQ(chart.PointSeries()->count(), 40);
    EXPECT_EQ(chart.PointSeries()->markerSize(), kMarkerSize);
    EXPECT_EQ(chart.PointSeries()->at(39), QPointF(three + 78, 24.5)) << "the newest at the right, at its time";
    EXPECT_EQ(chart.LineSeries()->at(39), QPointF(three + 78, 24));
    EXPECT_EQ(chart.chart()->title(), "Realtime Records T0");
    // Degrees 13 .. 38 at round values.
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->min(), 10.0);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->max(), 40.0);
    EXPECT_EQ(chart.LeftAxis()->tickCount(), 7);
    // The newest 30 samples (00:20 .. 01:18) at clock steps of 10 s.
    auto* bottom = qobject_cast<QCategoryAxis*>(chart.BottomAxis());
    ASSERT_NE(bottom, nullptr);
    EXPECT_DOUBLE_EQ(bottom->min(), three + 20);
    EXPECT_DOUBLE_EQ(bottom->max(), three + 80);
    EXPECT_EQ(bottom->categoriesLabels().front(), "03:00:20");
    EXPECT_EQ(bottom->categoriesLabels().back(), "03:01:20");

    view->AutoFitBox()->setChecked(true);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->min(), three);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->max(), three + 80);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->min(), 20.0) << "Auto Fit fits the degrees too";
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->max(), 25.0);
    view->SensorChoice()->setCurrentIndex(1);
    EXPECT_EQ(chart.chart()->title(), "Realtime Records T1");
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->min(), three) << "Auto Fit stays on over redraws";

    // A new record redraws without Reload.
    page->ParseLine(Sample("33", "019.00,050.00,", 2));
    view->Refresh();
    EXPECT_EQ(chart.PointSeries()->count(), 41);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->max(), 51.0);

    page->ResetList();
    view->Refresh();
    EXPECT_EQ(chart.PointSeries()->count(), 0);
    EXPECT_EQ(view->List()->rowCount(), 0);
}

TEST_F(LogsRecordViews, StatesReadAsWordsAndSensorsByTheirNames)
{
    auto& names = static_cast<CPageISensorName&>(session.AddPage(std::make_unique<CPageISensorName>()));
    catalogue.BindText("[PageETmpLogs]\nLISTC1=T0 (C)\nLISTC2=T1 (C)\nSTATE_DISCONNECTED=Off\n");
    auto view = MakeView(dir.path(), {});
    page->ParseLine(Sample("33", "021.50,20.00,", 2));
    view->Refresh();
    CTableView* list = view->List();
    const auto shown = [list](int column) {
        auto* delegate = qobject_cast<QStyledItemDelegate*>(list->itemDelegateForColumn(column));
        return delegate ? delegate->displayText(list->model()->index(0, column).data(), QLocale()) : QString();
    };
    EXPECT_EQ(shown(CTempRecordPage::StateColumn(0)), "Normal");
    EXPECT_EQ(shown(CTempRecordPage::StateColumn(1)), "Off");
    EXPECT_EQ(list->CellText(0, CTempRecordPage::TemperatureColumn(1)), "") << "no reading of a disconnected sensor";
    const auto header = [list](size_t sensor) {
        const int column = static_cast<int>(CTempRecordPage::TemperatureColumn(sensor));
        return list->horizontalHeader()->model()->headerData(column, Qt::Horizontal).toString();
    };
    EXPECT_EQ(header(0), "T0 (C)");

    // The terminal names sensor 1 "Freezer".
    ASSERT_TRUE(names.Tables()[0].SetCell(1, 0, "Freezer"));
    names.NotifyChanged();
    EXPECT_EQ(header(0), "T0 (C)");
    EXPECT_EQ(header(1), "Freezer (\u00B0C)");
    EXPECT_EQ(view->SensorChoice()->itemText(1), "T1 \u2013 Freezer");
}

TEST_F(LogsRecordViews, TheChartModuleLoadsFromItsFolderAndItsAbsenceIsSaid)
{
    QString error;
    ITempChartFactory* module = LoadTempChartModule({dir.path(), QStringLiteral(ORLAN_CHART_MODULE_DIR)}, &error);
    ASSERT_NE(module, nullptr) << error.toStdString();
    EXPECT_EQ(module, BuiltModule()) << "loaded once";
    QWidget parent;
    ITempChartPlot* plot = module->Create(page->Chart(0, false), &parent);
    EXPECT_EQ(plot->Widget()->parent(), &parent);
    EXPECT_STREQ(plot->Widget()->metaObject()->className(), "orlan::CTempChartView");
    plot->Show(page->Chart(0, false));

    EXPECT_EQ(LoadTempChartModule({dir.path()}, &error), nullptr);
    EXPECT_NE(error.indexOf(QLatin1String("orlan-chart was not found")), -1) << error.toStdString();

    // No module beside the test program: the view says so where the chart goes.
    SetTempChartFactory(nullptr);
    auto view = MakeView(dir.path(), {});
    EXPECT_EQ(view->Chart(), nullptr);
    auto* missing = view->findChild<QLabel*>(QStringLiteral("chartMissing"));
    ASSERT_NE(missing, nullptr);
    EXPECT_NE(missing->text().indexOf(QLatin1String("orlan-chart")), -1);
    view->Refresh();  // redraws without a chart
}

TEST_F(LogsRecordViews, TheRunningFileTakesEverySampleAndMovesWhereItCanBeWritten)
{
    const QString fallback = dir.filePath(QStringLiteral("data"));
    {
        auto view = MakeView(dir.path(), fallback);
        const QString path = dir.filePath(QString::fromLatin1(CPageExTmpRcd::kLogFileName));
        EXPECT_EQ(view->File().Path(), path);
        EXPECT_TRUE(view->FileLabel()->text().endsWith(path)) << view->FileLabel()->text().toStdString();
        EXPECT_FALSE(QFileInfo::exists(path)) << "made with its first sample, not at start";
        page->ParseLine(Sample("33", "021.50,", 1));
        EXPECT_EQ(Contents(path), "2026/01/02 03:04:05,NORMAL,21.50,UA,,UA,,UA,,,,,,\r\n");
        view->DeleteLogFile();
        EXPECT_TRUE(view->File().IsOpen()) << "open again after the delete";
        EXPECT_EQ(QFileInfo(path).size(), 0);
        page->ParseLine(Sample("33", "122.00,", 1));
        EXPECT_EQ(Contents(path), "2026/01/02 03:04:05,ALARM,22.00,UA,,UA,,UA,,,,,,\r\n");
    }
    auto view = MakeView(dir.filePath(QStringLiteral("no such folder")), fallback);
    EXPECT_EQ(view->File().Path(), fallback + QStringLiteral("/ex temp.csv"));
    EXPECT_TRUE(view->File().IsOpen());
    page->ParseLine(Sample("33", "021.50,", 1));
    EXPECT_EQ(Contents(view->File().Path()), "2026/01/02 03:04:05,NORMAL,21.50,UA,,UA,,UA,,,,,,\r\n");
}

TEST(LogsTempLogView, ExportWritesTheListUnderTheChosenNameWithCsvAdded)
{
    QTemporaryDir dir;
    CRecordingSink sink;
    CManualClock clock;
    ISessionView sessionView;
    CTerminalSession session{sessionView, sink, clock};
    CLabelCatalogue catalogue;
    auto& page = static_cast<CPageExtTmpLog&>(session.AddPage(std::make_unique<CPageExtTmpLog>()));
    page.ParseLine(Sample("83", "021.50,", 1));
    CTempLogView view(page, session, catalogue);
    // No default application in the test: the file is written all the same.
    EXPECT_TRUE(view.Export(dir.filePath(QStringLiteral("data"))).isEmpty());
    QFile file(dir.filePath(QStringLiteral("data.csv")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), page.ExportBytes());
    EXPECT_FALSE(view.Export(dir.filePath(QStringLiteral("missing/data"))).isEmpty());
}

} // namespace
} // namespace orlan::test
