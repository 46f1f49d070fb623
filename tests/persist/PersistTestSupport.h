#pragma once

#include "persist/FaceColours.h"
#include "persist/MoveHistory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

inline void WriteBytes(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& name) {
    std::ostringstream text;
    text << std::ifstream(name, std::ios::binary).rdbuf();
    return text.str();
}

// Entries of the working directory named `prefix`...: a stored file and any temporary beside it.
inline int FilesNamed(const std::string& prefix) {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        n += entry.path().filename().string().rfind(prefix, 0) == 0;
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

// Each test starts and ends without history.ini, color.ini or temporary files beside them.
class StoredFileTest : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        for (const auto& entry : std::filesystem::directory_iterator(".")) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(historyFileName, 0) == 0 || name.rfind(colourFileName, 0) == 0)
                std::filesystem::remove_all(entry.path());
        }
    }
};
