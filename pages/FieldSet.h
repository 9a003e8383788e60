#pragma once
// What a page shows and edits, described as data: the generic form, table
// and row-dialog views draw pages from these descriptions, and the CLI and
// exports address values by the same stable ids.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlan {

enum class EFieldKind {
    Text,       // one-line text
    MultiLine,  // multi-line text
    Check,      // switch, 0 or 1
    Choice,     // list selection, 0-based, -1 for none
    Spin,       // number with up-down control in [minimum, maximum], kept as text
    Image,      // a picture drawn scaled from its bytes (JPEG, PNG), kept in `text`
};

// What a one-line text holds. Every typed value is checked against it in the
// model (`ValueError`), whichever view typed it; editors and the command
// line show it. A read value is kept as the terminal sent it.
enum class EValueType {
    Text,     // free text
    Whole,    // a whole number in [minimum, maximum]
    Decimal,  // a decimal number with an optional sign and point: "-12.5"
};

// A field shown only while another field holds one of the given numbers
// (a list selection or a switch); the form switches it at once.
struct SVisibleWhen {
    std::string field;        // empty: always shown
    std::vector<int> numbers;
};

// Fields kept together in the form under one caption. With a grid hint the
// group's fields fill `rows` × `columns` cells row by row (mixed editors:
// four inputs × type/urgent/sound); the first column may carry row labels
// and the first row column headers.
struct SFieldGroup {
    std::string id;
    std::string captionKey;      // in the page's section, or `captionSection`
    std::string captionSection;  // empty: the page's section
    size_t rows = 0;             // 0: one field a line, label beside it
    // With rows: the grid's columns. Without: labelled fields side by side
    // in this many columns, filled top to bottom (0 or 1: one column).
    size_t columns = 0;
    std::vector<std::string> columnKeys;  // header of each column; may be empty
    std::vector<std::string> rowKeys;     // label of each row; may be empty
    // Row labels that are numbered instead: this prefix + row number (from
    // `firstRowNumber`), e.g. "AIN" gives "AIN0" … "AIN3".
    std::string rowPrefix;
    int firstRowNumber = 0;
};

// A list item: a fixed text, or a catalogue text when `section` is set.
struct SChoiceItem {
    std::string text;
    std::string section;
    std::string key;
    // The built-in text shown while the catalogue has none for the key.
    std::string fallback;
    // The terminal output (0..7) the item stands for, -1 for none: a view
    // shows the name the unit gives that output beside the item's text.
    int output = -1;
};

struct SFieldDesc {
    std::string id;        // stable id, e.g. "smsMode"
    EFieldKind kind = EFieldKind::Text;
    std::string labelKey;  // key in the page's catalogue section; empty: no label
    std::string hintKey;   // optional explanation text key
    bool hidden = false;   // still filled by the dump and written back unchanged
    std::vector<SChoiceItem> items;  // Choice
    // Choice: what the list shows while none of its items is selected (a
    // key in the page's section); empty: a blank list.
    std::string noSelectionKey;
    EValueType value = EValueType::Text;  // Text: what it holds (Spin: always Whole)
    int minimum = 0;                 // Spin, Whole
    int maximum = 0;                 // Spin, Whole
    std::string fixedLabel;          // a label that is not from the catalogue
    // A change is sent to the terminal at once (CPage::OnFieldEdited)
    // instead of waiting for the page's Save.
    bool sendsOnChange = false;
    // Shown but not edited (current readings, a version line).
    bool readOnly = false;
    // Text: typed characters are shown as dots (passwords).
    bool masked = false;
    // Text: a count the terminal takes as decimal digits only.
    bool digitsOnly = false;
    SVisibleWhen visibleWhen;
    std::string group;  // id of its SFieldGroup; empty: no group
};

// One field's value: texts (and spin values) in `text`, switches and list
// selections in `number`.
struct SFieldValue {
    std::string text;
    int number = 0;
    bool operator==(const SFieldValue&) const = default;
};

