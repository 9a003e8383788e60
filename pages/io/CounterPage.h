#pragma once
// The two time counters (counters 0 and 1, counted in seconds): value,
// units, upload timer, daily report time, upload threshold, the current
// value as read, and an automatic upload mode. Save sends thirteen commands
// without the batch bracket; no profile.
//
// Field ids: value<n>, units<n>, uploadTimer<n>, reportHour<n>,
// reportMinute<n>, threshold<n>, current<n> (read-only, n = 0, 1) and the
// hidden autoUpload.
#include <cstddef>
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageCounter final : public CPage {
public:
    static constexpr std::size_t kCounters = 2;

    CPageCounter();

    // Every setting empty and the automatic upload off; the current values
    // keep theirs until reported.
    void Clear() override;
    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

    // "1.5" as "1.50": the number a text starts with, two decimals, a point
    // whatever the desktop's locale.
    static std::string TwoDecimals(std::string_view text);

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreCounterLine(const SDumpValue& value);
};

} // namespace orlan
