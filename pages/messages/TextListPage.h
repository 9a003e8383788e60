#pragma once
// What the message text and channel name pages share: one list of free
// texts filled from numbered dump lines in UCS-2 hex, each row edited in the
// message entry dialog and written straight to the terminal as
// "%" letter + two-digit number + hex + CR LF, then the page reads itself
// again. The page has no Save; its profile section (where it has one) is
// the same row commands, empty rows included, written as formatted.
#include <string>
#include <string_view>
#include <vector>

#include "pages/Page.h"

namespace orlan {

struct STextListDesc {
    std::string rowKey;          // routed key of the row lines, "$SMS"
    std::string commandLetter;   // "S": "%S03..." stores row 3
    std::string dumpRequest;     // with its CR
    size_t rows = 0;
    size_t firstNumber = 0;      // the terminal's number of row 0
    std::vector<std::string> headerKeys;
    bool unitBox = false;        // the editor offers the unit box
};

class CTextListPage : public CPage {
public:
    std::string DumpRequest() const override { return m_desc.dumpRequest; }
    // Empties the texts; switches keep their state until reported again.
    void Clear() override;
    std::vector<SDumpEntry> DumpEntries() override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    size_t Rows() const { return m_tables.front().Rows(); }
    const std::string& Text(size_t row) const { return m_tables.front().Cell(row, 0); }

protected:
    CTextListPage(SPageInfo info, STextListDesc desc);

    // The profile holds every row's command; the terminal gets rows only
    // from the row dialog.
    CCommandList SettingCommands(ETarget target) const override;
    // A line of the row key: by default one numbered text ("$SMS12 0041").
    virtual void TakeRow(const SDumpValue& value);
    // Stores `hex` decoded in the row of the terminal's `number`; numbers
    // outside the page change nothing.
    void StoreText(long long number, std::string_view hex);

private:
    std::string RowCommand(size_t row, std::string_view hex) const;
    // The row command's format, read back from a profile.
    std::string RowFormat() const;

    STextListDesc m_desc;
};

} // namespace orlan
