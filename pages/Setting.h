#pragma once
// A plain setting declared once: its field, the routed keys that fill it and
// the command that writes it. A page's default dump entries, setting
// commands and at-once changes are derived from its settings; a page writes
// code only for what is not plain.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/DumpRoutes.h"
#include "pages/FieldSet.h"

namespace orlan {

// How a routed value lands in the field.
enum class ETake {
    ByKind,    // switch value for a Check, list index for a Choice, text otherwise
    Ucs2Text,  // the text is UCS-2 hex; the field holds it decoded
};

struct SSetting {
    SFieldDesc field;
    SFieldValue initial;
    // Keys of the routing table naming the page, each filling this field.
    std::vector<std::string> keys;
    ETake take = ETake::ByKind;
    // The value follows its key with no separator: "$MMS_APNcmnet".
    bool joinedValue = false;
    // A printf format with exactly one conversion, the value: "%%POWDLY%s\r".
    // %s takes the field's text on one line (UCS-2 hex for Ucs2Text), the
    // integer conversions (d, i, u, x, X with flags, width and precision)
    // take the switch digit, the list index or the text as a whole number.
    // Empty: the page builds this setting's command itself, or there is none.
    std::string command;
    int answerWaitMs = 0;  // 0: the page's default
};

// A switch's key that carries its value: "$BATEN 1", "$BATEN 0".
bool IsSwitchKey(std::string_view key);

// A setting's command around its value, "%%" read as '%': "%POWDLY" and ""
// for "%%POWDLY%s\r" (the CR left out), with the value's conversion.
struct SCommandFrame {
    std::string before;
    std::string after;
    std::string_view spec;  // "%s", "%2.2d": a view into the setting's command
};
std::optional<SCommandFrame> CommandFrame(const SSetting& setting);

// Where a plain setting's value stands in its dump line: behind the key and
// one separator ("$POWDLY=30": 8), or behind a key that ends in its
// separator ("$DINCST 1": 8).
int ValuePosition(std::string_view key);
// The same for one of a setting's keys, its declaration deciding.
int ValuePosition(const SSetting& setting, std::string_view key);
// The routing row of a plain setting's key, for the page that declares it
// when the routing table holds none: it hands over what the field takes
// (a switch key carries its value, "$BATEN 1"; a list its index; a text
// the rest of the line).
SDumpRoute SettingRoute(const SSetting& setting, std::string_view key, std::string_view pageClass);

// The inverse of FormatSetting, for a command read back from a profile
// (without its CR): how many characters of it are this setting's command
// text before its value ("%POWDLY" of "%POWDLY30"), 0 when it is another
// command or carries no value this setting writes.
size_t SettingCommandMatch(const SSetting& setting, std::string_view command);
// The field takes the value the command carries (a switch its digit, a list
// its index, a text its text, decoded from UCS-2 hex where the setting
// encodes it) and is known. False, and nothing changes, when the command is
// not this setting's.
bool TakeSettingCommand(const SSetting& setting, std::string_view command, CFieldSet& fields);

// Checks `format` the way setting commands use it: literal text, "%%", and
// exactly one conversion of the kinds above. A page whose settings fail it
// has a programming error; the tests check every page's.
bool IsSettingFormat(std::string_view format);

// The command of one setting for the fields' current value; nothing when the
// setting has no command, its format is not a setting format or it is a
// list with nothing selected.
std::optional<std::string> FormatSetting(const SSetting& setting, const CFieldSet& fields);

} // namespace orlan
