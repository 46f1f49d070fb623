#include "persist/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int FilesIn(const fs::path& dir) {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++n;
    return n;
}

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("mozai-atomic-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    fs::path dir;
};

} // namespace

TEST_F(AtomicFileTest, CreatesAndReplacesWithExactBytesLeavingNoTemporaryFile) {
    const fs::path file = dir / "history.ini";
    ASSERT_TRUE(WriteFileAtomically(file.string(), "3\r\n0 2 1\r\n"));
    EXPECT_EQ(ReadAll(file), "3\r\n0 2 1\r\n");
    ASSERT_TRUE(WriteFileAtomically(file.string(), "2\r\n"));
    EXPECT_EQ(ReadAll(file), "2\r\n");
    EXPECT_EQ(FilesIn(dir), 1);
}

TEST_F(AtomicFileTest, FailureLeavesTheOldFileWhole) {
    const fs::path file = dir / "color.ini";
    ASSERT_TRUE(WriteFileAtomically(file.string(), "old"));
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only folder";
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteFileAtomically(file.string(), "new"));
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_EQ(ReadAll(file), "old");
    EXPECT_EQ(FilesIn(dir), 1);
}

TEST_F(AtomicFileTest, MissingFolderFails) {
    EXPECT_FALSE(WriteFileAtomically((dir / "no" / "such" / "file").string(), "x"));
}
