#include "widgets/PageViewFactory.h"

#include <map>

#include "pages/Page.h"
#include "widgets/GenericPageView.h"

namespace orlan {

namespace {

struct SOwnView {
    PageViewMaker maker;
    EViewMade made = EViewMade::WhenShown;
};

std::map<std::string, SOwnView>& Registry()
{
    static std::map<std::string, SOwnView> registry;
    return registry;
}

} // namespace

void RegisterPageView(const std::string& className, PageViewMaker maker, EViewMade made)
{
    Registry()[className] = {std::move(maker), made};
}

bool HasOwnPageView(const std::string& className)
{
    return Registry().contains(className);
}

bool IsMadeWithWindow(const std::string& className)
{
    const auto found = Registry().find(className);
    return found != Registry().end() && found->second.made == EViewMade::WithWindow;
}

CPageView* CreatePageView(const SPageViewContext& context)
{
    const auto found = Registry().find(context.page.Info().className);
    if (found != Registry().end())
        return found->second.maker(context);
    return CreatePageView(context.page, context.session, context.catalogue, context.parent);
}

CPageView* CreatePageView(CPage& page, CTerminalSession& session, const CLabelCatalogue& catalogue, QWidget* parent)
{
    return new CGenericPageView(page, session, catalogue, parent);
}

} // namespace orlan
