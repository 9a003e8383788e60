#pragma once
// The HTTP reporting target: the service page, the authorisation text, and
// the group and SIM identifiers each report carries.
//
// Field ids: url, auth, group, sim.
#include <string>

#include "pages/Page.h"

namespace orlan {

class CPageHttp final : public CPage {
public:
    static constexpr int kWaitMs = 3000;

    CPageHttp();

    std::string DumpRequest() const override;

protected:
    CCommandList SettingCommands(ETarget target) const override;
};

} // namespace orlan
