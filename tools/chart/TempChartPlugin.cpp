// The chart module's entry: the records view asks it for plots.
#include <QObject>

#include "tools/TempChartPlot.h"
#include "tools/chart/TempChartView.h"

namespace orlan {

class CTempChartPlugin final : public QObject, public ITempChartFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ORLAN_TEMP_CHART_IID)
    Q_INTERFACES(orlan::ITempChartFactory)
public:
    ITempChartPlot* Create(const STempChart& start, QWidget* parent) override
    {
        return new CTempChartView(start, parent);
    }
};

} // namespace orlan

#include "TempChartPlugin.moc"
