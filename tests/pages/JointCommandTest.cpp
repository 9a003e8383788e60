// A command carrying several fields is built and read back by one
// declaration: what it writes reads back to the same values, and a command
// it cannot take changes nothing.
#include <gtest/gtest.h>

#include "pages/FieldHelpers.h"
#include "pages/JointCommand.h"

namespace orlan {
namespace {

CFieldSet Camera()
{
    CFieldSet f;
    f.Add(Choice("size", "SIZE", FixedItems({"a", "b", "c"})), kNoSelection);
    f.Add(Text("brightness", "BRIGHT"));
    f.Add(Flag("on", "ON"));
    f.Add(Text("server", "SERVER"));
    return f;
}

const SJointCommand kCamera{"%%DSCFMT%d,%s,%d\r", {"size", "brightness", "on"}};
const SJointCommand kServer{"%%FTPSVR0=%s,%s\r", {"server", "brightness"}};

TEST(JointCommand, WhatItWritesReadsBackAndWhatItCannotTakeChangesNothing)
{
    CFieldSet f = Camera();
    EXPECT_FALSE(FormatJoint(kCamera, f)) << "a list with nothing selected gives no command";
    f.SetChoice("size", 2);
    f.SetText("brightness", "4");
    f.SetNumber("on", 1);
    f.SetText("server", "ftp.example.com");
    EXPECT_EQ(FormatJoint(kCamera, f), "%DSCFMT2,4,1\r");
    EXPECT_EQ(FormatJoint(kServer, f), "%FTPSVR0=ftp.example.com,4\r");

    CFieldSet loaded = Camera();
    EXPECT_FALSE(TakeJoint(kServer, "%DSCFMT2,4,1", loaded));
    EXPECT_TRUE(TakeJoint(kCamera, "%DSCFMT2,4,1", loaded));
    EXPECT_TRUE(TakeJoint(kServer, "%FTPSVR0=ftp.example.com,4", loaded));
    for (std::string_view id : {"size", "brightness", "on", "server"}) {
        EXPECT_EQ(loaded.Text(id), f.Text(id)) << id;
        EXPECT_EQ(loaded.Number(id), f.Number(id)) << id;
        EXPECT_TRUE(loaded.IsKnown(id)) << id;
    }

    for (std::string_view wrong : {"%DSCFMTx,4,1", "%DSCFMT2,4", "%DSCMODE2", "%FTPSVR1=a,1"}) {
        CFieldSet untouched = Camera();
        EXPECT_FALSE(TakeJoint(kServer, wrong, untouched) || TakeJoint(kCamera, wrong, untouched)) << wrong;
        EXPECT_EQ(untouched.Number("size"), -1) << wrong;
        EXPECT_EQ(untouched.Text("brightness"), "") << wrong;
    }
}

} // namespace
} // namespace orlan
