#pragma once
// The contract every settings page fulfils. A page is a model: fields and
// tables described as data, the dump keys it consumes, its dump request, the
// commands it builds for the terminal or a profile, and its row edits. It
// never writes to the terminal itself: the session runs what it builds as
// jobs of the command queue.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "console/DumpRouter.h"
#include "console/EventList.h"
#include "console/ProfileText.h"
#include "pages/FieldSet.h"
#include "pages/PageTable.h"
#include "pages/ProfileInverse.h"
#include "pages/Setting.h"

namespace orlan {

class CLabelCatalogue;

// How a page's job ends once its commands are through.
enum class EJobEnd {
    ReadPage,  // the page's own read (Clear, then its dump request)
    ReadAll,   // the whole-configuration read
    Request,   // a given request, written without waiting
    Nothing,
};

// Which lines reach a page besides its routed keys.
enum class ELineFeed {
    RoutedOnly,
    EveryDollarLine,  // the temperature record pages
};

struct SPageInfo {
    std::string className;     // "CPageMainParams"
    std::string section;       // catalogue section, "PageMainParams"
    std::string navKey;        // TABS key of its navigation item and heading; may be empty
    std::string profileTitle;  // section title in profiles; empty: not in profiles
    int defaultAnswerWaitMs = 2000;
    bool hasWriteBack = true;  // a Save button that writes the whole page
    ELineFeed lineFeed = ELineFeed::RoutedOnly;
    // The page's own heading where it is not its navigation caption:
    // catalogue section and key (TABS when the section is empty).
    std::string headingSection;
    std::string headingKey;
    // Save sends its commands inside "%STARTCMD" ... "%COMMITCMD" (the
    // counter pages write theirs bare) and ends as given.
    bool bracketedSave = true;
    EJobEnd saveEnd = EJobEnd::ReadPage;
    // Shown pages become the current page whose buttons the progress window
    // turns off and on; the console terminals are shown without that.
    bool becomesCurrent = true;
    // The file, in the working directory, a picture the page receives is
    // saved to ("1.jpg"); empty for pages that take no pictures.
    std::string pictureFile;
    // Rows the page shares with other pages and hears whole ("$3GS_"): its
    // declared keys inside them ("$3GS_VCHN") are looked for in each line
    // instead of getting rows of their own.
    std::vector<std::string> wholeLineKeys;
};

// One command as a page builds it. `direct` marks texts a page writes to a
// profile as formatted rather than through its command sender.
struct SCommand {
    std::string text;
    int answerWaitMs = 0;  // 0: the page's default
    bool direct = false;
    // Written without waiting for an answer (texts a row dialog writes
    // straight to the channel).
    bool noWait = false;
};
using CCommandList = std::vector<SCommand>;

enum class ETarget { Terminal, Profile };

// Commands a page hands the session to run as one job, and how it ends.
struct SPageJob {
    CCommandList commands;
    bool bracketed = true;
    EJobEnd end = EJobEnd::ReadPage;
    std::string request;  // EJobEnd::Request
    // First drops a picture still being received (the camera's View and Stop).
    bool resetsPicture = false;
    // Shows the progress window for this many ticks as the job starts (0: no).
    int progressTicks = 0;
};

// A button of a page besides Read and Save (Reset, Calibrate, View, Sync,
// Export, Delete). It runs a job, or edits the selected row of a table.
struct SPageAction {
    std::string id;
    std::string labelKey;      // in the page's section unless `labelSection` is set
    std::string labelSection;
    // A question asked first (a catalogue key, SYSMSG unless
    // `confirmSection` is set); empty: none.
    std::string confirmKey;
    std::string confirmSection;
    // Edits the selected row of this table in the row editor instead.
    std::optional<size_t> rowEditorTable;
    // Needs a selected row of this table (the job is built for that row).
    std::optional<size_t> needsRowOf;
    // With `rowEditorTable`: always edits this row, whatever is selected
    // (one button per channel). The index need not be a table the page
    // shows: the page's RowEditor decides what the row is.
    std::optional<size_t> editorRow;
};

struct SDumpEntry {
    std::string key;  // a key of the routing table that names this page
    DumpHandler handler;
};

// The dialog that edits one row: its class, catalogue section, fields and
// any small tables it holds (a channel mask of O/X marks).
struct SRowEditor {
    std::string className;  // "CInputPhone"
    std::string section;    // "PageCSPhone"
    CFieldSet fields;
    std::vector<CPageTable> tables;
    // The dialog's caption: `title` followed by the catalogue text of
    // `titleKey` in `section` ("2# " + "Title"); both empty: the view's own.
    std::string title;
    std::string titleKey;
};

class CPage {
public:
    explicit CPage(SPageInfo info);
    virtual ~CPage() = default;
    CPage(const CPage&) = delete;
    CPage& operator=(const CPage&) = delete;

