#include "PuzzleTestSupport.h"

#include "persist/ColourEditMessages.h"
#include "puzzle/ColourEditor.h"

namespace {

using Outcome = ColourEditor::Outcome;

// Clicks on the start-up view, answered from a script.
class ColourEditing : public WiredPuzzle, public FakeColourUi {
protected:
    ColourEditor editor{table};

    Outcome Edit(ScreenPoint pt, std::vector<COLORREF> more = {}) {
        answers.insert(answers.end(), more.begin(), more.end());
        return editor.EditFaceColour(
            *camera, [this] { return puzzle.get(); }, pt, *this);
    }
    long Stickers(COLORREF colour) const { return StickersOf(*puzzle, colour); }
};

TEST_F(ColourEditing, TheChosenColourGoesToTheSideAndItsSlotUnlessRefused) {
    FaceColourTable before = table;
    const ScreenPoint front = FrontPixel(1, 1);
    EXPECT_EQ(Edit(front, {before[4], 0, NoColour}), Outcome::SameColour);
    EXPECT_EQ(Edit(front), Outcome::Black);
    EXPECT_EQ(Edit(front), Outcome::Cancelled);
    EXPECT_EQ(errors, (std::vector<std::string>{sameColourMessage, blackColourMessage}));
    EXPECT_EQ(table, before);
    EXPECT_EQ(Edit(front, {0x123456, 0x123456, backgroundColour}), Outcome::Changed);
    EXPECT_EQ(initials[3], before[5]); // the +Z side's colour
    EXPECT_TRUE(puzzle->Colour(5) == 0x123456 && Stickers(0x123456) == 9);
    // The side's own colour passes; the background colour becomes its neighbour, checked too.
    EXPECT_EQ(Edit(front), Outcome::Changed);
    EXPECT_EQ(Edit(front), Outcome::Changed);
    before[5] = 0xDDDDDB;
    EXPECT_TRUE(table == before && Stickers(0xDDDDDB) == 9 && Stickers(0x123456) == 0);
    const ScreenPoint right = camera->Project(puzzle->Cubie(2, 1, 1)->Face(1)->Centre());
    EXPECT_EQ(Edit(right, {backgroundColour}), Outcome::SameColour);
    // The custom colours: the side colours of the first edit and ten zeros, then as left.
    ColourEditUi::CustomColours custom = {};
    std::copy(defaultFaceColours.begin(), defaultFaceColours.end(), custom.begin());
    EXPECT_EQ(offered[0], custom);
    custom[15] = 0xABCDEF;
    EXPECT_EQ(offered.back(), custom);
}

// A click on the background shows nothing; a bare inner face, exposed by a twist, has a colour
// that is no side's. The custom colours are filled on the first call all the same.
TEST_F(ColourEditing, BackgroundClicksAreSilentAndBareFacesInvalid) {
    EXPECT_EQ(Edit({0, 0}), Outcome::Missed);
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(std::equal(table.begin(), table.end(), editor.CustomColours().begin()));
    puzzle->TurnLayer(1, 2, Rad45); // bares a corner of the middle layer's top
    puzzle->SortFaces(camera->GetPosition());
    const ScreenPoint bare = camera->Project({40, 15, 40});
    const auto [origin, direction] = RayAt(*camera, bare);
    COLORREF colour = 0;
    ASSERT_TRUE(puzzle->StickerColourAt(origin, direction, colour) && colour == NoSticker);
    EXPECT_EQ(Edit(bare), Outcome::InvalidColours);
    EXPECT_EQ(errors, std::vector<std::string>{invalidColoursMessage});
    EXPECT_TRUE(initials.empty());
}

} // namespace
