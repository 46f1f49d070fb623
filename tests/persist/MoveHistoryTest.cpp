#include "PersistTestSupport.h"
#include "persist/CubeSizeRule.h"

#include <cerrno>
#include <csignal>
#include <iterator>
#include <sstream>
#include <sys/resource.h>
#include <tuple>

using namespace std::string_literals;
namespace fs = std::filesystem;

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
    const std::tuple<const char*, std::string, bool, int, const char*, int, bool> cases[] = {
        {"two moves", "3\r\n0 2 1\r\n1 0 0\r\n", true, 3, "0 2 1,1 0 0", 3, false},
        {"no file", "", false, 0, "", 7, false},
        {"a folder", "", false, 0, "", 7, false},
        {"a FIFO", "", false, 0, "", 7, false},
        {"a link to /dev/zero", "", false, 0, "", 7, false},
        {"empty file", "", true, 0, "", 3, false},
        {"size only", "5\r\n", true, 5, "", 5, false},
        {"size 1", "1\r\n0 0 1\r\n", true, 1, "0 0 1", 1, false},
        {"size 10, last layer", "10\r\n2 9 0\r\n", true, 10, "2 9 0", 10, false},
        {"size 11", "11\r\n0 0 1\r\n", true, 11, "", 3, true},
        {"byte order mark", "\357\273\2773\r\n0 0 1\r\n", true, 0, "", 3, true},
        {"last move without line end", "3\r\n0 2 1\r\n1 0 0", true, 3, "0 2 1,1 0 0", 3, false},
        {"any white space", "3 0\t2\n1\r\r\n\v 1 0 0\f", true, 3, "0 2 1,1 0 0", 3, false},
        {"last move of two fields", "3\r\n0 2 1\r\n1 0", true, 3, "0 2 1", 3, true},
        // A record that does not fit the cube ends the list: nothing behind it is replayed,
        // stepped through or saved.
        {"layer 3 of 3", "3\r\n0 1 1\r\n0 3 1\r\n", true, 3, "0 1 1", 3, true},
        {"layer -1", "3\r\n0 1 1\r\n0 -1 1\r\n", true, 3, "0 1 1", 3, true},
        {"axis 3", "9\r\n0 2 1\r\n3 0 1\r\n1 0 0\r\n", true, 9, "0 2 1", 9, true},
        {"word for an axis", "3\r\n0 2 1\r\nx 1 0\r\n1 1 1\r\n", true, 3, "0 2 1", 3, true},
        {"NUL inside a move", "3\r\n0 2 1\r\n1\0 1 0\r\n"s, true, 3, "0 2 1", 3, true},
        {"direction 2", "3\r\n0 2 1\r\n1 1 2\r\n1 1 1\r\n", true, 3, "0 2 1", 3, true},
        // The copy holds the bytes, not a link the next save would write through.
        {"a link to the file", "3\r\n0 1 1\r\n0 3 1\r\n", true, 3, "0 1 1", 3, true},
    };
    for (const auto& [what, bytes, loaded, size, moves, cube, kept] : cases) {
        SCOPED_TRACE(what);
        SetUp();
        MakeFile(historyFileName, what, bytes);
        WriteBytes("history.ini.bad", "older"); // a newer damaged file replaces it
        MoveHistory h;
        const auto sizeAndMoves = [&h] { return std::to_string(h.Size()) + ": " + Walk(h); };
        EXPECT_EQ(h.Load(), loaded);
        EXPECT_EQ(sizeAndMoves(), std::to_string(size) + ": " + moves);
        EXPECT_EQ(SettleCubeSize(h, loaded, 7), cube);
        EXPECT_EQ(sizeAndMoves(), std::to_string(cube) + ": " + (cube == size ? moves : ""));
        // What is no regular file is not written either; the copy outlives the next save. A save
        // through the link goes to a FIFO here, so that a faulty one cannot replace /dev/zero.
        if (what == "a link to /dev/zero"s)
            MakeFile(historyFileName, "a link to a FIFO", "");
        EXPECT_EQ(h.Write(), loaded || what == "no file"s);
        EXPECT_EQ(ReadBytes("history.ini.bad"), kept ? bytes : "older");
    }
}

// Reading stops at a million moves and past 16 MB, keeping the whole file as history.ini.bad.
TEST_F(HistoryFile, ReadingStopsAtTheLimits) {
    std::string million = "3\r\n";
    for (int i = 0; i < maxLoadedMoves; ++i)
        million += "2 2 1\r\n";
    for (const auto& [bytes, moves, kept] :
         {std::tuple{million, maxLoadedMoves, 0},
          {million + "0 0 0\r\n", maxLoadedMoves, 1},
          {"3" + std::string(maxHistoryFileBytes, ' ') + "0 0 1\r\n", 0, 1},
          {"3" + std::string(maxHistoryFileBytes - 8, ' ') + "0 0 1\r\n", 1, 0}}) {
        SetUp();
        WriteBytes(historyFileName, bytes);
        MoveHistory h;
        EXPECT_TRUE(h.Load() && h.Count() == moves && FilesNamed("history.ini.bad") == kept);
    }
}

