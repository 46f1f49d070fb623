#include "ViewTestSupport.h"

#include "persist/ColourEditMessages.h"
#include "puzzle/ColourEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Outcome = ColourEditor::Outcome;

// A colour chooser that answers from a script and a message box that remembers its texts.
class ScriptedUi : public ColourEditUi {
public:
    std::vector<COLORREF> answers; // NoColour cancels
    std::vector<COLORREF> initials;
    std::vector<CustomColours> offered;
    COLORREF scribble = 0; // what the user leaves in the last custom colour, if anything
    std::vector<std::string> errors;

    bool ChooseColour(COLORREF initial, CustomColours& custom, COLORREF& chosen) override {
        initials.push_back(initial);
        offered.push_back(custom);
        if (scribble != 0) {
            custom[15] = scribble;
        }
        const COLORREF answer = answers.at(initials.size() - 1);
        if (answer == NoColour) {
            return false;
        }
        chosen = answer;
        return true;
    }
    void ShowError(const char* text) override { errors.emplace_back(text); }
};

class ColourEditing : public testing::Test {
protected:
    FaceColourTable table = defaultFaceColours;
    std::unique_ptr<CMozai> puzzle = MakePuzzle(3, table.data());
    std::unique_ptr<Camera> camera = MakeStartUpCamera(3);
    ColourEditor editor{table};
    ScriptedUi ui;
    ScreenPoint front; // the middle sticker of the +Z side, colour slot 5

    void SetUp() override {
        puzzle->SortFaces(camera->GetPosition());
        front = PixelOf(*camera, *puzzle->Cubie(1, 1, 2)->Face(4));
    }
    Outcome Edit(ScreenPoint pt, std::vector<COLORREF> answers) {
        ui.answers.insert(ui.answers.end(), answers.begin(), answers.end());
        return editor.EditFaceColour(*camera, *puzzle, pt, ui);
    }
    int Stickers(COLORREF colour) const {
        int count = 0;
        for (const CubeFace* face : puzzle->Faces()) {
            count += face->colour == colour ? 1 : 0;
        }
        return count;
    }
};

TEST_F(ColourEditing, TheChosenColourGoesToTheSideAndItsSlot) {
    const COLORREF yellow = table[5];
    EXPECT_EQ(Edit(front, {0x123456}), Outcome::Changed);
    EXPECT_EQ(ui.initials, std::vector<COLORREF>{yellow});
    EXPECT_EQ(table[5], 0x123456u);
    EXPECT_EQ(puzzle->Colour(5), 0x123456u);
    EXPECT_EQ(Stickers(0x123456), 9);
    EXPECT_EQ(Stickers(yellow), 0);
    for (int s = 0; s < 5; ++s) {
        EXPECT_EQ(table[s], defaultFaceColours[s]);
        EXPECT_EQ(Stickers(table[s]), 9);
    }
    // The side's own colour passes; the background colour becomes its neighbour.
    EXPECT_EQ(Edit(front, {0x123456}), Outcome::Changed);
    EXPECT_EQ(Stickers(0x123456), 9);
    EXPECT_EQ(Edit(front, {backgroundColour}), Outcome::Changed);
    EXPECT_EQ(table[5], 0xDDDDDBu);
    EXPECT_EQ(Stickers(0xDDDDDB), 9);
    EXPECT_TRUE(ui.errors.empty());
}

TEST_F(ColourEditing, RefusalsAndCancelLeaveTableAndStickersAlone) {
    const FaceColourTable before = table;
    EXPECT_EQ(Edit(front, {table[4]}), Outcome::SameColour);
    EXPECT_EQ(Edit(front, {0}), Outcome::Black);
    EXPECT_EQ(Edit(front, {NoColour}), Outcome::Cancelled);
    EXPECT_EQ(ui.errors, (std::vector<std::string>{sameColourMessage, blackColourMessage}));
    EXPECT_EQ(table, before);
    for (int s = 0; s < 6; ++s) {
        EXPECT_EQ(Stickers(table[s]), 9);
        EXPECT_EQ(puzzle->Colour(s), table[s]);
    }
    // The background colour is replaced before it is compared with the other sides.
    table[2] = 0xDDDDDB;
    EXPECT_EQ(Edit(front, {backgroundColour}), Outcome::SameColour);
    EXPECT_EQ(table[5], before[5]);
}

TEST_F(ColourEditing, BackgroundClicksAreSilentAndBareFacesInvalid) {
    EXPECT_EQ(Edit({0, 0}, {}), Outcome::Missed);
    EXPECT_EQ(Edit({299, 10}, {}), Outcome::Missed);
    EXPECT_TRUE(ui.errors.empty());

    // Turning the top layer by 45 degrees bares a corner of the middle layer's top.
    puzzle->TurnLayer(1, 2, Rad45);
    puzzle->SortFaces(camera->GetPosition());
    const ScreenPoint bare = camera->Project({40, 15, 40});
    const Vertex3D origin = camera->Unproject(bare);
    COLORREF colour = 0;
    ASSERT_TRUE(puzzle->StickerColourAt(origin, Vector3D(camera->GetPosition(), origin), colour));
    ASSERT_EQ(colour, NoSticker);
    EXPECT_EQ(Edit(bare, {}), Outcome::InvalidColours);
    EXPECT_EQ(ui.errors, std::vector<std::string>{invalidColoursMessage});
    EXPECT_TRUE(ui.initials.empty());
}

// The custom colours are the side colours of the first edit, even one that missed, then ten
// zeros; later edits offer whatever the chooser left, not the colours of the moment.
TEST_F(ColourEditing, CustomColoursAreFilledOnceAndKept) {
    EXPECT_EQ(Edit({0, 0}, {}), Outcome::Missed);
    ColourEditUi::CustomColours first = {};
    std::copy(defaultFaceColours.begin(), defaultFaceColours.end(), first.begin());
    EXPECT_EQ(editor.CustomColours(), first);
    ui.scribble = 0xABCDEF;
    EXPECT_EQ(Edit(front, {0x123456}), Outcome::Changed);
    EXPECT_EQ(Edit(front, {NoColour}), Outcome::Cancelled);
    ASSERT_EQ(ui.offered.size(), 2u);
    EXPECT_EQ(ui.offered[0], first);
    first[15] = 0xABCDEF;
    EXPECT_EQ(ui.offered[1], first);
    EXPECT_EQ(editor.CustomColours(), first);
}

} // namespace
