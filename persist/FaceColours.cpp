#include "persist/FaceColours.h"

#include "persist/AtomicFile.h"
#include "persist/IntegerReader.h"
#include "persist/TextFile.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

FaceColourTable faceColours = defaultFaceColours;

namespace {

int colourFileHeldReason = 0;

// White is valid: the colour editor lets the user choose it. Black (0) never is, nor the
// background, which would make a side see-through and its colour edit recolour inner faces.
constexpr std::int32_t lowestFileColour = 1;
constexpr std::int32_t highestFileColour = 0xFFFFFF;

// The six colours the reader comes to first, or nothing when it does not hold six valid ones.
std::optional<FaceColourTable> ParseColours(IntegerReader& reader) {
    using Token = IntegerReader::Token;
    FaceColourTable table;
    table.fill(NoColour);
    for (COLORREF& slot : table) {
        std::int32_t index = 0;
        std::int32_t colour = 0;
        if (reader.Next(index) != Token::Number || reader.Next(colour) != Token::Number)
            return std::nullopt;
        const COLORREF value = static_cast<COLORREF>(colour);
        if (colour < lowestFileColour || colour > highestFileColour || value == backgroundColour ||
            std::find(table.begin(), table.end(), value) != table.end())
            return std::nullopt;
        slot = value;
    }
    return table;
}

} // namespace

int ColourFileHeldReason() {
    return colourFileHeldReason;
}

void LoadFaceColours() {
    faceColours = defaultFaceColours;
    colourFileHeldReason = 0;
    RemoveLeftoverTemporaries(colourFileName);
    const std::optional<FileStart> file = ReadRegularFile(colourFileName, maxColourFileBytes);
    if (!file)
        return;
    IntegerReader reader(file->bytes);
    const std::optional<FaceColourTable> table = ParseColours(reader);
    // The next save writes six lines only: whatever else the file holds would be lost.
    std::int32_t more = 0;
    const bool blank =
        file->whole && IntegerReader(file->bytes).Next(more) == IntegerReader::Token::End;
    if (!blank && (!table || !file->whole || reader.Next(more) != IntegerReader::Token::End))
        colourFileHeldReason = KeepDamagedCopy(colourFileName).error;
    if (table)
        faceColours = *table;
}

SaveResult SaveFaceColours() {
    std::error_code ignored;
    if (colourFileHeldReason != 0 ||
        (faceColours == defaultFaceColours && !std::filesystem::exists(colourFileName, ignored)))
        return {};
    std::string text;
    for (int slot = 0; slot < faceSlotCount; ++slot) {
        text += std::to_string(slot) + ' ' +
                std::to_string(static_cast<std::int32_t>(faceColours[slot])) + textLineEnd;
    }
    return WriteFileAtomically(colourFileName, text);
}
