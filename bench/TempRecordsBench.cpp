// The temperature records: scanning throughput against what the serial line
// can bring (115 200 bit/s, 8N1: 11 520 bytes/s), and the time a burst of
// 2000 stored records takes to reach the log page's list and its table
// model, as a Sync with RTU at full line rate delivers them.
#include <benchmark/benchmark.h>

#include <string>

#include "console/TempRecords.h"
#include "labels/LabelCatalogue.h"
#include "pages/logs/ExtTmpLogPage.h"
#include "widgets/TableModel.h"

namespace {

constexpr double kLineBytesPerSecond = 11520.0;

std::string RecordLine(const char* type, int i)
{
    char line[160];
    std::snprintf(line, sizeof line, "$TR%06dET%s24-05-01 %02d:%02d06%c%d.%02d,0%d.25,0-18.00,021.00,20.00,20.00,", i,
                  type, (i / 60) % 24, i % 60, i % 7 == 0 ? '1' : '0', 20 + i % 9, i % 100, i % 9);
    return line;
}

void BM_ScanRecords(benchmark::State& state)
{
    // A line of one record and a line of two, as the terminal packs them.
    const std::string lines[] = {RecordLine("33", 1), RecordLine("83", 2) + RecordLine("83", 3)};
    size_t entries = 0;
    int64_t records = 0;
    int64_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& line : lines) {
            orlan::ScanTempRecords(line, [&](const orlan::STempRecord& record) {
                entries += record.entries.size();
                ++records;
            });
            bytes += static_cast<int64_t>(line.size() + 2);
        }
    }
    benchmark::DoNotOptimize(entries);
    state.SetBytesProcessed(bytes);
    state.counters["records/s"] = benchmark::Counter(static_cast<double>(records), benchmark::Counter::kIsRate);
    // What the line can bring of these records in a second.
    const double bytesPerRecord = static_cast<double>(bytes) / static_cast<double>(records);
    state.counters["line_records/s"] = kLineBytesPerSecond / bytesPerRecord;
}
BENCHMARK(BM_ScanRecords);

// 2000 stored records into a freshly synced log page (the last one meets
// the 1999-record limit and starts the list over, as it would on the unit),
// then its table model brought up to date once, as the view's refresh does.
void BM_SyncBurstIntoTheLogPage(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back(RecordLine("83", i));
    for (auto _ : state) {
        state.PauseTiming();
        orlan::CPageExtTmpLog page;
        const orlan::CLabelCatalogue catalogue;
        orlan::CTableModel model(page.Tables()[0], {}, catalogue);
        state.ResumeTiming();
        for (const std::string& line : lines)
            page.ParseLine(line);
        model.Sync();
        benchmark::DoNotOptimize(model.rowCount());
    }
    state.counters["records"] = count;
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(count) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SyncBurstIntoTheLogPage)->Arg(1999)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
