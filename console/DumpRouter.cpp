#include "console/DumpRouter.h"

#include "console/TextScan.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

namespace orlan {

namespace {

constexpr int kChains = 3;

std::string_view From(std::string_view line, int position)
{
    const auto pos = static_cast<size_t>(position);
    return pos < line.size() ? line.substr(pos) : std::string_view{};
}

} // namespace

CDumpRouter::CDumpRouter()
{
    for (const SDumpRoute& route : DumpRoutes()) {
        if (route.key.empty())
            m_everywhere.push_back(m_routes.size());
        m_routes.push_back({&route, {}});
    }
    IndexKeys();
}

void CDumpRouter::IndexKeys()
{
    if (m_routes.size() > kMaxRoutes)
        throw std::length_error("the routing table has more rows than the router marks");
    std::vector<std::string_view> keys;
    for (const SBoundRoute& bound : m_routes)
        keys.push_back(bound.route->key);
    m_keys = CKeyAutomaton(keys);
}

bool CDumpRouter::Routes(std::string_view pageClass, std::string_view key) const
{
    return std::any_of(m_routes.begin(), m_routes.end(), [&](const SBoundRoute& bound) {
        const auto& consumers = bound.route->consumers;
        return bound.route->key == key && std::find(consumers.begin(), consumers.end(), pageClass) != consumers.end();
    });
}

void CDumpRouter::AddRoute(const SDumpRoute& route)
{
    if (route.key.empty())
        throw std::invalid_argument("an added routing row needs a key");
    // Two pages declaring the same key ("$DID") share one row: a second row
    // of the same key in the chain would never see a line.
    for (SOwnedRoute& owned : m_added) {
        const SDumpRoute& same = owned.route;
        if (same.key != route.key || same.chain != route.chain || same.form != route.form ||
            same.position != route.position || same.digitAt != route.digitAt || same.switchValue != route.switchValue)
            continue;
        for (std::string_view consumer : route.consumers) {
            if (consumer.empty())
                continue;
            const auto free = std::find_if(owned.consumers.begin(), owned.consumers.end(),
                                           [](const std::string& c) { return c.empty(); });
            if (free == owned.consumers.end())
                throw std::invalid_argument("a routing row takes four consumers at most");
            *free = consumer;
            owned.route.consumers[static_cast<size_t>(free - owned.consumers.begin())] = *free;
        }
        return;
    }
    SOwnedRoute& owned = m_added.emplace_back();
    owned.key = route.key;
    owned.route = route;
    owned.route.key = owned.key;
    for (size_t i = 0; i < route.consumers.size(); ++i) {
        owned.consumers[i] = route.consumers[i];
        owned.route.consumers[i] = owned.consumers[i];
    }
    m_routes.push_back({&owned.route, {}});
    IndexKeys();
}

bool CDumpRouter::Bind(std::string_view pageClass, std::string_view key, DumpHandler handler)
{
    for (SBoundRoute& bound : m_routes) {
        if (bound.route->key != key)
            continue;
        for (size_t i = 0; i < bound.route->consumers.size(); ++i) {
            if (bound.route->consumers[i] == pageClass) {
                bound.handlers[i] = std::move(handler);
                return true;
            }
        }
    }
    return false;
}

void CDumpRouter::AddTemperatureConsumer(LineHandler handler)
{
    m_temperature.push_back(std::move(handler));
}

bool CDumpRouter::Matches(const SDumpRoute& route, std::string_view line)
{
    return line.find(route.key) != std::string_view::npos && GuardHolds(route, line);
}

bool CDumpRouter::GuardHolds(const SDumpRoute& route, std::string_view line)
{
    if (route.digitAt < 0)
        return true;
    const auto at = static_cast<size_t>(route.digitAt);
    return at < line.size() && IsDigit(line[at]);
}

SDumpValue CDumpRouter::HandOver(const SDumpRoute& route, std::string_view line)
{
    SDumpValue value;
    value.line = line;
    switch (route.form) {
    case EHandOver::FromPosition:
        value.text = From(line, route.position);
        break;
    case EHandOver::Switch:
        value.on = route.switchValue;
        break;
    case EHandOver::SwitchIfOne: {
        const std::string_view rest = From(line, route.position);
        value.on = !rest.empty() && rest.front() == '1';
        break;
    }
    case EHandOver::ListIndex:
        value.text = From(line, route.position);
        value.index = LeadingIndex(value.text);
        break;
    case EHandOver::RowText: {
        // "$CS100 +49151" is row 100 (a row no list has), never row 1 with
        // the text "0 +49151": the whole number is the row, and the text
        // starts as far behind its last digit as behind a single one.
        const auto at = static_cast<size_t>(route.digitAt);
        size_t end = at;
        while (end < line.size() && IsDigit(line[end]))
            ++end;
        value.index = end - at == 1 ? line[at] - '0' : LeadingIndex(line.substr(at, end - at));
        value.text = From(line, static_cast<int>(end - at - 1) + route.position);
        break;
    }
    case EHandOver::WholeLine:
        value.text = line;
        break;
    }
    return value;
}

void CDumpRouter::Deliver(const SBoundRoute& bound, std::string_view line) const
{
    const SDumpValue value = HandOver(*bound.route, line);
    for (const DumpHandler& handler : bound.handlers) {
        if (handler)
            handler(value);
    }
}

template <class TTake>
void CDumpRouter::ForEachTaking(std::string_view line, TTake&& take) const
{
    std::array<uint64_t, kMaxRoutes / 64> found{};
    m_keys.Scan(line, [&found](uint32_t row) { found[row / 64] |= uint64_t{1} << (row % 64); });
    for (const size_t row : m_everywhere)
        found[row / 64] |= uint64_t{1} << (row % 64);
    const size_t words = (m_routes.size() + 63) / 64;
    // The rows found, in table order, chain by chain; the automaton found
    // the key, so only the digit guard is left of the plain match.
    for (int chain = 0; chain <= kChains; ++chain) {
        bool taken = false;
        for (size_t word = 0; word < words && !taken; ++word) {
            for (uint64_t bits = found[word]; bits != 0 && !taken; bits &= bits - 1) {
                const size_t row = word * 64 + static_cast<size_t>(std::countr_zero(bits));
                const SDumpRoute& route = *m_routes[row].route;
                if (route.chain != chain || !GuardHolds(route, line))
                    continue;
                take(row);
                taken = chain > 0;  // first key in table order wins within a chain
            }
        }
    }
}

std::vector<size_t> CDumpRouter::RoutesTaking(std::string_view line) const
{
    std::vector<size_t> rows;
    if (!line.empty())
        ForEachTaking(line, [&rows](size_t row) { rows.push_back(row); });
    return rows;
}

void CDumpRouter::DispatchLine(std::string_view line)
{
    if (line.empty())
        return;
    DispatchRecords(line);
    ForEachTaking(line, [this, line](size_t row) { Deliver(m_routes[row], line); });
}

void CDumpRouter::DispatchLiveLine(std::string_view line)
{
    if (line.empty())
        return;
    DispatchRecords(line);
    ForEachTaking(line, [this, line](size_t row) {
        if (IsLiveKey(m_routes[row].route->key))
            Deliver(m_routes[row], line);
    });
}

void CDumpRouter::DispatchRecords(std::string_view line) const
{
    if (line.front() == '$') {
        for (const LineHandler& handler : m_temperature)
            handler(line);
    }
}

} // namespace orlan
