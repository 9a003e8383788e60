#include <gtest/gtest.h>

#include "app/NavigationBar.h"
#include "labels/CommonLabelKeys.h"

namespace orlan {
namespace {

TEST(NavigationIcons, EveryItemOfEveryFolderHasItsOwnIcon)
{
    for (const NavigationFolderKeys& folder : kNavigationFolders) {
        for (std::string_view key : folder.items)
            EXPECT_TRUE(CNavigationBar::HasItemIcon(key)) << key;
    }
    for (const SSubjectFolder& folder : SubjectFolders()) {
        for (std::string_view className : folder.pageClasses)
            EXPECT_TRUE(CNavigationBar::HasItemIcon(className)) << className;
    }
    EXPECT_FALSE(CNavigationBar::HasItemIcon("PAGE_NO_SUCH_PAGE"));
}

} // namespace
} // namespace orlan
