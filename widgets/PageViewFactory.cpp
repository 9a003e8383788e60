#include "widgets/PageViewFactory.h"

#include "widgets/GenericPageView.h"

namespace orlan {

CPageView* CreatePageView(CPage& page, CTerminalSession& session, const CLabelCatalogue& catalogue, QWidget* parent)
{
    return new CGenericPageView(page, session, catalogue, parent);
}

} // namespace orlan