// Why a typed text cannot be the value of the field (empty: it can): a
// line break in a one-line field (it would end the command early), a
// letter in a digits-only one, a number outside a spin or whole-number
// field's range, a decimal field holding no decimal number, a text longer
// than one command line holds.
std::string ValueError(const SFieldDesc& desc, std::string_view text);
// What the field takes, for a person: "a whole number from 0 to 23", "a
// decimal number", "digits"; empty for free text, switches and lists.
std::string ValueRuleText(const SFieldDesc& desc);

// The fields of a page in display order, each with its value.
class CFieldSet {
public:
    // Adds a field with its initial value; returns its index.
    size_t Add(SFieldDesc desc, SFieldValue initial = {});

    size_t Size() const { return m_descs.size(); }
    const SFieldDesc& Desc(size_t i) const { return m_descs.at(i); }
    const std::vector<SFieldDesc>& Descs() const { return m_descs; }
    // Index of a field by id; throws std::out_of_range for an unknown id,
    // which is a programming error.
    size_t IndexOf(std::string_view id) const;
    bool Has(std::string_view id) const;

    const std::string& Text(std::string_view id) const;
    int Number(std::string_view id) const;
    void SetText(std::string_view id, std::string_view text);
    void SetNumber(std::string_view id, int number);
    // A list selection as the terminal reports it. A code beyond the list's
    // items is kept as it is (shown as not in the list, written back
    // unchanged); a negative one means nothing usable came and leaves the
    // field unknown with no selection.
    void SetChoice(std::string_view id, int index);
    // Whether a list field holds a code none of its items stands for.
    bool IsOutsideList(size_t i) const;
    // The text as one command may carry it: CR and LF removed, so a pasted
    // line break cannot end the command early.
    std::string LineText(std::string_view id) const;
    const SFieldValue& Value(size_t i) const { return m_values.at(i); }
    void SetValue(size_t i, SFieldValue value);
    // Changes a value without touching whether it is known or edited: the
    // known-value probes, which put it back at once.
    void Substitute(size_t i, SFieldValue value) { m_values.at(i) = std::move(value); }

    // Every field back to its initial value, and unknown; the fields named
    // in `keep` (values a read does not refill) stay as they are.
    void Reset(const std::vector<std::string>& keep = {});
    // One field back to its initial value, and unknown.
    void Forget(std::string_view id);

    // Whether the value is known: read from the terminal, loaded, worked out
    // by the page from what it read, or typed. A field only ever holding its
    // initial value is not, and a command carrying it is never sent.
    bool IsKnown(size_t i) const { return m_known.at(i); }
    bool IsKnown(std::string_view id) const { return m_known[IndexOf(id)]; }
    void SetKnown(size_t i, bool known) { m_known.at(i) = known; }

    // A person's edit. Every other setter is the page's own (a read, a
    // Clear, a value worked out from another), and ends the field's edit.
    void Edit(size_t i, SFieldValue value);
    // Whether a person changed the field since the page last set it or since
    // it was written: an edit back to the value it had is none.
    bool IsEdited(size_t i) const;
    bool HasEdits() const;
    const std::vector<SFieldValue>& Values() const { return m_values; }
    // After a write of `written` (the values when its commands were made):
    // a field still holding what was written is no longer an edit; one the
    // person changed again meanwhile still is.
    // Fields named in `notWritten` (their command was left out) stay edits.
    void AcceptEdits(const std::vector<SFieldValue>& written, const std::vector<std::string>& notWritten = {});

    // Groups in display order; a field names its group by id.
    void AddGroup(SFieldGroup group) { m_groups.push_back(std::move(group)); }
    const std::vector<SFieldGroup>& Groups() const { return m_groups; }
    const SFieldGroup* FindGroup(std::string_view id) const;
    // Whether a field is shown now: not hidden, and its condition holds.
    bool IsShown(size_t i) const;

private:
    std::vector<SFieldGroup> m_groups;
    std::vector<SFieldDesc> m_descs;
    std::vector<SFieldValue> m_values;
    std::vector<SFieldValue> m_initial;
    // Per field, the value it had before a person's first edit.
    std::vector<std::optional<SFieldValue>> m_beforeEdit;
    std::vector<bool> m_known;
};

} // namespace orlan
