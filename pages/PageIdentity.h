#pragma once
// Who each page of the system is, in one place: its class name (the
// system's own name for it), the short alias people and scripts type, its
// rank in the whole read's clearing order and in the profile's section
// order. The session's orders and the command line's aliases derive from it.
#include <span>
#include <string_view>

namespace orlan {

struct SPageIdentity {
    std::string_view className;
    std::string_view alias;
    int clearRank = 0;    // 1, 2, ...: cleared by the whole read in this order; 0: not cleared
    int profileRank = 0;  // 1, 2, ...: its profile section in this order; 0: no section
    // Its section in a complete profile, behind the classic sections and in
    // the order of this table, for a page with settings outside them; empty: none.
    std::string_view completeTitle = {};
};

// Every page of the tool, built or still to come, in the order of their subjects.
std::span<const SPageIdentity> PageIdentities();
// Null for a class that is no page of the system.
const SPageIdentity* FindPageIdentity(std::string_view className);

} // namespace orlan
