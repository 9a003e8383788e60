#pragma once
// Never write what was not read. Every field and cell knows whether its
// value is known (FieldSet.h, PageTable.h); what a page builds from them
// (its Save, a row edit, a field that acts at once, its profile section) is
// sent or saved only where every value a command carries is known.
//
// Which values a command carries is found by probing, so that no page has
// to list them by hand: each unknown value is changed in turn, the page
// builds again, and a command whose text changes (or goes) with it carries
// it. Every value is put back after each probe. On a page whose values are
// all known nothing is probed and everything goes out as built.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/LeftOut.h"
#include "pages/Page.h"

namespace orlan {

// The texts one build makes, in order.
using TextBuild = std::function<std::vector<std::string>()>;

class CKnownProbe {
public:
    // The values a build reads: the page's fields and tables; a row
    // editor's fields and tables besides, for a row edit.
    CKnownProbe(CFieldSet& fields, std::vector<CPageTable>& tables, const std::string& section);
    void AddEditor(CFieldSet& fields, std::vector<CPageTable>& tables, const std::string& section);

    struct SResult {
        std::vector<std::string> texts;
        // Per text: the unknown values it carries (empty: it may go out).
        std::vector<std::vector<SUnknownValue>> unknown;
        // Per text: the values a person edited that it also carries.
        std::vector<std::vector<std::string>> edits;
        // Unknown values that hold back commands the build would make if
        // they were known (a list with nothing selected sends nothing).
        std::vector<SUnknownValue> withheld;
    };
    // `made`: the texts the build made with the values as they are (built
    // once by the caller, who keeps what it built); `build` makes them again
    // for each probe.
    SResult Run(std::vector<std::string> made, const TextBuild& build);

private:
    struct SProbe {
        std::function<void(size_t candidate)> change;  // to candidate n
        size_t candidates = 1;
        std::function<void()> restore;
        SUnknownValue value;
        bool edit = false;  // a known, edited value (only to tell which edits a text carries)
    };
    void AddFields(CFieldSet& fields, const std::string& section);
    void AddTables(std::vector<CPageTable>& tables, const std::string& section);

    std::vector<SProbe> m_probes;
};

// The first command a value would break, without its line end: one with a
// "%" inside (the start of another command, the setup key run) or a line
// break before its end; empty when every command is one command.
std::string BrokenCommand(const CCommandList& commands);

// Why such a command is refused, for the person who typed its value.
std::string BrokenCommandText(std::string_view command);

// The page's Save with every command that carries an unknown value left out
// (and named in `leftOut`); with nothing left to send, no bracket and no read.
SPageJob KnownSaveJob(const CPage& page, std::vector<SLeftOut>& leftOut);
// The page's profile section: lines that carry unknown values left out.
// With a `title` the section of a complete profile (WriteProfileSectionAs).
void WriteKnownProfileSection(const CPage& page, CProfileText& out, std::vector<SLeftOut>& leftOut,
                              std::string_view title = {});
// A row dialog's OK: the row's commands, those with unknown values left out.
CCommandList KnownRowCommands(CPage& page, size_t table, size_t row, const SRowEditor& edited,
                              std::vector<SLeftOut>& leftOut);
// A field that acts at once.
CCommandList KnownFieldChange(CPage& page, std::string_view fieldId, std::vector<SLeftOut>& leftOut);
// The row editor with each of its fields (and cells) known only where the
// row's values it shows are known: an OK on a row never read then sends only
// what the person typed.
std::optional<SRowEditor> OpenRowEditor(const CPage& page, size_t table, size_t row);

} // namespace orlan
