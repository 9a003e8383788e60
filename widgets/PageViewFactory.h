#pragma once
// Draws a page: the generic form and table views with its row dialog, or a
// page's own view where the generic ones cannot serve.
#include <QWidget>

#include "widgets/PageView.h"

namespace orlan {

class CPage;
class CTerminalSession;
class CLabelCatalogue;


CPageView* CreatePageView(CPage& page, CTerminalSession& session, const CLabelCatalogue& catalogue,
                        QWidget* parent);

} // namespace orlan
