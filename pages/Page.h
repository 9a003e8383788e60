#pragma once
// The contract every settings page fulfils. A page is a model: fields and
// tables described as data, the dump keys it consumes, its dump request, the
// commands it builds for the terminal or a profile, and its row edits. It
// never writes to the terminal itself: the session runs what it builds as
// jobs of the command queue.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/DumpRouter.h"
#include "console/ProfileText.h"
#include "pages/FieldSet.h"
#include "pages/PageTable.h"

namespace orlan {

// Which lines reach a page besides its routed keys.
enum class ELineFeed {
    RoutedOnly,
    EveryLine,        // the main parameters parser
    EveryDollarLine,  // the temperature record pages
};

struct SPageInfo {
    std::string className;     // "CPageMainParams"
    std::string section;       // catalogue section, "PageMainParams"
    std::string navKey;        // TABS key of its navigation item and heading; may be empty
    std::string profileTitle;  // section title in profiles; empty: not in profiles
    int defaultTickLimit = 2000;
    bool hasWriteBack = true;  // a Save button that writes the whole page
    ELineFeed lineFeed = ELineFeed::RoutedOnly;
    // The page's own heading where it is not its navigation caption:
    // catalogue section and key (TABS when the section is empty).
    std::string headingSection;
    std::string headingKey;
};

// One command as a page builds it. `direct` marks texts a page writes to a
// profile as formatted rather than through its command sender.
struct SCommand {
    std::string text;
    int tickLimit = 0;  // 0: the page's default
    bool direct = false;
    // Written without waiting for an answer (texts a row dialog writes
    // straight to the channel).
    bool noWait = false;
};
using CCommandList = std::vector<SCommand>;

enum class ETarget { Terminal, Profile };

struct SDumpEntry {
    std::string key;  // a key of the routing table that names this page
    DumpHandler handler;
};

// The dialog that edits one row: its class, catalogue section and fields.
struct SRowEditor {
    std::string className;  // "CInputPhone"
    std::string section;    // "PageCSPhone"
    CFieldSet fields;
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

    // Empties everything a dump line can fill.
    virtual void Clear();
    // The dump request the page's Read writes in one write.
    virtual std::string DumpRequest() const = 0;
    // The page's setting commands; towards the terminal bracketed by
    // "%STARTCMD" and "%COMMITCMD".
    CCommandList BuildCommands(ETarget target) const;
    // Header and commands of the page's profile section (nothing when the
    // page has no profile title).
    virtual void WriteProfileSection(CProfileText& out) const;
    // The routed keys this page consumes.
    virtual std::vector<SDumpEntry> DumpEntries() { return {}; }
    // Lines fed by `Info().lineFeed` (every line, or every "$" line).
    virtual void ParseLine(std::string_view /*line*/) {}

    // Row editing; pages with tables override these. With no row (or a row
    // out of range) there is no editor and nothing is sent.
    virtual std::optional<SRowEditor> RowEditor(size_t table, size_t row) const;
    virtual CCommandList CommitRow(size_t table, size_t row, const CFieldSet& edited);
    // The SYSMSG catalogue key of the reason an edited row is refused
    // (nothing is sent and the dialog stays open); empty when it may go out.
    virtual std::string RowEditError(size_t table, size_t row, const CFieldSet& edited) const;
    // A field whose change is sent at once (a check box that acts on click).
    virtual CCommandList OnFieldEdited(std::string_view fieldId);

    int TickLimit(const SCommand& command) const
    {
        return command.tickLimit > 0 ? command.tickLimit : m_info.defaultTickLimit;
    }

    // Views subscribe to hear that values changed.
    void AddObserver(std::function<void()> observer) { m_observers.push_back(std::move(observer)); }
    void NotifyChanged() const;

protected:
    // The setting commands in order, without the batch bracket.
    virtual CCommandList SettingCommands(ETarget target) const;

    SPageInfo m_info;
    CFieldSet m_fields;
    std::vector<CPageTable> m_tables;

private:
    std::vector<std::function<void()>> m_observers;
};

} // namespace orlan
