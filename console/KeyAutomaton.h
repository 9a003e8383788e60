#pragma once
// Finds every key of a fixed set that occurs anywhere in a text, in one pass
// over the text whatever the number of keys (an Aho-Corasick automaton made
// into a full transition table over the bytes the keys use). The routing
// table uses it so that a line no longer tries each of its keys in turn.
#include <array>
#include <cstdint>
#include <cstring>
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
        const char* at = text.data();
        const char* const end = at + text.size();
        uint32_t state = 0;
        while (at != end) {
            // At the root most bytes lead nowhere: skip to one that starts a key.
            if (state == 0) {
                if (m_onlyStart >= 0) {
                    at = static_cast<const char*>(std::memchr(at, m_onlyStart, static_cast<size_t>(end - at)));
                    if (at == nullptr)
                        return;
                } else {
                    while (at != end && !m_starts[static_cast<unsigned char>(*at)])
                        ++at;
                    if (at == end)
                        return;
                }
            }
            const uint32_t next = m_next[state * m_classes + m_class[static_cast<unsigned char>(*at++)]];
            state = next & kStateMask;
            if ((next & kHasOutput) != 0) {
                for (uint32_t o = m_outStart[state]; o < m_outStart[state + 1]; ++o)
                    found(m_out[o]);
            }
        }
    }

    size_t States() const { return m_outStart.empty() ? 0 : m_outStart.size() - 1; }

private:
    // A transition's target state, marked when keys end there.
    static constexpr uint32_t kHasOutput = uint32_t{1} << 31;
    static constexpr uint32_t kStateMask = kHasOutput - 1;

    std::array<uint16_t, 256> m_class{};  // 0: a byte no key holds
    size_t m_classes = 1;
    std::array<bool, 256> m_starts{};  // bytes that leave the root
    int m_onlyStart = -1;               // the one such byte, when there is one
    std::vector<uint32_t> m_next;      // [state * m_classes + class], kHasOutput marked
    std::vector<uint32_t> m_outStart;  // per state, into m_out; one more entry at the end
    std::vector<uint32_t> m_out;       // key indices ending in each state
};

} // namespace orlan
