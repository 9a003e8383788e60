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

// When a window makes a page's own view: when first shown, or with the
// window for a view that keeps what the terminal sends while hidden (the
// console's text, the running record file).
enum class EViewMade { WhenShown, WithWindow };

// A page's own view; a later registration for the same class replaces it.
void RegisterPageView(const std::string& className, PageViewMaker maker, EViewMade made = EViewMade::WhenShown);
bool HasOwnPageView(const std::string& className);
bool IsMadeWithWindow(const std::string& className);

// The registered view of the page's class, else the generic view.
CPageView* CreatePageView(const SPageViewContext& context);
// The generic view of a page that registered none.
CPageView* CreatePageView(CPage& page, CTerminalSession& session, const CLabelCatalogue& catalogue, QWidget* parent);

} // namespace orlan