// Write puts out the applied moves and keeps the undone ones redoable, as an autosave must; Save
// drops them once written. A write failing part-way (a size limit binds root too) leaves the old
// file whole, no temporary, every move in memory. A file reads back behind moves already present.
TEST_F(HistoryFile, WritesAppliedMovesOnlyAndReadsThemBackBehindPresentOnes) {
    WriteBytes(historyFileName, "old");
    MoveHistory h;
    h.SetSize(4);
    for (const MoveRecord& m : {MoveRecord{0, 2, true}, {1, 3}, {2, 3, true}, {1, 0, true}, {}})
        h.Append(m.axis, m.layer, m.positive);
    h.StepBack();
    h.StepBack();
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{16, old.rlim_max};
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_FALSE(h.Save());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_TRUE(ReadBytes(historyFileName) == "old" && FilesNamed(historyFileName) == 1);
    const std::string all = "0 2 1,1 3 0,2 3 1,1 0 1,0 0 0";
    const std::string applied = "4\r\n0 2 1\r\n1 3 0\r\n2 3 1\r\n";
    ASSERT_TRUE(h.Write());
    EXPECT_TRUE(ReadBytes(historyFileName) == applied && Walk(h) == all);
    ASSERT_TRUE(h.Save());
    EXPECT_EQ(ReadBytes(historyFileName), applied);
    EXPECT_EQ(Walk(h), "0 2 1,1 3 0,2 3 1"); // the undone moves are gone
    MoveHistory back;
    back.Append(1, 1, true);
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(std::to_string(back.Size()) + ": " + Walk(back), "4: 1 1 1,0 2 1,1 3 0,2 3 1");
    EXPECT_EQ(FilesNamed(historyFileName), 1) << "no temporary file, nothing kept as .bad";
}

// Saving respects what the user protected; run as an ordinary user, since root may write
// anything. color.ini is written by the same code.
TEST_F(HistoryFile, SavingKeepsProtectedFilesTheirModesAndLinks) {
    if (!RunsUnprivileged())
        return;
    const std::string three = "3\r\n0 0 1\r\n1 1 1\r\n2 2 1\r\n", mine = "3\r\n0 1 0\r\n";
    MoveHistory h;
    h.SetSize(3);
    h.Append(0, 1, false);
    // The last file lies in a folder the user may not write to: it is rewritten in place.
    for (const auto& [mode, folder] :
         {std::pair{0000, 0755}, {0444, 0755}, {0600, 0755}, {0640, 0555}}) {
        SCOPED_TRACE(mode);
        const bool writable = (mode & S_IWUSR) != 0;
        WriteBytes(historyFileName, three);
        ::chmod(historyFileName, mode);
        ::chmod(".", folder);
        EXPECT_EQ(MoveHistory().Load(), mode != 0000);
        EXPECT_EQ(h.Write(), writable);
        ::chmod(".", 0755);
        EXPECT_EQ(fs::status(historyFileName).permissions(), fs::perms(mode));
        ::chmod(historyFileName, 0600);
        EXPECT_TRUE(ReadBytes(historyFileName) == (writable ? mine : three) &&
                    FilesNamed(historyFileName) == 1);
    }

    // A chain of relative links stays as it is; the file at its end is replaced, keeping its
    // mode, with no temporary file left beside it.
    SetUp();
    fs::create_directory("elsewhere");
    WriteBytes("elsewhere/target", three);
    ::chmod("elsewhere/target", 0640);
    fs::create_symlink("target", "elsewhere/middle");
    fs::create_symlink("elsewhere/middle", historyFileName);
    ASSERT_TRUE(h.Write());
    EXPECT_EQ(fs::read_symlink(historyFileName), "elsewhere/middle");
    EXPECT_EQ(fs::read_symlink("elsewhere/middle"), "target");
    EXPECT_EQ(ReadBytes("elsewhere/target"), mine);
    EXPECT_EQ(fs::status("elsewhere/target").permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator("elsewhere"), {}), 2);

    // A damaged file whose .bad copy cannot be made (the folder is closed, or a folder has the
    // copy's name) is left as it is: nothing is saved over it, nor by a later history.
    for (const bool closed : {true, false}) {
        SetUp();
        WriteBytes(historyFileName, three + "x");
        WriteBytes(colourFileName, "0 255");
        closed ||
            (fs::create_directory("history.ini.bad") && fs::create_directory("color.ini.bad"));
        ::chmod(".", closed ? 0555 : 0755);
        MoveHistory held, next;
        EXPECT_TRUE(held.Load() && held.Count() == 3 &&
                    held.HeldReason() == (closed ? EACCES : EISDIR));
        next.Hold(held.HeldReason());
        LoadFaceColours(); // the defaults, which a save would write
        EXPECT_TRUE(held.Save() && !next.Load() && next.Save() && ColourFileHeldReason() != 0 &&
                    SaveFaceColours());
        ::chmod(".", 0755);
        EXPECT_TRUE(ReadBytes(historyFileName) == three + "x" &&
                    ReadBytes(colourFileName) == "0 255" &&
                    FilesNamed(historyFileName) + FilesNamed(colourFileName) == (closed ? 2 : 4));
    }
}

// A kill between creating a temporary file and renaming it leaves the temporary behind; the
// next start removes it, beside the file and beside a link's target, and nothing else.
TEST_F(HistoryFile, LoadingRemovesOnlyTheLeftoversOfAnInterruptedSave) {
    fs::create_directory("elsewhere");
    fs::create_symlink("elsewhere/target", historyFileName);
    // The first three are leftovers, the others the user's.
    std::istringstream list(".history.ini.mozai-a1B2c3 .color.ini.mozai-Zz9x0Q "
                            "elsewhere/.target.mozai-Ab12Cd elsewhere/target history.ini.backup "
                            "history.ini.2024v1 color.ini.saved1 .history.ini.mozai-12345 "
                            ".history.ini.mozai-a1B2c3d elsewhere/target.Ab12Cd "
                            "elsewhere/.history.ini.mozai-Ab12Cd");
    const std::vector<std::string> files{std::istream_iterator<std::string>(list), {}};
    for (const std::string& name : files)
        WriteBytes(name, "3\r\n");
    MoveHistory().Load();
    LoadFaceColours();
    for (const std::string& name : files)
        EXPECT_EQ(fs::exists(name), &name - files.data() >= 3) << name;
}

} // namespace
