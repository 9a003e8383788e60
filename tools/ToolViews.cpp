#include "tools/ToolViews.h"

#include "tools/ConsoleTerminalPage.h"
#include "widgets/PageViewFactory.h"

namespace orlan {

void RegisterToolViews()
{
    RegisterPageView("CPageComm", [](const SPageViewContext& context) -> CPageView* {
        return CreateConsoleTerminalView(context.session, context.linkSettings, context.catalogue, context.parent);
    });
}

} // namespace orlan
