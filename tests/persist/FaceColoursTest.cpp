#include "persist/FaceColours.h"
#include "PersistTestSupport.h"
#include "persist/ColourEditMessages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

const FaceColourTable edited = {255, 65280, 16711680, 1, 16777215, 8421504};
const char* const editedBytes =
    "0 255\r\n1 65280\r\n2 16711680\r\n3 1\r\n4 16777215\r\n5 8421504\r\n";

class FaceColours : public StoredFileTest {
protected:
    void SetUp() override {
        StoredFileTest::SetUp();
        faceColours = defaultFaceColours;
    }
};

} // namespace

TEST_F(FaceColours, TakesTheColoursOfTheFirstSixPairsInLineOrder) {
    const struct {
        const char* what;
        const char* bytes;
    } cases[] = {
        {"as written", editedBytes},
        {"indices 5..0", "5 255\r\n4 65280\r\n3 16711680\r\n2 1\r\n1 16777215\r\n0 8421504\r\n"},
        {"seventh line", "0 255\r\n1 65280\r\n2 16711680\r\n3 1\r\n4 16777215\r\n5 8421504\r\n"
                         "6 255\r\nnoise\r\n"},
        {"last pair without line end",
         "0 255\r\n1 65280\r\n2 16711680\r\n3 1\r\n4 16777215\r\n5 8421504"},
        {"any white space", "0 255 1\t65280\n2 16711680\r\r3 1 4 16777215 5 8421504"},
    };
    for (const auto& c : cases) {
        WriteBytes(colourFileName, c.bytes);
        faceColours = defaultFaceColours;
        LoadFaceColours();
        EXPECT_EQ(faceColours, edited) << c.what;
    }
}

TEST_F(FaceColours, AnyDamageGivesAllSixDefaults) {
    const struct {
        const char* what;
        const char* bytes;
    } cases[] = {
        {"empty", ""},
        {"five pairs", "0 255\r\n1 65280\r\n2 16711680\r\n3 1\r\n4 16777215\r\n"},
        {"sixth colour missing", "0 255\r\n1 65280\r\n2 16711680\r\n3 1\r\n4 16777215\r\n5"},
        {"a colour 0", "0 255\r\n1 65280\r\n2 0\r\n3 1\r\n4 16777215\r\n5 8421504\r\n"},
        {"a negative colour", "0 255\r\n1 65280\r\n2 -5\r\n3 1\r\n4 16777215\r\n5 8421504\r\n"},
        {"past white", "0 255\r\n1 65280\r\n2 16777216\r\n3 1\r\n4 16777215\r\n5 8421504\r\n"},
        {"past 32 bits", "0 255\r\n1 65280\r\n2 4294967295\r\n3 1\r\n4 2\r\n5 8421504\r\n"},
        {"two equal", "0 255\r\n1 65280\r\n2 16711680\r\n3 1\r\n4 65280\r\n5 8421504\r\n"},
        {"word for a colour", "0 255\r\n1 65280\r\n2 red\r\n3 1\r\n4 16777215\r\n5 8421504\r\n"},
        {"word for an index", "0 255\r\n1 65280\r\nx 16711680\r\n3 1\r\n4 2\r\n5 8421504\r\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(colourFileName, c.bytes);
        faceColours = edited;
        LoadFaceColours();
        EXPECT_EQ(faceColours, defaultFaceColours) << c.what;
    }
    std::filesystem::remove(colourFileName);
    faceColours = edited;
    LoadFaceColours();
    EXPECT_EQ(faceColours, defaultFaceColours) << "missing file";
}

TEST_F(FaceColours, EditedColoursRoundTripAsSixDecimalLinesButDefaultsCreateNoFile) {
    SaveFaceColours();
    EXPECT_EQ(FilesNamed(colourFileName), 0);
    faceColours = edited;
    SaveFaceColours();
    EXPECT_EQ(ReadBytes(colourFileName), editedBytes);
    faceColours = defaultFaceColours;
    LoadFaceColours();
    EXPECT_EQ(faceColours, edited);
}

TEST_F(FaceColours, DefaultsOverwriteAnOlderFile) {
    WriteBytes(colourFileName, editedBytes);
    SaveFaceColours();
    EXPECT_EQ(ReadBytes(colourFileName),
              "0 33023\r\n1 176\r\n2 13750737\r\n3 8405007\r\n4 40756\r\n5 60138\r\n");
    EXPECT_EQ(FilesNamed(colourFileName), 1);
}

TEST_F(FaceColours, AFolderInThePlaceOfTheFileIsLeftAlone) {
    std::filesystem::create_directory(colourFileName);
    faceColours = edited;
    LoadFaceColours();
    EXPECT_EQ(faceColours, defaultFaceColours);
    faceColours = edited;
    SaveFaceColours();
    EXPECT_TRUE(std::filesystem::is_directory(colourFileName));
    EXPECT_EQ(FilesNamed(colourFileName), 1);
}

TEST(ColourEditMessages, CarryTheJapaneseAsUtf8AfterALineBreakAndASpace) {
    EXPECT_NE(std::strstr(blackColourMessage, ".\n '\xE9\xBB\x92"), nullptr);              // 黒
    EXPECT_NE(std::strstr(sameColourMessage, ".\n '\xE8\xA4\x87"), nullptr);               // 複
    EXPECT_NE(std::strstr(invalidColoursMessage, "\"color.ini\" '\xE8\x89\xB2"), nullptr); // 色
}
