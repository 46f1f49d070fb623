#include "PersistTestSupport.h"
#include "persist/CubeSizeRule.h"

#include <csignal>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

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

// Each file as Load reads it, whether it was kept as history.ini.bad, and the cube size
// start-up settles on while holding 7: the loaded size within 1..10, else 3 with no moves, or 7
// when there was no file to read.
TEST_F(HistoryFile, LoadsEachFileAndKeepsADamagedOne) {
    const struct {
        const char* what;
        std::string bytes;
        bool loaded;
        int size;
        const char* moves;
        int cube;
        bool kept;
    } cases[] = {
        {"two moves", "3\r\n0 2 1\r\n1 0 0\r\n", true, 3, "0 2 1,1 0 0", 3, false},
        {"no file", "", false, 0, "", 7, false},
        {"a folder", "", false, 0, "", 7, false},
        {"a FIFO", "", false, 0, "", 7, false},
        {"a link to /dev/zero", "", false, 0, "", 7, false},
        {"empty file", "", true, 0, "", 3, false},
        {"size only", "5\r\n", true, 5, "", 5, false},
        {"size only, no line end", "5", true, 5, "", 5, false},
        {"size 1", "1\r\n0 0 1\r\n", true, 1, "0 0 1", 1, false},
        {"size 10, last layer", "10\r\n2 9 0\r\n", true, 10, "2 9 0", 10, false},
        {"size 0", "0\r\n0 0 1\r\n", true, 0, "", 3, true},
        {"size 11", "11\r\n0 0 1\r\n", true, 11, "", 3, true},
        {"size -4", "-4\r\n", true, -4, "", 3, true},
        {"size overflow", "4294967299\r\n0 0 1\r\n", true, 0, "", 3, true},
        {"word for a size", "abc\r\n0 0 1\r\n", true, 0, "", 3, true},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "3\r\n0 0 1\r\n",
         true, 0, "", 3, true},
        {"last move without line end", "3\r\n0 2 1\r\n1 0 0", true, 3, "0 2 1,1 0 0", 3, false},
        {"any white space", "3 0\t2\n1\r\r\n\v 1 0 0\f", true, 3, "0 2 1,1 0 0", 3, false},
        {"last move of two fields", "3\r\n0 2 1\r\n1 0", true, 3, "0 2 1", 3, true},
        {"last move of one field", "3\r\n0 2 1\r\n1\r\n", true, 3, "0 2 1", 3, true},
        // A record that does not fit the cube ends the list: nothing behind it is replayed,
        // stepped through or saved.
        {"layer 99 in the middle", "3\r\n0 1 1\r\n0 99 1\r\n1 1 1\r\n", true, 3, "0 1 1", 3, true},
        {"layer 3 of 3", "3\r\n0 1 1\r\n0 3 1\r\n", true, 3, "0 1 1", 3, true},
        {"layer -1", "3\r\n0 1 1\r\n0 -1 1\r\n", true, 3, "0 1 1", 3, true},
        {"axis 3", "9\r\n0 2 1\r\n3 0 1\r\n1 0 0\r\n", true, 9, "0 2 1", 9, true},
        {"axis -1", "3\r\n0 2 1\r\n-1 0 1\r\n", true, 3, "0 2 1", 3, true},
        {"word for an axis", "3\r\n0 2 1\r\nx 1 0\r\n1 1 1\r\n", true, 3, "0 2 1", 3, true},
        {"junk behind a digit", "3\r\n0 2 1\r\n1 1x 0\r\n", true, 3, "0 2 1", 3, true},
        {"NUL inside a move", "3\r\n0 2 1\r\n1\0 1 0\r\n"s, true, 3, "0 2 1", 3, true},
        {"direction 2", "3\r\n0 2 1\r\n1 1 2\r\n1 1 1\r\n", true, 3, "0 2 1", 3, true},
        {"layer overflow", "3\r\n0 1 1\r\n0 2147483648 1\r\n", true, 3, "0 1 1", 3, true},
    };
    for (const auto& c : cases) {
        SetUp();
        if (c.what == "a folder"s)
            std::filesystem::create_directory(historyFileName);
        else if (c.what == "a FIFO"s)
            ASSERT_EQ(::mkfifo(historyFileName, 0644), 0);
        else if (c.what == "a link to /dev/zero"s)
            std::filesystem::create_symlink("/dev/zero", historyFileName);
        else if (c.what != "no file"s)
            WriteBytes(historyFileName, c.bytes);
        MoveHistory h;
        EXPECT_EQ(h.Load(), c.loaded) << c.what;
        EXPECT_EQ(h.Size(), c.size) << c.what;
        EXPECT_EQ(Walk(h), c.moves) << c.what;
        EXPECT_EQ(SettleCubeSize(h, c.loaded, 7), c.cube) << c.what;
        EXPECT_EQ(h.Size(), c.cube) << c.what;
        EXPECT_EQ(Walk(h), c.cube == c.size ? c.moves : "") << c.what;
        // What is no regular file is not written either; the copy outlives the next save.
        EXPECT_EQ(h.Write(), c.loaded || c.what == "no file"s) << c.what;
        EXPECT_EQ(FilesNamed("history.ini.bad"), c.kept ? 1 : 0) << c.what;
        EXPECT_EQ(ReadBytes("history.ini.bad"), c.kept ? c.bytes : "") << c.what;
    }
}

