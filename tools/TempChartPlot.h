#pragma once
// The realtime page's chart is drawn by a module of its own, loaded when the
// chart is first shown: a window that never shows it does not load Qt Charts.
// What the records view sees of it, and how the module is found.
#include <QString>
#include <QStringList>
#include <QtPlugin>

class QWidget;

namespace orlan {

struct STempChart;

class ITempChartPlot {
public:
    virtual ~ITempChartPlot() = default;
    // The chart's widget; deleting it deletes the plot.
    virtual QWidget* Widget() = 0;
    // Replaces both series with the chart's points; a chart without rows
    // leaves two empty series and the axes where they were.
    virtual void Show(const STempChart& chart) = 0;
};

class ITempChartFactory {
public:
    virtual ~ITempChartFactory() = default;
    // A plot whose axes start where `start` puts them.
    virtual ITempChartPlot* Create(const STempChart& start, QWidget* parent) = 0;
};

// The factory in use: the one set below, else the module's, loaded once from
// TempChartModuleDirs(). Null with the reason when the module cannot be loaded.
ITempChartFactory* TempChartFactory(QString* error);
// A factory used instead of the module (a program with the chart linked in).
void SetTempChartFactory(ITempChartFactory* factory);
// Beside the program (a build tree, Windows) and its installed module folder.
QStringList TempChartModuleDirs();
// Loads the module from the first of `dirs` that has it; kept loaded.
ITempChartFactory* LoadTempChartModule(const QStringList& dirs, QString* error);

inline constexpr char kTempChartModuleName[] = "orlan-chart";

} // namespace orlan

#define ORLAN_TEMP_CHART_IID "io.github.orlantool.orlan.TempChart/1"
Q_DECLARE_INTERFACE(orlan::ITempChartFactory, ORLAN_TEMP_CHART_IID)
