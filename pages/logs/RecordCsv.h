#pragma once
// The CSV form of the record list, shared by the realtime page's running
// file, the log page's export and the CLI: the 13 cells of a row in column
// order, each followed by ",", the line ended by CR LF, no header line. The
// states of sensors 0-3 are written as words ("NORMAL", "ALARM",
// "Disconnect", anything else "UA"), those of sensors 4 and 5 as they stand.
//
// Cells come from the terminal (the time stamp of a log record, the raw
// states of sensors 4 and 5), so a cell a spreadsheet would take for a
// formula (a first "=", "+", "-" or "@" that is no number) gets a leading
// "'", and a cell holding a comma or a double quote is quoted. Every cell a
// sound terminal sends stays as it is.
#include <string>
#include <string_view>

namespace orlan {

class CPageTable;

// One cell as it stands in the file.
std::string CsvCell(std::string_view cell);
// The word of a state cell of sensors 0-3.
std::string_view CsvStateWord(std::string_view state);
// One row of a record list as a CSV line.
std::string CsvLine(const CPageTable& list, size_t row);
// Every row from the top down.
std::string CsvLines(const CPageTable& list);

} // namespace orlan
