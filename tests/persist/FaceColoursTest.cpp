#include "PersistTestSupport.h"

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
// all six defaults.
TEST_F(FaceColours, LoadsTheFirstSixColoursElseAllDefaults) {
    const struct {
        const char* what;
        std::string bytes;
        bool good;
    } cases[] = {
        {"as written", editedBytes, true},
        {"indices 5..0", "5 255\r\n4 65280\r\n3 16711680\r\n2 1\r\n1 16777215\r\n0 8421504\r\n",
         true},
        {"seventh line", editedBytes + "6 255\r\nnoise\r\n", true},
        {"last pair without line end", Edited("8421504\r\n", "8421504"), true},
        {"any white space", "0 255 1\t65280\n2 16711680\r\r3 1 4 16777215 5 8421504", true},
        {"empty", "", false},
        {"five pairs", Edited("5 8421504\r\n", ""), false},
        {"sixth colour missing", Edited("8421504\r\n", ""), false},
        {"a colour 0", Edited("16711680", "0"), false},
        {"a negative colour", Edited("16711680", "-5"), false},
        {"past white", Edited("16711680", "16777216"), false},
        {"past 32 bits", Edited("16711680", "4294967295"), false},
        {"two equal", Edited("4 16777215", "4 65280"), false},
        {"word for a colour", Edited("16711680", "red"), false},
        {"word for an index", Edited("2 16711680", "x 16711680"), false},
        {"no file", "", false},
        {"a folder", "", false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(colourFileName);
        if (c.what == std::string("a folder"))
            std::filesystem::create_directory(colourFileName);
        else if (c.what != std::string("no file"))
            WriteBytes(colourFileName, c.bytes);
        faceColours = c.good ? defaultFaceColours : edited;
        LoadFaceColours();
        EXPECT_EQ(faceColours, c.good ? edited : defaultFaceColours) << c.what;
    }
    faceColours = edited;
    SaveFaceColours(); // nor can a folder be written
    EXPECT_TRUE(std::filesystem::is_directory(colourFileName));
}

// Edited colours go out as six decimal lines; the defaults create no file but replace one.
TEST_F(FaceColours, SavesSixLinesButTheDefaultsOnlyOverAnOlderFile) {
    faceColours = defaultFaceColours;
    SaveFaceColours();
    EXPECT_EQ(FilesNamed(colourFileName), 0);
    faceColours = edited;
    SaveFaceColours();
    EXPECT_EQ(ReadBytes(colourFileName), editedBytes);
    faceColours = defaultFaceColours;
    SaveFaceColours();
    EXPECT_EQ(ReadBytes(colourFileName),
              "0 33023\r\n1 176\r\n2 13750737\r\n3 8405007\r\n4 40756\r\n5 60138\r\n");
    EXPECT_EQ(FilesNamed(colourFileName), 1);
}

} // namespace
