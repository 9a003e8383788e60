#include "console/DumpRouter.h"

#include "console/TextScan.h"

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
    for (const SDumpRoute& route : DumpRoutes())
        m_routes.push_back({&route, {}});
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

void CDumpRouter::SetMainParamsParser(LineHandler handler)
{
    m_mainParams = std::move(handler);
}

bool CDumpRouter::Matches(const SDumpRoute& route, std::string_view line)
{
    if (line.find(route.key) == std::string_view::npos)
        return false;
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
    case EHandOver::RowText:
        value.index = line[static_cast<size_t>(route.digitAt)] - '0';
        value.text = From(line, route.position);
        break;
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

void CDumpRouter::DispatchLine(std::string_view line)
{
    if (line.empty())
        return;
    if (line.front() == '$') {
        for (const LineHandler& handler : m_temperature)
            handler(line);
    }
    if (m_mainParams)
        m_mainParams(line);
    for (int chain = 0; chain <= kChains; ++chain) {
        for (const SBoundRoute& bound : m_routes) {
            if (bound.route->chain == chain && Matches(*bound.route, line)) {
                Deliver(bound, line);
                if (chain > 0)
                    break;  // first key in table order wins within a chain
            }
        }
    }
}

} // namespace orlan
