#pragma once
// The views of the two temperature record pages: the record list (the
// generic table view over the page's list, so thousands of rows cost only
// what is on screen) with the counters' status, and on the realtime page
// the chart and the running file's controls, on the log page Sync with RTU
// and Export Data. Both follow their page at most every 100 ms, whatever
// page is shown; boxes and the file chooser open without a nested loop.
#include <QString>

#include <memory>
#include <vector>

#include "widgets/PageView.h"

class QCheckBox;
class QComboBox;
class QVBoxLayout;
class QLabel;
class QPushButton;
class QTimer;

namespace orlan {

class CLabelCatalogue;
class CPageExTmpRcd;
class CPageExtTmpLog;
class CRealtimeRecordFile;
class CRecordListLook;
class CTableView;
class ITempChartPlot;
class CTerminalSession;

class CRealtimeRecordsView final : public CPageView {
    Q_OBJECT
public:
    static constexpr int kRefreshIntervalMs = 100;
    static constexpr int kDeleteProgressTicks = 3;

    // The view owns the running file and opens it now; the page writes to it
    // until the view goes.
    CRealtimeRecordsView(CPageExTmpRcd& page, CTerminalSession& session, const CLabelCatalogue& catalogue,
                         std::unique_ptr<CRealtimeRecordFile> file, QWidget* parent = nullptr);
    ~CRealtimeRecordsView() override;

    CPage* Page() const override;
    void SetPageButtonsEnabled(bool enabled) override;

    // Shows the page's list, counters and chart now.
    void Refresh();
    // Redraws the chart for the chosen sensor.
    void Redraw();
    // Delete log file after the user said Yes.
    void DeleteLogFile();

    CTableView* List() const { return m_list; }
    // The chart is made when the view is first shown (or asked for here):
    // a window that never shows the records does not load its module. Null
    // when the module is missing; the chart's place then says why.
    ITempChartPlot* Chart();
    QComboBox* SensorChoice() const { return m_sensor; }
    QCheckBox* AutoFitBox() const { return m_autoFit; }
    QLabel* StatusLabel() const { return m_status; }
    QLabel* FileLabel() const { return m_fileLabel; }
    const CRealtimeRecordFile& File() const { return *m_file; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AskDelete();
    void ShowFileState();
    // The sensor names in the list's header, the sensor choice and the title.
    void NameSensors();

    CPageExTmpRcd& m_page;
    CTerminalSession& m_session;
    const CLabelCatalogue& m_catalogue;
    std::unique_ptr<CRealtimeRecordFile> m_file;
    CTableView* m_list = nullptr;
    ITempChartPlot* m_chart = nullptr;
    QLabel* m_chartMissing = nullptr;
    QVBoxLayout* m_chartLayout = nullptr;
    QComboBox* m_sensor = nullptr;
    QCheckBox* m_autoFit = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_fileLabel = nullptr;
    QTimer* m_refreshTimer = nullptr;
    std::unique_ptr<CRecordListLook> m_look;
    std::vector<QString> m_sensorNames;
};

class CTempLogView final : public CPageView {
    Q_OBJECT
public:
    static constexpr int kRefreshIntervalMs = 100;

    CTempLogView(CPageExtTmpLog& page, CTerminalSession& session, const CLabelCatalogue& catalogue,
                 QWidget* parent = nullptr);
    ~CTempLogView() override;

    CPage* Page() const override;
    void SetPageButtonsEnabled(bool enabled) override;
    void Refresh();
    // Writes the export to the chosen name (".csv" added unless it holds
    // it); empty on success, else why not.
    QString Export(const QString& chosenName);

    CTableView* List() const { return m_list; }
    QPushButton* SyncButton() const { return m_sync; }
    QPushButton* ExportButton() const { return m_export; }

private:
    void AskSync();
    void ChooseExportFile();

    CPageExtTmpLog& m_page;
    CTerminalSession& m_session;
    const CLabelCatalogue& m_catalogue;
    CTableView* m_list = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_sync = nullptr;
    QPushButton* m_export = nullptr;
    QTimer* m_refreshTimer = nullptr;
    std::unique_ptr<CRecordListLook> m_look;
};

struct SPageViewContext;
// The makers registered under the pages' class names.
CPageView* CreateRealtimeRecordsView(const SPageViewContext& context);
CPageView* CreateTempLogView(const SPageViewContext& context);

} // namespace orlan
