#include "PersistTestSupport.h"
#include "persist/CubeSizeRule.h"
#include "persist/MoveHistory.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/resource.h>

using namespace std::string_literals;

namespace {

class HistoryFile : public StoredFileTest {};

} // namespace

TEST_F(HistoryFile, LoadsEachFileAsDescribed) {
    const struct {
        const char* what;
        std::string bytes;
        bool loaded;
        int size;
        const char* moves;
    } cases[] = {
        {"two moves", "3\r\n0 2 1\r\n1 0 0\r\n", true, 3, "0 2 1,1 0 0"},
        {"empty file", "", true, 0, ""},
        {"size only", "5\r\n", true, 5, ""},
        {"size only, no line end", "5", true, 5, ""},
        {"last move without line end", "3\r\n0 2 1\r\n1 0 0", true, 3, "0 2 1,1 0 0"},
        {"last move of two fields", "3\r\n0 2 1\r\n1 0", true, 3, "0 2 1"},
        {"last move of one field", "3\r\n0 2 1\r\n1\r\n", true, 3, "0 2 1"},
        {"any white space", "3 0\t2\n1\r\r\n\v 1 0 0\f", true, 3, "0 2 1,1 0 0"},
        {"axis 3 after valid lines", "3\r\n0 2 1\r\n3 0 1\r\n1 0 0\r\n", false, 3, ""},
        {"axis 3 in an incomplete last move", "3\r\n0 2 1\r\n3 0", true, 3, "0 2 1"},
        {"axis -1, layer 99", "3\r\n-1 0 1\r\n0 99 0\r\n2 2 1\r\n", true, 3, "-1 0 1,0 99 0,2 2 1"},
        {"word for an axis", "3\r\n0 2 1\r\nx 1 0\r\n1 1 1\r\n", true, 3, "0 2 1"},
        {"junk behind a digit", "3\r\n0 2 1\r\n1 1x 0\r\n1 1 1\r\n", true, 3, "0 2 1"},
        {"NUL inside a move", "3\r\n0 2 1\r\n1\0 1 0\r\n"s, true, 3, "0 2 1"},
        {"direction 2", "3\r\n0 2 1\r\n1 1 2\r\n1 1 1\r\n", true, 3, "0 2 1"},
        {"32-bit extremes", "3\r\n0 2147483647 1\r\n-2147483648 +0 0\r\n", true, 3,
         "0 2147483647 1,-2147483648 0 0"},
        {"layer overflow", "3\r\n0 1 1\r\n0 2147483648 1\r\n1 1 1\r\n", true, 3, "0 1 1"},
        {"size overflow", "4294967299\r\n0 0 1\r\n", true, 0, ""},
        {"word for a size", "abc\r\n0 0 1\r\n", true, 0, ""},
    };
    for (const auto& c : cases) {
        WriteBytes(historyFileName, c.bytes);
        MoveHistory h;
        EXPECT_EQ(h.Load(), c.loaded) << c.what;
        EXPECT_EQ(h.Size(), c.size) << c.what;
        EXPECT_EQ(Walk(h), c.moves) << c.what;
    }
}

TEST_F(HistoryFile, StartUpSizeIsTheLoadedOneWithinOneToTenElseTheHeldOne) {
    const struct {
        std::string bytes; // "missing" for no file
        int size;
        int count;
    } cases[] = {
        {"1\r\n0 0 1\r\n", 1, 1},  {"10\r\n", 10, 0}, {"0\r\n0 0 1\r\n", 3, 0},
        {"11\r\n0 0 1\r\n", 3, 0}, {"-4\r\n", 3, 0},  {"", 3, 0},
        {"9\r\n3 0 1\r\n", 7, 0},  {"missing", 7, 0},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(historyFileName);
        if (c.bytes != "missing")
            WriteBytes(historyFileName, c.bytes);
        MoveHistory h;
        const bool loaded = h.Load();
        EXPECT_EQ(SettleCubeSize(h, loaded, 7), c.size) << c.bytes;
        EXPECT_EQ(h.Size(), c.size) << c.bytes;
        EXPECT_EQ(h.Count(), c.count) << c.bytes;
    }
}

TEST_F(HistoryFile, SavesAppliedMovesOnlyAndReadsThemBackBehindPresentOnes) {
    MoveHistory h;
    h.SetSize(4);
    const MoveRecord moves[] = {{0, 2, true}, {-1, 99, false}, {2, 3, true}, {1, 0, true}, {0, 0}};
    for (const MoveRecord& m : moves)
        h.Append(m.axis, m.layer, m.positive);
    h.StepBack();
    h.StepBack();
    ASSERT_TRUE(h.Save());
    EXPECT_EQ(ReadBytes(historyFileName), "4\r\n0 2 1\r\n-1 99 0\r\n2 3 1\r\n");
    EXPECT_EQ(h.Count(), 3);
    EXPECT_EQ(h.StepForward(), nullptr) << "the undone moves are gone";
    EXPECT_EQ(FilesNamed(historyFileName), 1);
    MoveHistory back;
    back.Append(1, 1, true);
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(back.Size(), 4);
    EXPECT_EQ(Walk(back), "1 1 1,0 2 1,-1 99 0,2 3 1");
}

TEST_F(HistoryFile, FailedSaveKeepsTheOldFileAndEveryMoveInMemory) {
    WriteBytes(historyFileName, "3\r\n0 0 1\r\n");
    MoveHistory h;
    for (int i = 0; i < 50; ++i)
        h.Append(i % 3, 1, true);
    h.StepBack();
    // Root ignores permissions but not a file size limit: the write fails part-way.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 16;
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = h.Save();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldSignal);
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadBytes(historyFileName), "3\r\n0 0 1\r\n");
    EXPECT_EQ(FilesNamed(historyFileName), 1) << "no temporary file left behind";
    EXPECT_EQ(h.Count(), 50);
    EXPECT_NE(h.StepForward(), nullptr) << "the undone move is still there";

    std::filesystem::remove(historyFileName);
    std::filesystem::create_directory(historyFileName);
    h.StepBack();
    EXPECT_FALSE(h.Save());
    EXPECT_FALSE(h.Load()) << "a folder cannot be read";
    EXPECT_EQ(h.Count(), 50);
    EXPECT_NE(h.StepForward(), nullptr);
}

TEST_F(HistoryFile, AMegabyteOfNoiseLoadsSafely) {
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    std::mt19937 random(7);
    for (const std::string& alphabet : {everyByte, "012 \r\n-+x"s}) {
        std::string noise(1 << 20, '\0');
        for (char& c : noise)
            c = alphabet[random() % alphabet.size()];
        WriteBytes(historyFileName, noise);
        MoveHistory h;
        const bool loaded = h.Load();
        EXPECT_TRUE(loaded || h.Count() == 0);
        h.BeginReplay();
        while (const MoveRecord* r = h.NextReplay())
            ASSERT_LT(r->axis, 3);
    }
    std::string lines = "3\r\n";
    for (int i = 0; i < 100000; ++i)
        lines += "2 1 0\r\n";
    WriteBytes(historyFileName, lines + "\x01\xff garbage 0 1 1\r\n");
    MoveHistory h;
    EXPECT_TRUE(h.Load());
    EXPECT_EQ(h.Count(), 100000) << "every whole move before the noise is read";
}
