#include "console/StatusTexts.h"

#include "labels/CommonLabelKeys.h"

namespace orlan {

SStatusTexts LoadStatusTexts(const CLabelCatalogue& catalogue)
{
    auto text = [&catalogue](std::string_view key) { return catalogue.Lookup(key, kSectionSysMsg); };
    SStatusTexts texts;
    texts.registing = text(kMsgRegisting);
    texts.powerUping = text(kMsgPoweruping);
    texts.starting = text(kMsgStarting);
    texts.workMode = text(kMsgWorkMode);
    texts.setupingMode = text(kMsgSetupingMode);
    texts.loginOk = text(kMsgLoginOk);
    texts.reloadOk = text(kMsgReloadOk);
    texts.initCamera = text(kMsgInitCamera);
    return texts;
}

} // namespace orlan
