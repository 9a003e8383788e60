#include "widgets/PageViewFactory.h"

#include <map>

#include "pages/Page.h"
#include "widgets/GenericPageView.h"

namespace orlan {

namespace {

std::map<std::string, PageViewMaker>& Registry()
{
    static std::map<std::string, PageViewMaker> registry;
    return registry;
}

} // namespace

void RegisterPageView(const std::string& className, PageViewMaker maker)
{
    Registry()[className] = std::move(maker);
}

bool HasOwnPageView(const std::string& className)
{
    return Registry().contains(className);
}

CPageView* CreatePageView(const SPageViewContext& context)
{
    const auto found = Registry().find(context.page.Info().className);
    if (found != Registry().end())
        return found->second(context);
    return CreatePageView(context.page, context.session, context.catalogue, context.parent);
}

CPageView* CreatePageView(CPage& page, CTerminalSession& session, const CLabelCatalogue& catalogue, QWidget* parent)
{
    return new CGenericPageView(page, session, catalogue, parent);
}

} // namespace orlan
