// Every catalogue text the code looks up must be in each shipped catalogue,
// so no label, column, list item or heading comes up blank in any language;
// and no catalogue may hold a key nothing asks for, which a translator would
// translate for nothing. The test walks the pages' own descriptions and
// records what their label loading asks, so it covers each page as it is
// added.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>

#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "labels/ToolTexts.h"
#include "pages/AllPages.h"
#include "support/ShippedCatalogues.h"

namespace orlan {
namespace {

std::string Folded(std::string_view name)
{
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return folded;
}

// Keys the windows ask for by name, beyond the pages' descriptions and the
// common keys: the refusals a page's row check returns, and what the views
// of their own (the record pages, the navigation bar) look up.
struct SViewKey {
    std::string_view section;
    std::string_view key;
    std::string_view user;
};
constexpr SViewKey kViewKeys[] = {
    {"version", "SysTitle", "main window header"},
    {"SYSMSG", "MB_NO_TYPE", "CPageMbusParams row check"},
    {"SYSMSG", "MB_SEPARATOR", "CPageMbusParams row check"},
    {"SYSMSG", "ADC_CAL_RANGE", "CPageAD row check"},
    {"SYSMSG", "ADC_CAL_NUMBER", "CPageAD row check"},
    {"SYSMSG", "GPRS_NO_PROTOCOL", "CPageGPRS row check"},
    {"TABS", "TAB_ALL", "navigation bar"},
    {"TABS", "SHOW_ALL", "navigation bar"},
    {"TABS", "TAB_ALARMS", "navigation bar"},
    {"TABS", "TAB_NETWORK", "navigation bar"},
    {"TABS", "TAB_ANALOG", "navigation bar"},
    {"TABS", "TAB_RECORDS", "navigation bar"},
    {"PageETmpLogs", "TITLE", "record views"},
    {"PageETmpLogs", "TITLE_LOG", "record views"},
    {"PageETmpLogs", "AUTOFIT", "record views"},
    {"PageETmpLogs", "SENSOR", "record views"},
    {"PageETmpLogs", "MESSAGEDEL", "record views"},
    {"PageETmpLogs", "SYNC_MSG", "record views"},
    {"PageETmpLogs", "FILE_AT", "record views"},
    {"PageETmpLogs", "FILE_FAILED", "record views"},
};

class CKeyCollector {
public:
    // (section, key, who asks) triples, each once.
    void Add(std::string_view section, std::string_view key, const std::string& user)
    {
        if (!key.empty())
            m_keys.insert({std::string(section), std::string(key), user});
    }

    void AddFields(const CFieldSet& fields, const std::string& section, const std::string& user)
    {
        for (const SFieldDesc& desc : fields.Descs()) {
            Add(section, desc.labelKey, user + "." + desc.id);
            Add(section, desc.hintKey, user + "." + desc.id);
            Add(section, desc.noSelectionKey, user + "." + desc.id);
            for (const SChoiceItem& item : desc.items) {
                if (!item.section.empty())
                    Add(item.section, item.key, user + "." + desc.id);
            }
        }
        for (const SFieldGroup& group : fields.Groups()) {
            const std::string groupUser = user + "." + group.id;
            const std::string& textSection = group.captionSection.empty() ? section : group.captionSection;
            Add(textSection, group.captionKey, groupUser);
            for (const std::string& key : group.columnKeys)
                Add(textSection, key, groupUser);
            for (const std::string& key : group.rowKeys)
                Add(textSection, key, groupUser);
        }
    }

    void AddTables(const std::vector<CPageTable>& tables, const std::string& section, const std::string& user)
    {
        for (const CPageTable& table : tables) {
            const STableDesc& desc = table.Desc();
            const std::string tableUser = user + "." + desc.id;
            for (const std::string& key : desc.headerKeys)
                Add(section, key, tableUser);
            Add(desc.captionSection.empty() ? section : desc.captionSection, desc.captionKey, tableUser);
            if (desc.numberedRows)
                Add(kSectionSysChar, kCharRowNumber, tableUser);
        }
    }