    const SPageInfo& Info() const { return m_info; }
    CFieldSet& Fields() { return m_fields; }
    const CFieldSet& Fields() const { return m_fields; }
    std::vector<CPageTable>& Tables() { return m_tables; }
    const std::vector<CPageTable>& Tables() const { return m_tables; }

    const std::vector<SSetting>& Settings() const { return m_settings; }
    const std::vector<SPageAction>& Actions() const { return m_actions; }

    // Empties everything a dump line can fill.
    virtual void Clear();
    // Clear, and every value the page keeps across a read becomes unknown
    // too (a cell keeps its text, so row labels stay): the pages showing a
    // profile file hold the file's values alone, never an earlier read's.
    void ForgetValues();
    // The dump request the page's Read writes in one write.
    virtual std::string DumpRequest() const = 0;
    // The page's setting commands; towards the terminal bracketed by
    // "%STARTCMD" and "%COMMITCMD".
    CCommandList BuildCommands(ETarget target) const;
    // Header and commands of the page's profile section (nothing when the
    // page has no profile title).
    virtual void WriteProfileSection(CProfileText& out) const;
    // The page's commands as a section titled `title` (a complete profile's
    // section of a page the classic profile leaves out): the header, then
    // its commands as Save sends them, without the batch bracket.
    void WriteProfileSectionAs(CProfileText& out, std::string_view title) const;
    // Whether that section also holds what the row dialogs send for every
    // row (pages whose Save leaves their rows out); their inverses read it back.
    virtual bool RowsInCompleteProfile() const { return false; }
    // Whether that row's dialog commands go in: only when every value they
    // carry was read or loaded (a page whose dialog fills unread values
    // with defaults says no for such a row).
    virtual bool RowInCompleteProfile(size_t /*table*/, size_t /*row*/) const { return true; }
    // A command of the page's profile section read back (without its CR):
    // the setting whose command it is takes its value (the longest command
    // text wins: "%TMPIH" before "%TMPH"). False when no setting of the page
    // writes it; pages with composite commands add theirs.
    virtual bool TakeProfileCommand(std::string_view command);
    // Whether the page writes commands of this name, whatever their value:
    // a command it did not take then carries a value its field cannot hold.
    virtual bool OwnsProfileCommand(std::string_view command) const;
    // Gives the router a row for each of the page's setting keys the
    // routing table holds none for (the row comes from the declaration).
    void RouteSettings(CDumpRouter& router) const;
    // The routed keys this page consumes; by default its settings' keys.
    virtual std::vector<SDumpEntry> DumpEntries() { return SettingEntries(); }
    // What Save runs: the setting commands, bracketed and ended as the
    // page's info says.
    virtual SPageJob SaveJob() const;
    // The job of one of the page's actions, for the selected row where the
    // action needs one; nothing when there is nothing to send.
    virtual std::optional<SPageJob> ActionJob(std::string_view actionId, std::optional<size_t> selectedRow);
    // Lines fed by `Info().lineFeed` (every line, or every "$" line).
    virtual void ParseLine(std::string_view /*line*/) {}
    // Each event row the receive path makes of a "$:" line (the events page).
    virtual void OnEventRow(const SEventRow& /*row*/) {}
    // Catalogue words a page writes into its own values (table cells, list
    // lines), in place of its built-in English until a view loads them.
    virtual void LoadLabels(const CLabelCatalogue& /*catalogue*/) {}
    // A camera picture arrived whole (its end marker came); every page hears
    // it before the view saves it.
    virtual void OnPicture(std::span<const std::uint8_t> /*jpeg*/) {}
    // Shows the picture saved before in `Info().pictureFile` until a new
    // one arrives; false (and the page keeps what it shows) when the file
    // holds no whole picture.
    virtual bool ShowPictureFile(const std::string& /*path*/) { return false; }

