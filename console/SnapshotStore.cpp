#include "console/SnapshotStore.h"

#include <cstdio>
#include <ctime>

#include "console/TextScan.h"

namespace orlan {

namespace {

constexpr std::string_view kTimeKey = "time: ";
constexpr std::string_view kPortKey = "port: ";
constexpr std::string_view kUnitKey = "unit: ";
constexpr std::string_view kSourceKey = "source: ";

// Header values are one line each: a line break in a port path or unit id
// would end the header early.
std::string OneLine(std::string_view text)
{
    std::string line;
    for (char c : text)
        line += (c == '\r' || c == '\n') ? ' ' : c;
    return line;
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

std::optional<int> Digits(std::string_view text, size_t at, size_t count)
{
    if (at + count > text.size())
        return std::nullopt;
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (!IsDigit(text[i]))
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::string IsoTime(int64_t timeSecs)
{
    const std::time_t time = static_cast<std::time_t>(timeSecs);
    std::tm parts{};
    gmtime_r(&time, &parts);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", parts.tm_year + 1900, parts.tm_mon + 1,
                  parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

std::optional<int64_t> ParseIsoTime(std::string_view text)
{
    if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':'
        || text[16] != ':' || text[19] != 'Z')
        return std::nullopt;
    const auto year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
    const auto hour = Digits(text, 11, 2), minute = Digits(text, 14, 2), second = Digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second || *month < 1 || *month > 12 || *day < 1
        || *day > 31 || *hour > 23 || *minute > 59 || *second > 60)
        return std::nullopt;
    return DaysFromCivil(*year, static_cast<unsigned>(*month), static_cast<unsigned>(*day)) * 86400
           + *hour * 3600 + *minute * 60 + *second;
}

std::string SnapshotBytes(const SSnapshot& snapshot)
{
    std::string bytes(kSnapshotMagic);
    bytes += "\n";
    bytes += std::string(kTimeKey) + IsoTime(snapshot.timeSecs) + "\n";
    bytes += std::string(kPortKey) + OneLine(snapshot.port) + "\n";
    bytes += std::string(kUnitKey) + OneLine(snapshot.unitId) + "\n";
    bytes += std::string(kSourceKey) + OneLine(snapshot.source) + "\n\n";
    return bytes + snapshot.profile;
}

std::optional<SSnapshot> ParseSnapshot(std::string_view bytes, std::string* why)
{
    auto fail = [why](std::string reason) -> std::optional<SSnapshot> {
        if (why != nullptr)
            *why = std::move(reason);
        return std::nullopt;
    };
    auto nextLine = [&bytes]() -> std::optional<std::string_view> {
        const size_t end = bytes.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end + 1);
        return line;
    };
    const auto magic = nextLine();
    if (!magic || *magic != kSnapshotMagic)
        return fail("is no configuration snapshot");
    SSnapshot snapshot;
    bool timeFound = false;
    for (;;) {
        const auto line = nextLine();
        if (!line)
            return fail("ends inside its header");
        if (line->empty())
            break;
        if (line->starts_with(kTimeKey)) {
            const auto time = ParseIsoTime(line->substr(kTimeKey.size()));
            if (!time)
                return fail("has an unreadable time");
            snapshot.timeSecs = *time;
            timeFound = true;
        } else if (line->starts_with(kPortKey)) {
            snapshot.port = line->substr(kPortKey.size());
        } else if (line->starts_with(kUnitKey)) {
            snapshot.unitId = line->substr(kUnitKey.size());
        } else if (line->starts_with(kSourceKey)) {
            snapshot.source = line->substr(kSourceKey.size());
        }
        // Other header lines are a later version's: skipped.
    }
    if (!timeFound)
        return fail("has no time");
    if (bytes.find('\0') != std::string_view::npos)
        return fail("holds a NUL byte");
    snapshot.profile = bytes;
    return snapshot;
}

std::string UnitFolderName(std::string_view unitId)
{
    if (unitId.empty())
        return "unknown-unit";
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string name;
    for (const char c : unitId) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '_') {
            name += c;
        } else {
            name += '%';
            name += kHex[byte >> 4];
            name += kHex[byte & 15];
        }
    }
    return name;
}

std::string UnitIdOfFolder(std::string_view folder)
{
    if (folder == "unknown-unit")
        return {};
    std::string id;
    for (size_t i = 0; i < folder.size(); ++i) {
        if (folder[i] == '%' && i + 2 < folder.size() && IsHexDigit(folder[i + 1]) && IsHexDigit(folder[i + 2])) {
            id += static_cast<char>(HexValue(folder[i + 1]) * 16 + HexValue(folder[i + 2]));
            i += 2;
        } else {
            id += folder[i];
        }
    }
    return id;
}

std::string SnapshotFileName(int64_t timeSecs, int sequence)
{
    std::string iso = IsoTime(timeSecs);
    std::string compact;
    for (char c : iso) {
        if (c != '-' && c != ':')
            compact += c;
    }
    return compact + "-" + std::to_string(sequence) + std::string(kSnapshotSuffix);
}

bool RepeatsNewest(const std::optional<SSnapshot>& newest, const SSnapshot& candidate)
{
    return newest && newest->unitId == candidate.unitId && newest->profile == candidate.profile;
}

std::vector<size_t> SnapshotsToPrune(const std::vector<SSnapshot>& oldestFirst, const SKeepRule& rule,
                                     int64_t nowSecs)
{
    std::vector<size_t> gone;
    const size_t total = oldestFirst.size();
    if (total <= 1)
        return gone;
    const size_t overCount = rule.count > 0 && total > rule.count ? total - rule.count : 0;
    for (size_t i = 0; i + 1 < total; ++i) {
        const bool tooOld = rule.maxAgeDays > 0
                            && nowSecs - oldestFirst[i].timeSecs > static_cast<int64_t>(rule.maxAgeDays) * 86400;
        if (i < overCount || tooOld)
            gone.push_back(i);
    }
    return gone;
}

} // namespace orlan