    void AddPage(CPage& page)
    {
        const SPageInfo& info = page.Info();
        Add(kSectionTabs, info.navKey, info.className);
        Add(info.headingSection.empty() ? std::string(kSectionTabs) : info.headingSection, info.headingKey,
            info.className);
        AddFields(page.Fields(), info.section, info.className);
        AddTables(page.Tables(), info.section, info.className);
        for (const SPageAction& action : page.Actions()) {
            const std::string user = info.className + "." + action.id;
            Add(action.labelSection.empty() ? info.section : action.labelSection, action.labelKey, user);
            Add(action.confirmSection.empty() ? std::string(kSectionSysMsg) : action.confirmSection,
                action.confirmKey, user);
            // An action's editor may edit a row of its own (one button per channel).
            if (action.rowEditorTable && action.editorRow)
                AddEditor(page.RowEditor(*action.rowEditorTable, *action.editorRow));
        }
        for (size_t t = 0; t < page.Tables().size(); ++t) {
            // Row dialogs differ per row only in their values.
            if (page.Tables()[t].Desc().rowCount > 0)
                AddEditor(page.RowEditor(t, 0));
        }
        // What the page writes into its own values from the catalogue.
        CLabelCatalogue recording;
        recording.SetLookupRecorder([&](std::string_view section, std::string_view key) {
            Add(section, key, info.className + ".LoadLabels");
        });
        page.LoadLabels(recording);
    }

    void AddEditor(const std::optional<SRowEditor>& editor)
    {
        if (!editor)
            return;
        AddFields(editor->fields, editor->section, editor->className);
        AddTables(editor->tables, editor->section, editor->className);
        Add(editor->section, editor->titleKey, editor->className);
    }

    void AddCommonKeys()
    {
        for (const auto& group : kCommonLabelGroups) {
            for (const auto key : group.keys)
                Add(group.section, key, "common keys");
        }
        for (const SViewKey& key : kViewKeys)
            Add(key.section, key.key, std::string(key.user));
    }

    struct SKey {
        std::string section;
        std::string key;
        std::string user;
        bool operator<(const SKey& other) const
        {
            return std::tie(section, key, user) < std::tie(other.section, other.key, other.user);
        }
    };
    const std::set<SKey>& Keys() const { return m_keys; }

    std::set<std::pair<std::string, std::string>> FoldedKeys() const
    {
        std::set<std::pair<std::string, std::string>> folded;
        for (const SKey& key : m_keys)
            folded.insert({Folded(key.section), Folded(key.key)});
        return folded;
    }

private:
    std::set<SKey> m_keys;
};

class CatalogueCoverage : public ::testing::TestWithParam<test::SShippedCatalogue> {
protected:
    void SetUp() override
    {
        const std::filesystem::path path = test::ShippedCataloguePath(GetParam());
        ASSERT_TRUE(m_catalogue.Bind(path)) << path;
        m_pages = CreateAllPages();
        ASSERT_FALSE(m_pages.empty());
        for (const auto& page : m_pages)
            m_collector.AddPage(*page);
    }

    CLabelCatalogue m_catalogue;
    std::vector<std::unique_ptr<CPage>> m_pages;
    CKeyCollector m_collector;
};

TEST_P(CatalogueCoverage, EveryKeyAPageLooksUpHasAText)
{
    for (const auto& key : m_collector.Keys())
        EXPECT_FALSE(m_catalogue.Lookup(key.key, key.section).empty())
            << "[" << key.section << "] " << key.key << " (used by " << key.user << ")";
    // Guards against the walk itself losing what it should find.
    EXPECT_GE(m_collector.Keys().size(), 400u);
}

TEST_P(CatalogueCoverage, HoldsNoKeyNothingAsksFor)
{
    m_collector.AddCommonKeys();
    for (const auto& key : m_collector.Keys())
        EXPECT_FALSE(m_catalogue.Lookup(key.key, key.section).empty())
            << "[" << key.section << "] " << key.key << " (used by " << key.user << ")";

    const auto asked = m_collector.FoldedKeys();
    const std::string toolTexts = Folded(kSectionToolTexts);
    size_t held = 0;
    for (const auto& [section, key] : m_catalogue.Keys()) {
        // The tool's own texts are checked against the sources (labels tests).
        if (section == toolTexts)
            continue;
        ++held;
        EXPECT_TRUE(asked.contains({section, key})) << "[" << section << "] " << key << " is asked for by nothing";
    }
    EXPECT_GE(held, 600u);
}

INSTANTIATE_TEST_SUITE_P(Shipped, CatalogueCoverage, ::testing::ValuesIn(test::kShippedCatalogues),
                         test::CatalogueCaseName);

} // namespace
} // namespace orlan
