#pragma once
// A command that was not written (to the terminal or into a profile)
// because a value it carries is not known: the terminal never reported it,
// no profile held it and nobody typed it. Sending it would overwrite a
// setting with a value nobody chose.
#include <string>
#include <vector>

namespace orlan {

// One value that is not known: a field (by id) or the cells of a table
// column (table id and column), with the catalogue key that captions it.
struct SUnknownValue {
    std::string id;        // "inputType0", "phones.0"
    std::string labelKey;  // in `section`; may be empty
    std::string section;
    bool operator==(const SUnknownValue&) const = default;
};

struct SLeftOut {
    std::string command;                // as it would have gone, without CR
    std::vector<SUnknownValue> unknown;  // what it needs
    // It also carries a value a person typed, which is therefore not
    // written either: the job did not do what was asked.
    bool carriesEdit = false;
    std::vector<std::string> editedIds;  // those values' field ids
};

// "not written: %IOTP… — needs input0Type, input1Type (not reported by the
// terminal)", one line per command; ids as the CLI names them.
std::string LeftOutText(const SLeftOut& leftOut);

} // namespace orlan
