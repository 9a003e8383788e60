#include "tools/ToolViews.h"

#include "tools/ConsoleTerminalPage.h"
#include "tools/RecordPageViews.h"
#include "widgets/PageViewFactory.h"

namespace orlan {

void RegisterToolViews()
{
    RegisterPageView(
        "CPageComm",
        [](const SPageViewContext& context) -> CPageView* {
            return CreateConsoleTerminalView(context.session, context.linkSettings, context.catalogue, context.parent);
        },
        EViewMade::WithWindow);
    RegisterPageView("CPageExTmpRcd", CreateRealtimeRecordsView, EViewMade::WithWindow);
    RegisterPageView("CPageExtTmpLog", CreateTempLogView);
}

} // namespace orlan
