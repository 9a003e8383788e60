#pragma once
// The events the terminal reports ("$:" lines), as the receive path makes
// them into rows: source and kind, channel, phone, channel, outcome, time.
// Reset empties the list; reads of the configuration leave it alone. The
// first column is built from whole catalogue texts (a source's name in its
// kind's pattern), again for every row when the catalogue is loaded.
#include <deque>
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageEvents final : public CPage {
public:
    static constexpr size_t kEventList = 0;
    static constexpr size_t kColumns = 6;
    // As many as the receive path keeps.
    static constexpr size_t kRowLimit = 10000;
    static constexpr std::string_view kResetAction = "reset";

    CPageEvents();

    void Clear() override {}
    std::string DumpRequest() const override { return {}; }
    void OnEventRow(const SEventRow& row) override;
    // "reset" empties the list and sends nothing.
    std::optional<SPageJob> ActionJob(std::string_view actionId, std::optional<size_t> selectedRow) override;

    // The sources' names and the kinds' patterns of section PageLogs.
    void LoadLabels(const CLabelCatalogue& catalogue) override;

    const CPageTable& List() const { return m_tables[kEventList]; }

private:
    SEventTexts m_texts = BuiltInEventTexts();
    // What each listed row is about, oldest first as the list holds them.
    std::deque<SEventWhat> m_what;
};

} // namespace orlan
