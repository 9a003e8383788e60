#pragma once
// What the priority pages share: grids of one row per control phone (CS0 …
// CS9) and one column per event source, each cell "O" (the phone hears of
// the event) or "X". A row travels as a hex mask, bit i for cell i; the pages
// with two grids carry the message masks in the first and the call masks in
// the second. All read with one dump request and save one command per row.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pages/Page.h"
#include "pages/priorities/PriorityRow.h"

namespace orlan {

class CPriorityPage : public CPage {
public:
    static constexpr std::string_view kMarkOn = "O";
    static constexpr std::string_view kMarkOff = "X";
    // Tick limit of the row commands (and the system page's M2M switch).
    static constexpr int kRowWaitMs = 4000;
    // The grids of the pages with two.
    static constexpr size_t kMessageGrid = 0;
    static constexpr size_t kCallGrid = 1;

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

    // The row's mask as saved: bit i set when cell i holds "O"; an empty or
    // "X" cell counts as 0.
    std::uint16_t Mask(size_t grid, size_t row) const;
    // Cell i of a row (column i + 1 of the grid on screen).
    const std::string& Mark(size_t grid, size_t row, size_t cell) const;

protected:
    struct SGrid {
        std::string id;       // table id
        std::string dumpKey;  // routed key whose lines fill the grid
        std::string captionKey = {};  // SYSCHAR key of its caption; empty: none
    };
    // `columns` gives the header keys and texts, the label column first, and
    // the count of event columns in `dataColumns`. `command` is the row
    // command's name ("DINPRIO"); it carries `wireMasks` masks, the grids'
    // first and zeros for masks no grid holds.
    CPriorityPage(SPageInfo info, std::vector<SGrid> grids, const STableDesc& columns, size_t maxMaskChars,
                  std::string command, size_t wireMasks);

    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreRow(size_t grid, const SDumpValue& value);
    // The row command's format, read back from a profile.
    std::string RowFormat() const;

    std::vector<std::string> m_dumpKeys;
    size_t m_maxMaskChars;
    std::string m_command;
    size_t m_wireMasks;
};

} // namespace orlan
