#include "tools/ToolViews.h"

#include "tools/ConsoleTerminalPage.h"
#include "tools/RecordPageViews.h"
#include "widgets/PageViewFactory.h"

namespace orlan {

void RegisterToolViews()
{
    RegisterPageView("CPageComm", [](const SPageViewContext& context) -> CPageView* {
        return CreateConsoleTerminalView(context.session, context.linkSettings, context.catalogue, context.parent);
    });
    RegisterPageView("CPageExTmpRcd", CreateRealtimeRecordsView);
    RegisterPageView("CPageExtTmpLog", CreateTempLogView);
}

} // namespace orlan
