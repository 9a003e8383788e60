#pragma once
// A command that carries several fields' values in one format, such as
// "%%SYSSMTP%s,%s,%s,%s,%s\r" or "%%DSCFMT%d,%s,%d\r": declared once next to
// the settings it combines, it both builds the command and reads one back
// from a profile, so the two cannot drift apart.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/FieldSet.h"

namespace orlan {

struct SJointCommand {
    // Literal text, "%%", and one conversion per field, in the fields' order:
    // a number conversion takes a list's index or a switch's digit, %s a
    // field's text on one line.
    std::string_view format;
    std::vector<std::string_view> fields;
};

// The command for the fields' current values; nothing when a list has no
// selection (no value to give the terminal) or the format is malformed.
std::optional<std::string> FormatJoint(const SJointCommand& joint, const CFieldSet& fields);

// A command read back (without its CR) through the same format (ScanWire):
// each field takes its value, known. False, and nothing changes, when the
// command is not this one or a number conversion holds no number.
bool TakeJoint(const SJointCommand& joint, std::string_view command, CFieldSet& fields);

// What a page gives `AddProfileInverse` for the joint (the values ScanWire
// read from its format into the fields); `joint` and `fields` outlive it.
std::function<bool(const std::vector<std::string>&)> JointInverse(const SJointCommand& joint, CFieldSet& fields);

} // namespace orlan
