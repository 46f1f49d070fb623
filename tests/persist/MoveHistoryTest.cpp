#include "PersistTestSupport.h"
#include "persist/CubeSizeRule.h"

#include <csignal>
#include <sstream>
#include <sys/resource.h>

using namespace std::string_literals;

namespace {

// Runs a script on a new history: "a021" appends axis 0, layer 2, positive; "b" steps back, "f"
// steps forward, "r" begins a replay, "n" takes the next replay record, "w" the newest, "c"
// clears. Gives each record handed out (or "-") and a comma, then " | " and the Walk().
std::string RunScript(const std::string& script) {
    MoveHistory h;
    std::istringstream ops(script);
    std::string op, out;
    while (ops >> op) {
        if (op[0] == 'a')
            h.Append(op[1] - '0', op[2] - '0', op[3] == '1');
        else if (op == "r")
            h.BeginReplay();
        else if (op == "c")
            h.Clear();
        else
            out += Text(op == "b"   ? h.StepBack()
                        : op == "f" ? h.StepForward()
                        : op == "n" ? h.NextReplay()
                                    : h.Newest()) +
                   ',';
    }
    return out + " | " + Walk(h);
}

TEST(MoveHistory, NavigatesAndReplaysAsScripted) {
    const char* const cases[][2] = {
        {"b f w r n", "-,-,-,-, | "},
        // Appending drops the undone moves.
        {"a001 a110 a221 b b a201 f b", "2 2 1,1 1 0,-,2 0 1, | 0 0 1,2 0 1"},
        // Back down to the oldest, forward up to the anchor; undone moves are still the newest.
        {"a001 a110 a221 f b b b b w f f f f b",
         "-,2 2 1,1 1 0,0 0 1,-,2 2 1,0 0 1,1 1 0,2 2 1,-,2 2 1, | 0 0 1,1 1 0,2 2 1"},
        // The replay walks on its own, stays at the end, and ends on a discarded entry.
        {"a001 a110 a221 b r n b n n n", "2 2 1,0 0 1,1 1 0,1 1 0,2 2 1,-, | 0 0 1,1 1 0,2 2 1"},
        {"a001 r n n a110 n", "0 0 1,-,-, | 0 0 1,1 1 0"},
        {"a001 a110 a221 r n b b a201 n", "0 0 1,2 2 1,1 1 0,-, | 0 0 1,2 0 1"},
        // Clearing resets navigation and replay.
        {"a001 a110 b r n c f b n w a221 n b", "1 1 0,0 0 1,-,-,-,-,-,2 2 1, | 2 2 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunScript(c[0]), c[1]) << c[0];
}

class HistoryFile : public StoredFileTest {};

// Each file as Load reads it, and the cube size start-up settles on while holding 7: the loaded
// size within 1..10, else 3 with no moves, or 7 when the file did not load.
TEST_F(HistoryFile, LoadsEachFileAndSettlesTheCubeSize) {
    const struct {
        const char* what;
        std::string bytes;
        bool loaded;
        int size;
        const char* moves;
        int cube;
    } cases[] = {
        {"two moves", "3\r\n0 2 1\r\n1 0 0\r\n", true, 3, "0 2 1,1 0 0", 3},
        {"no file", "", false, 0, "", 7},
        {"a folder", "", false, 0, "", 7},
        {"empty file", "", true, 0, "", 3},
        {"size only", "5\r\n", true, 5, "", 5},
        {"size only, no line end", "5", true, 5, "", 5},
        {"size 1", "1\r\n0 0 1\r\n", true, 1, "0 0 1", 1},
        {"size 10", "10\r\n", true, 10, "", 10},
        {"size 0", "0\r\n0 0 1\r\n", true, 0, "0 0 1", 3},
        {"size 11", "11\r\n0 0 1\r\n", true, 11, "0 0 1", 3},
        {"size -4", "-4\r\n", true, -4, "", 3},
        {"last move without line end", "3\r\n0 2 1\r\n1 0 0", true, 3, "0 2 1,1 0 0", 3},
        {"last move of two fields", "3\r\n0 2 1\r\n1 0", true, 3, "0 2 1", 3},
        {"last move of one field", "3\r\n0 2 1\r\n1\r\n", true, 3, "0 2 1", 3},
        {"any white space", "3 0\t2\n1\r\r\n\v 1 0 0\f", true, 3, "0 2 1,1 0 0", 3},
        {"axis 3 after valid lines", "9\r\n0 2 1\r\n3 0 1\r\n1 0 0\r\n", false, 9, "", 7},
        {"axis 3 in an incomplete last move", "3\r\n0 2 1\r\n3 0", true, 3, "0 2 1", 3},
        {"axis -1, layer 99", "3\r\n-1 0 1\r\n0 99 0\r\n2 2 1\r\n", true, 3, "-1 0 1,0 99 0,2 2 1",
         3},
        {"word for an axis", "3\r\n0 2 1\r\nx 1 0\r\n1 1 1\r\n", true, 3, "0 2 1", 3},
        {"junk behind a digit", "3\r\n0 2 1\r\n1 1x 0\r\n1 1 1\r\n", true, 3, "0 2 1", 3},
        {"NUL inside a move", "3\r\n0 2 1\r\n1\0 1 0\r\n"s, true, 3, "0 2 1", 3},
        {"direction 2", "3\r\n0 2 1\r\n1 1 2\r\n1 1 1\r\n", true, 3, "0 2 1", 3},
        {"32-bit extremes", "3\r\n0 2147483647 1\r\n-2147483648 +0 0\r\n", true, 3,
         "0 2147483647 1,-2147483648 0 0", 3},
        {"layer overflow", "3\r\n0 1 1\r\n0 2147483648 1\r\n1 1 1\r\n", true, 3, "0 1 1", 3},
        {"size overflow", "4294967299\r\n0 0 1\r\n", true, 0, "", 3},
        {"word for a size", "abc\r\n0 0 1\r\n", true, 0, "", 3},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(historyFileName);
        if (c.what == "a folder"s)
            std::filesystem::create_directory(historyFileName);
        else if (c.what != "no file"s)
            WriteBytes(historyFileName, c.bytes);
        MoveHistory h;
        EXPECT_EQ(h.Load(), c.loaded) << c.what;
        EXPECT_EQ(h.Size(), c.size) << c.what;
        EXPECT_EQ(Walk(h), c.moves) << c.what;
        EXPECT_EQ(SettleCubeSize(h, c.loaded, 7), c.cube) << c.what;
        EXPECT_EQ(h.Size(), c.cube) << c.what;
        EXPECT_EQ(Walk(h), c.cube == c.size ? c.moves : "") << c.what;
    }
}

TEST_F(HistoryFile, SavesAppliedMovesOnlyAndReadsThemBackBehindPresentOnes) {
    WriteBytes(historyFileName, "old");
    MoveHistory h;
    h.SetSize(4);
    for (const MoveRecord& m : {MoveRecord{0, 2, true}, {-1, 99}, {2, 3, true}, {1, 0, true}, {}})
        h.Append(m.axis, m.layer, m.positive);
    h.StepBack();
    h.StepBack();
    ASSERT_TRUE(h.Save());
    EXPECT_EQ(ReadBytes(historyFileName), "4\r\n0 2 1\r\n-1 99 0\r\n2 3 1\r\n");
    EXPECT_EQ(FilesNamed(historyFileName), 1);
    EXPECT_EQ(Walk(h), "0 2 1,-1 99 0,2 3 1"); // the undone moves are gone
    MoveHistory back;
    back.Append(1, 1, true);
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(back.Size(), 4);
    EXPECT_EQ(Walk(back), "1 1 1,0 2 1,-1 99 0,2 3 1");
}

// A write that fails part-way (a file size limit binds root too): the old file stays whole, no
// temporary file is left, and the undone move stays in memory.
TEST_F(HistoryFile, FailedSaveKeepsTheOldFileAndEveryMoveInMemory) {
    WriteBytes(historyFileName, "3\r\n0 0 1\r\n");
    MoveHistory h;
    for (int i = 0; i < 50; ++i)
        h.Append(i % 3, 1, true);
    h.StepBack();
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{16, old.rlim_max};
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = h.Save();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(historyFileName), "3\r\n0 0 1\r\n");
    EXPECT_EQ(FilesNamed(historyFileName), 1);
    EXPECT_EQ(h.Count(), 50);
    EXPECT_NE(h.StepForward(), nullptr);
}

} // namespace
