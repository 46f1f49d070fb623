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

// White is valid: the colour editor lets the user choose it. Black (0) never is.
constexpr std::int32_t lowestFileColour = 1;
constexpr std::int32_t highestFileColour = 0xFFFFFF;

std::optional<FaceColourTable> ReadColourFile() {
    const std::optional<std::string> text = ReadWholeFile(colourFileName);
    if (!text)
        return std::nullopt;
    IntegerReader reader(*text);
    using Token = IntegerReader::Token;
    FaceColourTable table;
    table.fill(NoColour);
    for (COLORREF& slot : table) {
        std::int32_t index = 0;
        std::int32_t colour = 0;
        if (reader.Next(index) != Token::Number || reader.Next(colour) != Token::Number)
            return std::nullopt;
        if (colour < lowestFileColour || colour > highestFileColour)
            return std::nullopt;
        const COLORREF value = static_cast<COLORREF>(colour);
        if (std::find(table.begin(), table.end(), value) != table.end())
            return std::nullopt;
        slot = value;
    }
    return table;
}

} // namespace

void LoadFaceColours() {
    faceColours = ReadColourFile().value_or(defaultFaceColours);
}

void SaveFaceColours() {
    std::error_code ignored;
    if (faceColours == defaultFaceColours && !std::filesystem::exists(colourFileName, ignored))
        return;
    std::string text;
    for (int slot = 0; slot < faceSlotCount; ++slot) {
        text += std::to_string(slot) + ' ' +
                std::to_string(static_cast<std::int32_t>(faceColours[slot])) + textLineEnd;
    }
    WriteFileAtomically(colourFileName, text);
}