// Reading stops at a million moves and at 16 MB, keeping the whole file as history.ini.bad.
TEST_F(HistoryFile, ReadingStopsAtTheLimits) {
    std::string million = "3\r\n";
    for (int i = 0; i < maxLoadedMoves; ++i)
        million += "2 2 1\r\n";
    const struct {
        std::string bytes;
        int moves;
        bool kept;
    } cases[] = {{million, maxLoadedMoves, false},
                 {million + "0 0 0\r\n", maxLoadedMoves, true},
                 {"3" + std::string(maxHistoryFileBytes, ' ') + "0 0 1\r\n", 0, true}};
    for (const auto& c : cases) {
        SetUp();
        WriteBytes(historyFileName, c.bytes);
        MoveHistory h;
        EXPECT_TRUE(h.Load());
        EXPECT_EQ(h.Count(), c.moves);
        EXPECT_EQ(FilesNamed("history.ini.bad"), c.kept ? 1 : 0);
        EXPECT_EQ(std::filesystem::file_size(historyFileName), c.bytes.size());
    }
}

// Write puts out the applied moves and keeps the undone ones redoable, as an autosave must;
// Save drops them. What was written reads back whole, behind moves already present.
TEST_F(HistoryFile, WritesAppliedMovesOnlyAndReadsThemBackBehindPresentOnes) {
    WriteBytes(historyFileName, "old");
    MoveHistory h;
    h.SetSize(4);
    for (const MoveRecord& m : {MoveRecord{0, 2, true}, {1, 3}, {2, 3, true}, {1, 0, true}, {}})
        h.Append(m.axis, m.layer, m.positive);
    h.StepBack();
    h.StepBack();
    const std::string applied = "4\r\n0 2 1\r\n1 3 0\r\n2 3 1\r\n";
    ASSERT_TRUE(h.Write());
    EXPECT_EQ(ReadBytes(historyFileName), applied);
    EXPECT_EQ(Walk(h), "0 2 1,1 3 0,2 3 1,1 0 1,0 0 0");
    ASSERT_TRUE(h.Save());
    EXPECT_EQ(ReadBytes(historyFileName), applied);
    EXPECT_EQ(FilesNamed(historyFileName), 1);
    EXPECT_EQ(Walk(h), "0 2 1,1 3 0,2 3 1"); // the undone moves are gone
    MoveHistory back;
    back.Append(1, 1, true);
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(back.Size(), 4);
    EXPECT_EQ(Walk(back), "1 1 1,0 2 1,1 3 0,2 3 1");
    EXPECT_EQ(FilesNamed(historyFileName), 1) << "nothing to keep as .bad";
}

// Saving respects what the user protected; run as an ordinary user, since root may write
// anything. The code is the same for color.ini.
TEST_F(HistoryFile, SavingKeepsProtectedFilesTheirModesAndLinks) {
    if (!RunsUnprivileged())
        return;
    const std::string three = "3\r\n0 0 1\r\n1 1 1\r\n2 2 1\r\n", mine = "3\r\n0 1 0\r\n";
    MoveHistory h;
    h.SetSize(3);
    h.Append(0, 1, false);
    for (const mode_t mode : {0000, 0444, 0600, 0640}) {
        const bool writable = (mode & S_IWUSR) != 0;
        WriteBytes(historyFileName, three);
        ::chmod(historyFileName, mode);
        EXPECT_EQ(MoveHistory().Load(), mode != 0000) << mode;
        EXPECT_EQ(h.Write(), writable) << mode;
        EXPECT_EQ(ModeOf(historyFileName), mode);
        ::chmod(historyFileName, 0600);
        EXPECT_EQ(ReadBytes(historyFileName), writable ? mine : three) << mode;
        EXPECT_EQ(FilesNamed(historyFileName), 1) << mode;
    }
    faceColours = {1, 2, 3, 4, 5, 6};
    WriteBytes(colourFileName, three);
    ::chmod(colourFileName, 0444);
    SaveFaceColours();
    EXPECT_EQ(ReadBytes(colourFileName), three);

    // A chain of relative links stays as it is; the file at its end is replaced, keeping its
    // mode, with no temporary file left beside it.
    SetUp();
    std::filesystem::create_directory("elsewhere");
    WriteBytes("elsewhere/target", three);
    ::chmod("elsewhere/target", 0640);
    std::filesystem::create_symlink("target", "elsewhere/middle");
    std::filesystem::create_symlink("elsewhere/middle", historyFileName);
    ASSERT_TRUE(h.Write());
    EXPECT_EQ(std::filesystem::read_symlink(historyFileName), "elsewhere/middle");
    EXPECT_EQ(std::filesystem::read_symlink("elsewhere/middle"), "target");
    EXPECT_EQ(ReadBytes("elsewhere/target"), mine);
    EXPECT_EQ(ModeOf("elsewhere/target"), 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("elsewhere"), {}), 2);
    std::filesystem::remove_all("elsewhere");

    // In a folder the user may not write to, a writable file is rewritten in place.
    SetUp();
    WriteBytes(historyFileName, three);
    ::chmod(".", 0555);
    EXPECT_TRUE(h.Write());
    ::chmod(".", 0755);
    EXPECT_EQ(ReadBytes(historyFileName), mine);
    EXPECT_EQ(FilesNamed(historyFileName), 1);
}

// A kill between creating a temporary file and renaming it leaves the temporary behind; the
// next start removes it, and only it.
TEST_F(HistoryFile, LoadingRemovesTheLeftoversOfAnInterruptedSave) {
    for (const char* name : {"history.ini.a1B2c3", "color.ini.Zz9x0Q", "history.ini.bad",
                             "history.ini.12345", "history.ini.1234567", "history.ini-abcdef"})
        WriteBytes(name, "half");
    MoveHistory().Load();
    LoadFaceColours();
    EXPECT_EQ(FilesNamed("color.ini"), 0);
    EXPECT_EQ(FilesNamed("history.ini"), 4);
    EXPECT_EQ(FilesNamed("history.ini.a1B2c3"), 0);
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
