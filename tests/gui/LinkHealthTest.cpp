// What the port lamp says, from a table of what the channel did.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/LinkHealth.h"

namespace orlan::test {
namespace {

using EState = CLinkHealth::EState;

struct SStep {
    enum class EEvent { Open, Close, Lose, Line, Wait } event;
    std::int64_t atMs;
};

struct SCase {
    std::string name;
    std::vector<SStep> steps;
    EState state;
    int quietSeconds;
    bool actionsAllowed;
};

using E = SStep::EEvent;

TEST(LinkHealth, FollowsTheChannelAndTheTerminalsLines)
{
    const std::vector<SCase> cases = {
        {"nothing opened yet", {}, EState::Closed, 0, true},
        {"a line before the port opened is not the terminal's", {{E::Line, 0}, {E::Open, 10}}, EState::Waiting, 0, true},
        {"open, quiet under the limit", {{E::Open, 1000}, {E::Wait, 5999}}, EState::Waiting, 4, true},
        {"open, quiet to the limit", {{E::Open, 1000}, {E::Wait, 6000}}, EState::Silent, 5, true},
        {"quiet for long", {{E::Open, 0}, {E::Wait, 42500}}, EState::Silent, 42, true},
        {"a line makes it alive", {{E::Open, 0}, {E::Line, 200}}, EState::Alive, 0, true},
        {"alive stays alive when quiet later", {{E::Open, 0}, {E::Line, 200}, {E::Wait, 60000}}, EState::Alive, 0,
         true},
        {"a late first line ends the silence", {{E::Open, 0}, {E::Wait, 9000}, {E::Line, 9100}}, EState::Alive, 0,
         true},
        {"open told again keeps its start", {{E::Open, 0}, {E::Open, 4000}, {E::Wait, 5000}}, EState::Silent, 5,
         true},
        {"the user closed it", {{E::Open, 0}, {E::Line, 100}, {E::Close, 200}}, EState::Closed, 0, true},
        {"lost while alive", {{E::Open, 0}, {E::Line, 100}, {E::Lose, 200}}, EState::Lost, 0, false},
        {"lost while silent", {{E::Open, 0}, {E::Wait, 8000}, {E::Lose, 9000}}, EState::Lost, 0, false},
        {"a line while lost changes nothing", {{E::Open, 0}, {E::Lose, 100}, {E::Line, 150}}, EState::Lost, 0,
         false},
        {"back after a loss waits for the terminal anew",
         {{E::Open, 0}, {E::Line, 100}, {E::Lose, 200}, {E::Open, 3000}, {E::Wait, 4000}}, EState::Waiting, 1, true},
        {"back after a loss and silent", {{E::Open, 0}, {E::Lose, 200}, {E::Open, 3000}, {E::Wait, 8000}},
         EState::Silent, 5, true},
        {"another port after a loss is no longer lost", {{E::Open, 0}, {E::Lose, 100}, {E::Close, 200}},
         EState::Closed, 0, true},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CLinkHealth health;
        std::int64_t now = 0;
        for (const SStep& step : c.steps) {
            now = step.atMs;
            switch (step.event) {
            case E::Open:
                health.SetPort(true, false, now);
                break;
            case E::Close:
                health.SetPort(false, false, now);
                break;
            case E::Lose:
                health.SetPort(false, true, now);
                break;
            case E::Line:
                health.LineReceived(now);
                break;
            case E::Wait:
                break;
            }
        }
        EXPECT_EQ(health.State(now), c.state);
        EXPECT_EQ(health.QuietSeconds(now), c.quietSeconds);
        EXPECT_EQ(health.TerminalActionsAllowed(), c.actionsAllowed);
    }
}

TEST(LinkHealth, ATerminalThatFellSilentIsNoLongerWaitedFor)
{
    const struct {
        std::int64_t lineAt;  // < 0: none
        std::int64_t nowMs;
        bool spokeLately;
    } cases[] = {
        {-1, 100, false},
        {100, 200, true},
        {100, 100 + CLinkHealth::kSilentAfterMs - 1, true},
        {100, 100 + CLinkHealth::kSilentAfterMs, false},
        {100, 60000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.lineAt) + " -> " + std::to_string(c.nowMs));
        CLinkHealth health;
        health.SetPort(true, false, 0);
        if (c.lineAt >= 0)
            health.LineReceived(c.lineAt);
        EXPECT_EQ(health.SpokeLately(c.nowMs), c.spokeLately);
    }
    CLinkHealth lost;
    lost.SetPort(true, false, 0);
    lost.LineReceived(100);
    lost.SetPort(false, true, 200);
    EXPECT_FALSE(lost.SpokeLately(300)) << "a lost port is not waited for";
}

} // namespace
} // namespace orlan::test
