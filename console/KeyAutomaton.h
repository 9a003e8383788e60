#pragma once
// Finds every key of a fixed set that occurs anywhere in a text, in one pass
// over the text whatever the number of keys (an Aho-Corasick automaton made
// into a full transition table over the bytes the keys use). The routing
// table uses it so that a line no longer tries each of its keys in turn.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace orlan {

class CKeyAutomaton {
public:
    CKeyAutomaton() = default;
    // Empty keys are never reported: they occur everywhere.
    explicit CKeyAutomaton(std::span<const std::string_view> keys);

    // Calls found(i) at the end of each occurrence of keys[i], in text order;
    // a key that occurs twice is reported twice.
    template <class TFound>
    void Scan(std::string_view text, TFound&& found) const
    {
        if (m_next.empty())
            return;
        uint32_t state = 0;
        for (const char c : text) {
            state = m_next[state * m_classes + m_class[static_cast<unsigned char>(c)]];
            for (uint32_t o = m_outStart[state]; o < m_outStart[state + 1]; ++o)
                found(m_out[o]);
        }
    }

    size_t States() const { return m_outStart.empty() ? 0 : m_outStart.size() - 1; }

private:
    std::array<uint16_t, 256> m_class{};  // 0: a byte no key holds
    size_t m_classes = 1;
    std::vector<uint32_t> m_next;      // [state * m_classes + class]
    std::vector<uint32_t> m_outStart;  // per state, into m_out; one more entry at the end
    std::vector<uint32_t> m_out;       // key indices ending in each state
};

} // namespace orlan
