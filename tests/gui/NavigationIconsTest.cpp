#include <gtest/gtest.h>

#include "app/NavigationBar.h"
#include "labels/CommonLabelKeys.h"

namespace orlan {
namespace {

TEST(NavigationIcons, EveryItemOfTheFixedFoldersHasItsOwnIcon)
{
    for (const NavigationFolderKeys& folder : kNavigationFolders) {
        for (std::string_view key : folder.items)
            EXPECT_TRUE(CNavigationBar::HasItemIcon(key)) << key;
    }
    EXPECT_FALSE(CNavigationBar::HasItemIcon("PAGE_NO_SUCH_PAGE"));
}

} // namespace
} // namespace orlan
