#pragma once
// The configuration history: every complete whole read and every profile
// executed is kept as a snapshot (the profile text the tool would save, with
// when, from which port and which unit). This is the Qt-free part: the file
// format, the folder a unit's snapshots go to, which snapshot repeats the
// one before, and which ones the keeping rule lets go. The files themselves
// are platform/SnapshotFolder's.
//
// A snapshot file:
//   # orlan configuration snapshot 1
//   time: 2026-12-09T13:09:13Z
//   port: /dev/ttyUSB0
//   unit: 100234
//   source: read
//   (an empty line, then the profile text, byte for byte)
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

inline constexpr std::string_view kSnapshotMagic = "# orlan configuration snapshot 1";
inline constexpr std::string_view kSnapshotSuffix = ".snapshot";

struct SSnapshot {
    int64_t timeSecs = 0;  // UTC, seconds since 1970
    std::string port;
    std::string unitId;  // empty: the unit did not report one
    std::string source;  // "read" or "profile"
    std::string profile;
    bool operator==(const SSnapshot&) const = default;
};

std::string SnapshotBytes(const SSnapshot& snapshot);
// Nothing, and why not in `why`, for bytes that are no snapshot.
std::optional<SSnapshot> ParseSnapshot(std::string_view bytes, std::string* why);

// "2026-12-09T13:09:13Z"; and back (nothing for another text).
std::string IsoTime(int64_t timeSecs);
std::optional<int64_t> ParseIsoTime(std::string_view text);

// The folder name of a unit's snapshots: letters, digits, '-' and '_' kept,
// every other byte as "%XX", "unknown-unit" for an empty id; and back.
std::string UnitFolderName(std::string_view unitId);
std::string UnitIdOfFolder(std::string_view folder);
// "20261209T131049Z-1.snapshot": sorts by time; `sequence` tells apart two
// snapshots of one second.
std::string SnapshotFileName(int64_t timeSecs, int sequence);

// How much history is kept per unit: at most `count` snapshots (0: no
// limit) and none older than `maxAgeDays` (0: no limit); the newest one is
// always kept.
struct SKeepRule {
    size_t count = 100;
    int maxAgeDays = 0;
};

// Whether `candidate` is worth keeping after `newest` (the unit's newest
// snapshot): not when the configuration is the same.
bool RepeatsNewest(const std::optional<SSnapshot>& newest, const SSnapshot& candidate);
// Of a unit's snapshots oldest first, the indexes the rule lets go.
std::vector<size_t> SnapshotsToPrune(const std::vector<SSnapshot>& oldestFirst, const SKeepRule& rule,
                                     int64_t nowSecs);

} // namespace orlan
