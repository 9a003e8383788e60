#pragma once
// Every processed line, newest last. Bounded, so that a long session keeps
// only the recent past instead of growing without end.
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace orlan {

class CLineLog {
public:
    explicit CLineLog(size_t maxLines = 5000) : m_maxLines(maxLines) {}

    void Add(std::string_view line)
    {
        if (m_maxLines > 0 && m_lines.size() >= m_maxLines)
            m_lines.pop_front();
        m_lines.emplace_back(line);
    }
    void Clear() { m_lines.clear(); }
    size_t Size() const { return m_lines.size(); }
    const std::string& Line(size_t i) const { return m_lines.at(i); }
    const std::string& Last() const { return m_lines.back(); }

private:
    size_t m_maxLines;
    std::deque<std::string> m_lines;
};

} // namespace orlan
