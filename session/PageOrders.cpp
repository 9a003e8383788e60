#include "session/PageOrders.h"

#include <algorithm>

#include "pages/PageIdentity.h"

namespace orlan {

namespace {

template <class TRank>
std::vector<std::string_view> Ranked(TRank rank)
{
    std::vector<const SPageIdentity*> ranked;
    for (const SPageIdentity& page : PageIdentities()) {
        if (rank(page) > 0)
            ranked.push_back(&page);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [&rank](const SPageIdentity* a, const SPageIdentity* b) { return rank(*a) < rank(*b); });
    std::vector<std::string_view> names;
    for (const SPageIdentity* page : ranked)
        names.push_back(page->className);
    return names;
}

} // namespace

const std::vector<std::string_view>& AllPageClasses()
{
    static const std::vector<std::string_view> classes = Ranked([](const SPageIdentity&) { return 1; });
    return classes;
}

const std::vector<std::string_view>& WholeReadClearOrder()
{
    static const std::vector<std::string_view> order = Ranked([](const SPageIdentity& p) { return p.clearRank; });
    return order;
}

const std::vector<std::string_view>& ProfileSectionOrder()
{
    static const std::vector<std::string_view> order = Ranked([](const SPageIdentity& p) { return p.profileRank; });
    return order;
}

} // namespace orlan
