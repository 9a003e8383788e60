#pragma once
// The terminal's interlock table: 24 entries, each "on this event, run this
// command", by codes into two fixed name tables. The list shows the names;
// one entry at a time is edited in CInterLockDlg and sent at once.
//
// Table "interlocks": index, event name, command name. Editor fields: event,
// command (lists of the names, position = code).
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "pages/Page.h"

namespace orlan {

class CPageInterlock final : public CPage {
public:
    static constexpr std::size_t kEntries = 24;
    static constexpr std::size_t kEvents = 40;
    static constexpr std::size_t kCommands = 29;
    static constexpr int kEditWaitMs = 1000;
    static constexpr std::string_view kEventField = "event";
    static constexpr std::string_view kCommandField = "command";

    static const std::array<std::string_view, kEvents>& EventNames();
    static const std::array<std::string_view, kCommands>& CommandNames();

    CPageInterlock();

    // Entries keep their texts until the terminal reports them again.
    void Clear() override {}
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;
    // A complete profile holds every entry the terminal reported.
    bool RowsInCompleteProfile() const override { return true; }
    bool RowInCompleteProfile(size_t table, size_t row) const override;
    std::optional<SRowEditor> RowEditor(size_t table, size_t row) const override;
    CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited) override;

    // The codes as the list shows them: 0 for one the tables do not name.
    int EventCode(std::size_t entry) const;
    int CommandCode(std::size_t entry) const;

private:
    void StoreEntry(const SDumpValue& value);
    void StoreCodes(std::size_t entry, long long event, long long command);

    // As reported, so an edit that leaves a code the tool does not know
    // untouched sends it back unchanged.
    std::array<long long, kEntries> m_events{};
    std::array<long long, kEntries> m_commands{};
};

} // namespace orlan
