#include "PersistTestSupport.h"

#include <tuple>

namespace {

const FaceColourTable edited = {255, 65280, 16711680, 1, 16777215, 8421504};
const std::string editedBytes =
    "0 255\r\n1 65280\r\n2 16711680\r\n3 1\r\n4 16777215\r\n5 8421504\r\n";

// editedBytes with its first `from` replaced by `to`.
std::string Edited(const std::string& from, const std::string& to) {
    std::string bytes = editedBytes;
    return bytes.replace(bytes.find(from), from.size(), to);
}

class FaceColours : public StoredFileTest {};

// The colours of the first six pairs in line order, whatever the indices say; any damage gives
// all six defaults. A file of which anything is left out is kept as color.ini.bad. White space
// and what is no regular file are read and written as history.ini's, by the same code.
TEST_F(FaceColours, LoadsTheFirstSixColoursElseAllDefaults) {
    const std::tuple<const char*, std::string, bool, bool> cases[] = {
        {"as written", editedBytes, true, false},
        {"indices 5..0", "5 255\r\n4 65280\r\n3 16711680\r\n2 1\r\n1 16777215\r\n0 8421504\r\n",
         true, false},
        {"seventh line", editedBytes + "6 255\r\nnoise\r\n", true, true},
        {"past 64 KB", editedBytes + std::string(maxColourFileBytes, ' ') + "0", true, true},
        {"64 KB", editedBytes + std::string(maxColourFileBytes - editedBytes.size(), ' '), true,
         false},
        {"pairs behind 64 KB", std::string(maxColourFileBytes, ' ') + editedBytes, false, true},
        {"empty", "", false, false},
        {"five pairs", Edited("5 8421504\r\n", ""), false, true},
        {"a colour 0", Edited("16711680", "0"), false, true},
        {"past white", Edited("16711680", "16777216"), false, true},
        {"the background colour", Edited("16711680", "14540252"), false, true},
        {"two equal", Edited("4 16777215", "4 65280"), false, true},
        {"word for a colour", Edited("16711680", "red"), false, true},
        {"word for an index", Edited("2 16711680", "x 16711680"), false, true},
        {"no file", "", false, false},
    };
    const std::string defaultBytes =
        "0 33023\r\n1 176\r\n2 13750737\r\n3 8405007\r\n4 40756\r\n5 60138\r\n";
    for (const auto& [what, bytes, good, kept] : cases) {
        SCOPED_TRACE(what);
        SetUp();
        MakeFile(colourFileName, what, bytes);
        const auto type = std::filesystem::symlink_status(colourFileName).type();
        faceColours = good ? defaultFaceColours : edited;
        LoadFaceColours();
        EXPECT_EQ(faceColours, good ? edited : defaultFaceColours);
        // Saved back as six decimal lines; the defaults only over an older file, whose colours
        // must not come back. What is no regular file is not written; the copy outlives the save.
        SaveFaceColours();
        if (type == std::filesystem::file_type::regular)
            EXPECT_EQ(ReadBytes(colourFileName), good ? editedBytes : defaultBytes);
        else
            EXPECT_EQ(std::filesystem::symlink_status(colourFileName).type(), type);
        EXPECT_EQ(FilesNamed("color.ini.bad"), kept ? 1 : 0);
        EXPECT_EQ(ReadBytes("color.ini.bad"), kept ? bytes : "");
    }
}

} // namespace
