#include "console/KeyAutomaton.h"

#include <deque>
#include <stdexcept>

namespace orlan {

CKeyAutomaton::CKeyAutomaton(std::span<const std::string_view> keys)
{
    for (const std::string_view key : keys) {
        for (const char c : key) {
            uint16_t& cls = m_class[static_cast<unsigned char>(c)];
            if (cls == 0)
                cls = static_cast<uint16_t>(m_classes++);
        }
    }

    // The trie: transitions not yet made are kNone.
    constexpr uint32_t kNone = UINT32_MAX;
    std::vector<uint32_t> next(m_classes, kNone);
    std::vector<std::vector<uint32_t>> outputs(1);
    for (uint32_t k = 0; k < keys.size(); ++k) {
        if (keys[k].empty())
            continue;
        uint32_t state = 0;
        for (const char c : keys[k]) {
            const size_t slot = state * m_classes + m_class[static_cast<unsigned char>(c)];
            if (next[slot] == kNone) {
                next[slot] = static_cast<uint32_t>(outputs.size());
                outputs.emplace_back();
                next.resize(outputs.size() * m_classes, kNone);
            }
            state = next[slot];
        }
        outputs[state].push_back(k);
    }

    if (outputs.size() > kStateMask)
        throw std::length_error("too many key states");

    // Failure links breadth first, each missing transition taken from the
    // state's failure, and each state's outputs joined by its failure's.
    const size_t states = outputs.size();
    std::vector<uint32_t> fail(states, 0);
    std::deque<uint32_t> queue;
    for (size_t c = 0; c < m_classes; ++c) {
        uint32_t& to = next[c];
        if (to == kNone) {
            to = 0;
        } else {
            fail[to] = 0;
            queue.push_back(to);
        }
    }
    while (!queue.empty()) {
        const uint32_t state = queue.front();
        queue.pop_front();
        const std::vector<uint32_t>& inherited = outputs[fail[state]];
        outputs[state].insert(outputs[state].end(), inherited.begin(), inherited.end());
        for (size_t c = 0; c < m_classes; ++c) {
            uint32_t& to = next[state * m_classes + c];
            const uint32_t fallback = next[fail[state] * m_classes + c];
            if (to == kNone) {
                to = fallback;
            } else {
                fail[to] = fallback;
                queue.push_back(to);
            }
        }
    }

    for (uint32_t& to : next) {
        if (!outputs[to].empty())
            to |= kHasOutput;
    }
    m_next = std::move(next);
    int starts = 0;
    for (int byte = 0; byte < 256; ++byte) {
        const uint16_t cls = m_class[static_cast<size_t>(byte)];
        if (cls != 0 && (m_next[cls] & kStateMask) != 0) {
            m_starts[static_cast<size_t>(byte)] = true;
            m_onlyStart = byte;
            ++starts;
        }
    }
    if (starts != 1)
        m_onlyStart = -1;
    m_outStart.reserve(states + 1);
    for (const std::vector<uint32_t>& out : outputs) {
        m_outStart.push_back(static_cast<uint32_t>(m_out.size()));
        m_out.insert(m_out.end(), out.begin(), out.end());
    }
    m_outStart.push_back(static_cast<uint32_t>(m_out.size()));
}

} // namespace orlan
