#pragma once
// How the temperature record lists read: state cells as words beside their
// icons (the cells keep the terminal's digits for the CSV files), and the
// sensors' columns headed by the names the terminal gives its sensors
// (the sensor names page) where it gave one, else by the catalogue's T0-T5.
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QObject;

namespace orlan {

class CTableView;
class CTempRecordPage;
class CTerminalSession;

// The names of sensors 0..5 as the terminal reported them; empty where it
// reported none (or none that reads as text).
std::vector<QString> SensorNames(const CTerminalSession& session);
// Calls `changed` whenever the sensor names page changes, while `owner` lives.
void FollowSensorNames(const CTerminalSession& session, QObject* owner, std::function<void()> changed);

// Dresses a record list: state words in the state columns, and a header
// whose sensor captions can be renamed.
class CRecordListLook {
public:
    CRecordListLook(CTableView& list, const CTempRecordPage& page);
    // Sensor k's temperature column is headed `names[k]` + " (°C)" where
    // that is not empty, else by its catalogue caption.
    void NameSensors(const std::vector<QString>& names);

private:
    CTableView& m_list;
    class CHeaderTexts* m_header = nullptr;
};

} // namespace orlan
