#pragma once

#include "persist/FaceColours.h"
#include "persist/MoveHistory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

inline void WriteBytes(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& name) {
    std::ostringstream text;
    text << std::ifstream(name, std::ios::binary).rdbuf();
    return text.str();
}

// Entries of the working directory named `prefix`... or .`prefix`...: a file and its temporaries.
inline int FilesNamed(const std::string& prefix) {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        n += entry.path().filename().string().find(prefix) <= 1; // hidden ones too
    return n;
}

// A record as its line in history.ini reads ("0 2 1"), or "-" for none.
inline std::string Text(const MoveRecord* r) {
    return r == nullptr ? "-"
                        : std::to_string(r->axis) + ' ' + std::to_string(r->layer) +
                              (r->positive ? " 1" : " 0");
}

// Every record oldest to newest, undone ones included, joined by commas.
inline std::string Walk(MoveHistory& h) {
    std::string all;
    h.BeginReplay();
    while (const MoveRecord* r = h.NextReplay())
        all += (all.empty() ? "" : ",") + Text(r);
    return all;
}

// Each test starts and ends without history.ini, color.ini, files beside them or "elsewhere".
class StoredFileTest : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        for (const auto& entry : std::filesystem::directory_iterator(".")) {
            const std::string name = entry.path().filename().string();
            if (name.find(historyFileName) <= 1 || name.find(colourFileName) <= 1 ||
                name == "elsewhere")
                std::filesystem::remove_all(entry.path());
        }
    }
};

// Puts at `name` what a case names: nothing ("no file"), "a folder", "a FIFO", "a link to
// /dev/zero", "a link to a FIFO" (name.fifo), or else a regular file holding `bytes`, linked to
// from `name` when the case is "a link to the file".
inline void MakeFile(const char* name, const std::string& what, const std::string& bytes) {
    std::filesystem::remove(name);
    if (what == "a folder")
        std::filesystem::create_directory(name);
    else if (what == "a FIFO")
        ::mkfifo(name, 0644);
    else if (what == "a link to /dev/zero")
        std::filesystem::create_symlink("/dev/zero", name);
    else if (what == "a link to the file") {
        WriteBytes(std::string(name) + ".target", bytes);
        std::filesystem::create_symlink(std::string(name) + ".target", name);
    } else if (what == "a link to a FIFO") {
        ::mkfifo((std::string(name) + ".fifo").c_str(), 0644);
        std::filesystem::create_symlink(std::string(name) + ".fifo", name);
    } else if (what != "no file")
        WriteBytes(name, bytes);
}

// Permissions bind only an ordinary user. Run as root (as on the CI machine), the current test
// runs again in a child process as the user nobody, in a scratch folder of nobody's, and fails
// when the child does; false then tells the caller that its part is done.
inline bool RunsUnprivileged() {
    if (::geteuid() != 0)
        return true;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    char folder[] = "/tmp/mozai-nobody-XXXXXX";
    EXPECT_TRUE(::mkdtemp(folder) != nullptr && ::chown(folder, 65534, 65534) == 0);
    const std::string command = std::string("cd ") + folder +
                                " && setpriv --reuid=65534 --regid=65534 --clear-groups " +
                                std::filesystem::read_symlink("/proc/self/exe").string() +
                                " --gtest_filter=" + test->test_suite_name() + "." + test->name();
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::filesystem::remove_all(folder);
    return false;
}
