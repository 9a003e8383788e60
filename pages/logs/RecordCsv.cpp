#include "pages/logs/RecordCsv.h"

#include <charconv>

#include "pages/PageTable.h"
#include "pages/logs/TempRecordList.h"

namespace orlan {

namespace {

bool IsNumber(std::string_view text)
{
    if (text.starts_with('+'))
        text.remove_prefix(1);
    double value = 0.0;
    const char* end = text.data() + text.size();
    return !text.empty() && std::from_chars(text.data(), end, value).ptr == end;
}

constexpr size_t kWordedStates = 4;

} // namespace

std::string CsvCell(std::string_view cell)
{
    std::string out;
    const bool formula = !cell.empty() && (cell.front() == '=' || cell.front() == '+' || cell.front() == '-' ||
                                           cell.front() == '@') && !IsNumber(cell);
    if (formula)
        out = "'";
    out += cell;
    if (cell.find_first_of(",\"") == std::string_view::npos)
        return out;
    std::string quoted = "\"";
    for (char c : out) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string_view CsvStateWord(std::string_view state)
{
    if (state == "2")
        return "Disconnect";
    if (state == "1")
        return "ALARM";
    if (state == "0")
        return "NORMAL";
    return "UA";
}

std::string CsvLine(const CPageTable& list, size_t row)
{
    std::string line;
    for (size_t column = 0; column < CTempRecordPage::kColumns; ++column) {
        const std::string& cell = list.Cell(row, column);
        const bool worded = column % 2 == 1 && column < CTempRecordPage::StateColumn(kWordedStates);
        line += worded ? std::string(CsvStateWord(cell)) : CsvCell(cell);
        line += ',';
    }
    line += "\r\n";
    return line;
}

std::string CsvLines(const CPageTable& list)
{
    std::string lines;
    for (size_t row = 0; row < list.Rows(); ++row)
        lines += CsvLine(list, row);
    return lines;
}

} // namespace orlan
