#pragma once
// A page no terminal has, declaring two new settings in one row each: tests
// find everything a setting needs derived from that declaration alone.
#include <string>

#include "pages/FieldHelpers.h"
#include "pages/Page.h"

namespace orlan::test {

class CPageThrowaway final : public CPage {
public:
    CPageThrowaway()
        : CPage({.className = "CPageThrowaway", .section = "PageThrowaway", .profileTitle = "Throwaway"})
    {
        AddSetting({.field = Whole(Text("level", "LEVEL"), 0, 99), .keys = {"$THROWLEVEL"}, .command = "%%THROWLEVEL%s\r"});
        AddSetting({.field = Flag("armed", "ARMED"), .keys = SwitchKeys("$THROWARM"), .command = "%%THROWARM%d\r"});
    }
    std::string DumpRequest() const override { return "%DUMPTHROW\r"; }
};

} // namespace orlan::test
