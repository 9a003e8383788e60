// Users never meet class names: every page of the system has a caption in
// the shipped catalogue, and the window names pages by it.
#include <gtest/gtest.h>

#include "MainWindowTestSupport.h"
#include "pages/AllPages.h"
#include "session/PageAccess.h"

namespace orlan::test {
namespace {

TEST(PageCaptions, EveryPageHasACatalogueCaption)
{
    const CLabelCatalogue catalogue = ShippedCatalogue();
    for (const auto& page : CreateAllPages()) {
        const SPageInfo& info = page->Info();
        SCOPED_TRACE(info.className);
        const std::string caption = PageCaption(*page, catalogue);
        EXPECT_FALSE(caption.empty());
        // The caption's fallback is the page's alias: not for a person.
        EXPECT_NE(caption, std::string(PageAlias(info.className)));
        EXPECT_EQ(caption.find(info.className), std::string::npos);
    }
}

} // namespace
} // namespace orlan::test
