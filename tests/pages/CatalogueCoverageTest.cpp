// Every catalogue text a page looks up must be in the shipped gsm.ini, so no
// label, column, list item or heading of any page comes up blank. The test
// walks the pages' own descriptions, so it covers each page as it is added.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <tuple>

#include "labels/CommonLabelKeys.h"
#include "labels/LabelCatalogue.h"
#include "pages/AllPages.h"

namespace orlan {
namespace {

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
            for (const SChoiceItem& item : desc.items) {
                if (!item.section.empty())
                    Add(item.section, item.key, user + "." + desc.id);
            }
        }
    }

    void AddPage(const CPage& page)
    {
        const SPageInfo& info = page.Info();
        Add(kSectionTabs, info.navKey, info.className);
        Add(info.headingSection.empty() ? std::string(kSectionTabs) : info.headingSection, info.headingKey,
            info.className);
        AddFields(page.Fields(), info.section, info.className);
        for (size_t t = 0; t < page.Tables().size(); ++t) {
            const STableDesc& table = page.Tables()[t].Desc();
            const std::string user = info.className + "." + table.id;
            for (const std::string& key : table.headerKeys)
                Add(info.section, key, user);
            if (table.numberedRows)
                Add(kSectionSysChar, kCharRowNumber, user);
            // Row dialogs differ per row only in their values.
            if (table.rowCount > 0) {
                if (const std::optional<SRowEditor> editor = page.RowEditor(t, 0))
                    AddFields(editor->fields, editor->section, editor->className);
            }
        }
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

private:
    std::set<SKey> m_keys;
};

TEST(CatalogueCoverage, EveryKeyAPageLooksUpHasAShippedText)
{
    CLabelCatalogue catalogue;
    const std::filesystem::path path = std::filesystem::path(ORLAN_SOURCE_DIR) / kCatalogueFileName;
    ASSERT_TRUE(catalogue.Bind(path)) << path;

    CKeyCollector collector;
    const auto pages = CreateAllPages();
    ASSERT_FALSE(pages.empty());
    for (const auto& page : pages)
        collector.AddPage(*page);

    for (const auto& key : collector.Keys())
        EXPECT_FALSE(catalogue.Lookup(key.key, key.section).empty())
            << "[" << key.section << "] " << key.key << " (used by " << key.user << ")";
    // Guards against the walk itself losing what it should find.
    EXPECT_GE(collector.Keys().size(), 40u);
}

} // namespace
} // namespace orlan
