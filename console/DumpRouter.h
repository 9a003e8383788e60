#pragma once
// Hands every dump line to the pages that own its key: the temperature
// consumers (every "$" line) first, then the independent row and the three
// chains of the routing table. Within a chain the first key found wins; each chain handles a line at most
// once. Rows whose page is not attached still take their line. The keys a
// line holds are found in one pass (CKeyAutomaton), not key by key.
#include <array>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console/DumpRoutes.h"
#include "console/KeyAutomaton.h"
#include "console/ReceiveListener.h"

namespace orlan {

struct SDumpValue {
    std::string_view line;  // the whole line
    std::string_view text;  // from the row's position on; empty beyond the end
    bool on = false;        // switch forms
    int index = -1;         // list index or row; -1 when there is no number
};

using DumpHandler = std::function<void(const SDumpValue&)>;
using LineHandler = std::function<void(std::string_view)>;

class CDumpRouter final : public IDumpDispatcher {
public:
    CDumpRouter();

    // Binds a page's entry point to the row of `key` that names `pageClass`
    // as a consumer. False when there is no such row.
    bool Bind(std::string_view pageClass, std::string_view key, DumpHandler handler);
    // Whether a row of `key` names `pageClass`.
    bool Routes(std::string_view pageClass, std::string_view key) const;
    // A row the table does not hold (a plain setting's key, derived from the
    // page that declares it), after every row of its chain; its key and
    // consumers are copied. The same row added again adds its consumers.
    void AddRoute(const SDumpRoute& route);
    void AddTemperatureConsumer(LineHandler handler);

    void DispatchLine(std::string_view line) override;
    // What a line still carries while a stale dump is held back: every "$"
    // line to the temperature consumers (records are news, not settings),
    // and the rows of live state keys ("*IO", "*AINC", ...) that the line
    // would reach in DispatchLine.
    void DispatchLiveLine(std::string_view line);
    static bool IsLiveKey(std::string_view key) { return key.starts_with('*'); }

    // The value a row hands over for a line (exposed for tests and tools).
    static SDumpValue HandOver(const SDumpRoute& route, std::string_view line);
    static bool Matches(const SDumpRoute& route, std::string_view line);
    // The digit a row may require at its position (the rest of Matches).
    static bool GuardHolds(const SDumpRoute& route, std::string_view line);
    // The rows (the table's, then the added ones, by index) that take a line, in the order
    // they receive it: the independent row, then each chain's first.
    std::vector<size_t> RoutesTaking(std::string_view line) const;

    // Rows the table may hold (the rows a line holds are marked in bits on the stack).
    static constexpr size_t kMaxRoutes = 512;

private:
    struct SBoundRoute {
        const SDumpRoute* route = nullptr;
        std::array<DumpHandler, 4> handlers;
    };
    void Deliver(const SBoundRoute& bound, std::string_view line) const;
    void DispatchRecords(std::string_view line) const;
    template <class TTake>
    void ForEachTaking(std::string_view line, TTake&& take) const;

    struct SOwnedRoute {
        SDumpRoute route;
        std::string key;
        std::array<std::string, 4> consumers;
    };
    void IndexKeys();

    std::vector<SBoundRoute> m_routes;  // table order, then the added rows
    std::deque<SOwnedRoute> m_added;     // what the added rows point into
    CKeyAutomaton m_keys;                // over the rows' keys, by row
    std::vector<size_t> m_everywhere;    // rows with an empty key
    std::vector<LineHandler> m_temperature;
};

} // namespace orlan
