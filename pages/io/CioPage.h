#pragma once
// Linkage actions: eight rows, each a source event (an input or analog
// alarm, a temperature, power, call, humidity or arming event) and the two
// output actions the terminal takes when it fires; the output pulse time and
// whether linkages run while the system is disarmed.
//
// Field ids: row<r>FirstAction, row<r>SecondAction, row<r>Source (r = 0..7),
// pulseTime, disarmedInterlock, urgentDisarmedInterlock.
#include <cstddef>
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageCio final : public CPage {
public:
    static constexpr std::size_t kRows = 8;
    static constexpr std::size_t kActions = 7;
    static constexpr std::size_t kSources = 20;
    // The action index of "no action".
    static constexpr int kNoAction = 6;

    CPageCio();

    static std::string FirstActionId(std::size_t row);
    static std::string SecondActionId(std::size_t row);
    static std::string SourceId(std::size_t row);

    std::string DumpRequest() const override;
    std::vector<SDumpEntry> DumpEntries() override;

protected:
    CCommandList SettingCommands(ETarget target) const override;

private:
    void StoreActions(const SDumpValue& value);
    void StoreSource(const SDumpValue& value);
};

} // namespace orlan
