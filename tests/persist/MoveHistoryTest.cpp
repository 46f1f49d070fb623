#include "persist/MoveHistory.h"
#include "PersistTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Runs a script on `h`: "a021" appends axis 0, layer 2, positive; "b" steps back, "f" steps
// forward, "r" begins a replay, "n" takes the next replay record, "w" the newest, "c" clears.
// Returns the records handed out, "-" for none, joined by commas.
std::string RunScript(MoveHistory& h, const std::string& script) {
    std::istringstream ops(script);
    std::string op;
    std::string out;
    while (ops >> op) {
        if (op[0] == 'a') {
            h.Append(op[1] - '0', op[2] - '0', op[3] == '1');
        } else if (op == "c") {
            h.Clear();
        } else if (op == "r") {
            h.BeginReplay();
        } else {
            const MoveRecord* r = op == "b"   ? h.StepBack()
                                  : op == "f" ? h.StepForward()
                                  : op == "n" ? h.NextReplay()
                                              : h.Newest();
            out += (out.empty() ? "" : ",") + Text(r);
        }
    }
    return out;
}

} // namespace

TEST(MoveHistory, NavigatesAndReplaysAsScripted) {
    const struct {
        const char* what;
        const char* script;
        const char* out;
        const char* left; // Walk() afterwards
    } cases[] = {
        {"empty hands out nothing", "b f w r n", "-,-,-,-", ""},
        {"append drops the undone", "a001 a110 a221 b b a201 f b", "2 2 1,1 1 0,-,2 0 1",
         "0 0 1,2 0 1"},
        {"back to oldest, forward to anchor", "a001 a110 a221 f b b b b f f f f b",
         "-,2 2 1,1 1 0,0 0 1,-,0 0 1,1 1 0,2 2 1,-,2 2 1", "0 0 1,1 1 0,2 2 1"},
        {"undone moves stay newest", "a001 a110 b w", "1 1 0,1 1 0", "0 0 1,1 1 0"},
        {"replay ignores navigation", "a001 a110 a221 b r n b n n n",
         "2 2 1,0 0 1,1 1 0,1 1 0,2 2 1,-", "0 0 1,1 1 0,2 2 1"},
        {"finished replay stays at the anchor", "a001 r n n a110 n", "0 0 1,-,-", "0 0 1,1 1 0"},
        {"replay on a discarded entry ends", "a001 a110 a221 r n b b a201 n", "0 0 1,2 2 1,1 1 0,-",
         "0 0 1,2 0 1"},
        {"clear resets navigation and replay", "a001 a110 b r n c f b n w a221 n b",
         "1 1 0,0 0 1,-,-,-,-,-,2 2 1", "2 2 1"},
    };
    for (const auto& c : cases) {
        MoveHistory h;
        EXPECT_EQ(RunScript(h, c.script), c.out) << c.what;
        EXPECT_EQ(Walk(h), c.left) << c.what;
    }
}

TEST(MoveHistory, RecordsStayPutWhileTheListGrowsAndClearKeepsTheSize) {
    MoveHistory h;
    EXPECT_EQ(h.Size(), 0);
    h.SetSize(4);
    h.Append(0, 1, true);
    const MoveRecord* first = h.Newest();
    for (int i = 0; i < 100; ++i)
        h.Append(1, i, false);
    EXPECT_EQ(h.Count(), 101);
    h.BeginReplay();
    EXPECT_EQ(h.NextReplay(), first);
    h.Clear();
    EXPECT_EQ(h.Count(), 0);
    EXPECT_EQ(h.Size(), 4);
}
