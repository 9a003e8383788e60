#pragma once
// The bytes of a profile as the original's text-mode writer produced them:
// every line feed becomes CR LF on disk. A line "sent to the file" gets a line
// feed appended first, so a command ending in CR is stored as CR CR LF; a line
// "written directly" is stored as formatted. Stored profiles hold exactly
// these bytes, so they are kept.
#include <string>
#include <string_view>

namespace orlan {

class CProfileText {
public:
    // As a page's command sender writes to a file: text + LF.
    void SendLine(std::string_view text);
    // As formatted, line feeds translated.
    void WriteDirect(std::string_view text);
    // A section header through the command sender: CR LF "//Page " title CR LF.
    void SectionHeader(std::string_view title);
    // Bytes exactly as another profile text made them.
    void WriteRaw(std::string_view bytes) { m_bytes += bytes; }

    const std::string& Bytes() const { return m_bytes; }

private:
    void Append(std::string_view text);
    std::string m_bytes;
};

// Writes `bytes` to `path` through a temporary file in the same folder and a
// rename, so a failed save leaves the old file whole. False on any failure.
bool SaveFileAtomically(const std::string& path, std::string_view bytes);

} // namespace orlan
