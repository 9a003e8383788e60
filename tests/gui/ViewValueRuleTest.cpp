// A number field's editor says what it takes and marks a typed value its
// rule refuses at once; a value the terminal reported is never marked.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QWidget>

#include "labels/LabelCatalogue.h"
#include "pages/FieldHelpers.h"
#include "widgets/FieldEditor.h"

namespace orlan {
namespace {

TEST(ViewValueRule, TypedValuesOutsideTheRuleAreMarkedAndReadOnesAreNot)
{
    QWidget parent;
    CLabelCatalogue catalogue;
    int edits = 0;
    CFieldEditor hour(Hour(Text("clock0Hour")), "PageTimers", catalogue, &parent, [&edits] { ++edits; });
    auto* line = qobject_cast<QLineEdit*>(hour.Editor());
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->placeholderText().contains(QStringLiteral("23")));
    EXPECT_TRUE(line->toolTip().contains(QStringLiteral("0 to 23")));

    line->insert(QStringLiteral("24"));  // as typed: emits textEdited
    EXPECT_TRUE(line->property("valueWrong").toBool());
    EXPECT_EQ(edits, 1) << "a wrong value is still an edit: Save refuses it and names the field";
    line->backspace();
    EXPECT_FALSE(line->property("valueWrong").toBool()) << "2 is an hour";
    EXPECT_TRUE(line->toolTip().contains(QStringLiteral("0 to 23"))) << "the rule's tip is back";

    line->insert(QStringLiteral("x"));
    EXPECT_TRUE(line->property("valueWrong").toBool());
    hour.Show({.text = "99"});
    EXPECT_FALSE(line->property("valueWrong").toBool()) << "what the terminal reported is shown as it is";

    CFieldEditor free(Text("apn"), "PageGPRS", catalogue, &parent, [] {});
    auto* freeLine = qobject_cast<QLineEdit*>(free.Editor());
    freeLine->insert(QStringLiteral("24x"));
    EXPECT_FALSE(freeLine->property("valueWrong").toBool());
    EXPECT_TRUE(freeLine->placeholderText().isEmpty());
}

} // namespace
} // namespace orlan
