// A list that picks an output shows the names the unit gives its outputs,
// and the names read later, without that being taken as an edit.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QWidget>

#include "labels/LabelCatalogue.h"
#include "pages/FieldHelpers.h"
#include "pages/OutputItems.h"
#include "widgets/FieldEditor.h"
#include "widgets/OutputNames.h"

namespace orlan {
namespace {

TEST(ViewOutputNames, OutputItemsCarryTheNamesReadAndOtherItemsKeepTheirText)
{
    std::vector<std::string> names(kTerminalOutputs);
    names[3] = "Pump";
    SetOutputNameSource([&names](int output) { return names.at(static_cast<size_t>(output)); });

    QWidget parent;
    CLabelCatalogue catalogue;
    int edits = 0;
    CFieldEditor list(Choice("highOutput", {}, OutputChoiceItems("Output ", "Nc")), "PageTmp100", catalogue, &parent,
                      [&edits] { ++edits; });
    list.Show({.number = 3});
    auto* box = qobject_cast<QComboBox*>(list.Editor());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->itemText(3), QStringLiteral("Output 3 (Pump)"));
    EXPECT_EQ(box->itemText(4), QStringLiteral("Output 4")) << "an output without a name keeps its text";
    EXPECT_EQ(box->itemText(8), QStringLiteral("Nc"));

    names[3] = "Valve";
    names[8 - 1] = "Spare";
    list.ShowOutputNames();
    EXPECT_EQ(box->itemText(3), QStringLiteral("Output 3 (Valve)"));
    EXPECT_EQ(box->itemText(7), QStringLiteral("Output 7 (Spare)"));
    EXPECT_EQ(box->currentIndex(), 3);
    EXPECT_EQ(edits, 0) << "new names are no edit";
    EXPECT_TRUE(list.Shows({.number = 3}));

    SetOutputNameSource(nullptr);
    list.ShowOutputNames();
    EXPECT_EQ(box->itemText(3), QStringLiteral("Output 3"));
}

} // namespace
} // namespace orlan
