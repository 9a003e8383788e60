// A person's changes against the values the page set: what is marked as
// not written, and what a write settles.
#include <gtest/gtest.h>

#include "pages/FieldSet.h"

namespace orlan {
namespace {

CFieldSet TwoFields()
{
    CFieldSet fields;
    for (const char* id : {"name", "level"}) {
        SFieldDesc desc;
        desc.id = id;
        fields.Add(desc);
    }
    fields.SetText("name", "read");
    fields.SetNumber("level", 3);
    return fields;
}

TEST(FieldEdits, OnlyAPersonsChangeAwayFromTheReadValueIsAnEdit)
{
    CFieldSet fields = TwoFields();
    EXPECT_FALSE(fields.HasEdits());
    fields.Edit(0, {"typed", 0});
    EXPECT_TRUE(fields.IsEdited(0));
    EXPECT_FALSE(fields.IsEdited(1));
    // Typed back to what was read: nothing to write.
    fields.Edit(0, {"read", 0});
    EXPECT_FALSE(fields.HasEdits());

    // A value the page sets (a dump line, a Clear) ends the edit.
    fields.Edit(1, {"", 7});
    fields.SetNumber("level", 5);
    EXPECT_FALSE(fields.IsEdited(1));
    fields.Edit(0, {"again", 0});
    fields.Reset();
    EXPECT_FALSE(fields.HasEdits());
}

TEST(FieldEdits, AWriteSettlesWhatItSentButNotAChangeMadeWhileItRan)
{
    CFieldSet fields = TwoFields();
    fields.Edit(0, {"first", 0});
    fields.Edit(1, {"", 9});
    const std::vector<SFieldValue> sent = fields.Values();
    fields.Edit(0, {"second", 0});
    fields.AcceptEdits(sent);
    EXPECT_TRUE(fields.IsEdited(0));
    EXPECT_FALSE(fields.IsEdited(1));
}

} // namespace
} // namespace orlan