    // Row editing; pages with tables override these. With no row (or a row
    // out of range) there is no editor and nothing is sent.
    virtual std::optional<SRowEditor> RowEditor(size_t table, size_t row) const;
    virtual CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited);
    // The same with the editor's tables (a mask of marks) as edited; by
    // default only the fields count.
    virtual CCommandList CommitEditedRow(size_t table, size_t row, const SRowEditor& edited)
    {
        return CommitRow(table, row, edited.fields);
    }
    // The SYSMSG catalogue key of the reason an edited row is refused
    // (nothing is sent and the dialog stays open); empty when it may go out.
    virtual std::string RowEditError(size_t table, size_t row, const CFieldSet& edited) const;
    // A field whose change is sent at once (a check box that acts on click);
    // by default the command of a setting whose field sends on change.
    virtual CCommandList OnFieldEdited(std::string_view fieldId);

    int AnswerWaitMs(const SCommand& command) const
    {
        return command.answerWaitMs > 0 ? command.answerWaitMs : m_info.defaultAnswerWaitMs;
    }

    // Views subscribe to hear that values changed.
    void AddObserver(std::function<void()> observer) { m_observers.push_back(std::move(observer)); }
    void NotifyChanged() const;

protected:
    // The setting commands in order, without the batch bracket; by default
    // the commands of the settings that go with the page, in their order.
    virtual CCommandList SettingCommands(ETarget target) const;

    // Declares a plain setting: adds its field and remembers the row.
    size_t AddSetting(SSetting setting);
    // Declares how a composite command the page builds with `format` is
    // read back from a profile (TakeProfileCommand tries these after the
    // plain settings).
    void AddProfileInverse(std::string format, std::function<bool(const std::vector<std::string>&)> take)
    {
        m_inverses.push_back({std::move(format), std::move(take)});
    }
    void AddAction(SPageAction action) { m_actions.push_back(std::move(action)); }
    // The dump entries derived from the settings.
    std::vector<SDumpEntry> SettingEntries();
    // A line of one of `Info().wholeLineKeys`: each declared key it holds
    // fills its field as that key's own row would.
    void TakeDeclaredLine(std::string_view line);
    // Appends the command of the setting of this field, for composing pages
    // (none for a list with nothing selected).
    void AppendPlainCommand(CCommandList& commands, std::string_view fieldId) const;
    // What the row dialogs send for each row as it stands, without brackets
    // and requests.
    CCommandList RowDialogCommands() const;
    // The commands of these settings, in this order (a list with nothing
    // selected has none).
    CCommandList PlainCommands(std::initializer_list<std::string_view> fieldIds) const;

    SPageInfo m_info;
    CFieldSet m_fields;
    std::vector<CPageTable> m_tables;
    std::vector<SSetting> m_settings;
    std::vector<SPageAction> m_actions;

private:
    bool HeardWhole(std::string_view key) const;
    void TakeRouted(const SSetting& setting, const SDumpValue& value);

    std::vector<std::function<void()>> m_observers;
    std::vector<SProfileInverse> m_inverses;
};

} // namespace orlan
