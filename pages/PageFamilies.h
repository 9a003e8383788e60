#pragma once
// Each family of pages adds its pages to the session's list; CreateAllPages
// calls them in a fixed order.
#include <memory>
#include <vector>

#include "pages/Page.h"

namespace orlan {

using CPageList = std::vector<std::unique_ptr<CPage>>;

void AddAnalogPages(CPageList& pages);      // analog inputs, temperature, humidity, motion and encoder
void AddContactPages(CPageList& pages);     // phone lists
void AddSystemPages(CPageList& pages);      // main, alarm, power/siren/UPS, SMS data transfer, user commands
void AddMessagePages(CPageList& pages);     // message texts, channel and register names
void AddPriorityPages(CPageList& pages);    // priority tables
void AddNetworkPages(CPageList& pages);    // GPRS data centres, HTTP, e-mail, 3G video and MMS
void AddTimerPages(CPageList& pages);       // machine and weekly timers
void AddDiagnosticPages(CPageList& pages);  // the console terminal
void AddFieldbusPages(CPageList& pages);    // Modbus master, second serial port, meter reading
void AddIoPages(CPageList& pages);          // digital I/O, linkage, input timing, counters, wireless zones
void AddLogsPages(CPageList& pages);        // temperature records and log, events

} // namespace orlan
