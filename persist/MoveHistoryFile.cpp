// MoveHistory's history.ini: the size line, then "axis layer 0|1" for each applied move.
#include "persist/MoveHistory.h"

#include "persist/AtomicFile.h"
#include "persist/IntegerReader.h"
#include "persist/TextFile.h"

#include <optional>

namespace {

// Axes 0..2 are real; a file naming a higher one is taken as not ours at all.
constexpr std::int32_t firstInvalidAxis = 3;

} // namespace

std::string MoveHistory::FileText() const {
    std::string text = std::to_string(size) + textLineEnd;
    for (auto p = entries.begin(); p != navigation; ++p) {
        text += std::to_string(p->axis) + ' ' + std::to_string(p->layer) + ' ' +
                (p->positive ? '1' : '0') + textLineEnd;
    }
    return text;
}

bool MoveHistory::Save() {
    if (!WriteFileAtomically(historyFileName, FileText()))
        return false;
    DiscardUndone();
    return true;
}

bool MoveHistory::Load() {
    const std::optional<std::string> text = ReadWholeFile(historyFileName);
    if (!text)
        return false;
    IntegerReader reader(*text);
    using Token = IntegerReader::Token;
    // An empty file, or one that does not start with a number, is a size of 0 with no moves.
    size = 0;
    if (reader.Next(size) != Token::Number)
        return true;
    for (;;) {
        std::int32_t axis = 0;
        std::int32_t layer = 0;
        std::int32_t positive = 0;
        if (reader.Next(axis) != Token::Number || reader.Next(layer) != Token::Number ||
            reader.Next(positive) != Token::Number || (positive != 0 && positive != 1))
            return true;
        if (axis >= firstInvalidAxis) {
            Clear();
            return false;
        }
        if (!Append(axis, layer, positive == 1))
            return true;
    }
}
