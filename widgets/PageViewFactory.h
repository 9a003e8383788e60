#pragma once
// Draws a page: the generic form and table views with its row dialog, or the
// view a page registered under its class name where the generic ones cannot
// serve (the console terminal, the chart).
#include <QWidget>

#include <functional>
#include <string>

#include "widgets/PageView.h"

namespace orlan {

class CPage;
class CTerminalSession;
class CLabelCatalogue;
class CRegSetting;

// What a view is made from.
struct SPageViewContext {
    CPage& page;
    CTerminalSession& session;
    const CLabelCatalogue& catalogue;
    CRegSetting& linkSettings;
    QWidget* parent = nullptr;
};

using PageViewMaker = std::function<CPageView*(const SPageViewContext&)>;

// A page's own view; a later registration for the same class replaces it.
void RegisterPageView(const std::string& className, PageViewMaker maker);
bool HasOwnPageView(const std::string& className);

// The registered view of the page's class, else the generic view.
CPageView* CreatePageView(const SPageViewContext& context);
// The generic view of a page that registered none.
CPageView* CreatePageView(CPage& page, CTerminalSession& session, const CLabelCatalogue& catalogue, QWidget* parent);

} // namespace orlan
