// MoveHistory's history.ini: the size line, then "axis layer 0|1" for each applied move.
#include "persist/MoveHistory.h"

#include "persist/AtomicFile.h"
#include "persist/CubeSizeRule.h"
#include "persist/IntegerReader.h"
#include "persist/TextFile.h"

#include <optional>

namespace {

constexpr std::int32_t axisCount = 3;

} // namespace

std::string MoveHistory::FileText() const {
    std::string text = std::to_string(size) + textLineEnd;
    for (std::size_t i = 0; i < AppliedCount(); ++i) {
        const MoveRecord& m = entries[i];
        text += std::to_string(m.axis) + ' ' + std::to_string(m.layer) + ' ' +
                (m.positive ? '1' : '0') + textLineEnd;
    }
    return text;
}

SaveResult MoveHistory::Write() const {
    const SaveResult result =
        heldReason != 0 ? SaveResult{} : WriteFileAtomically(historyFileName, FileText());
    if (result)
        writtenRevision = revision;
    return result;
}

SaveResult MoveHistory::Save() {
    const SaveResult result = Write();
    if (result)
        DiscardUndone();
    return result;
}

bool MoveHistory::Load() {
    if (heldReason != 0)
        return false;
    RemoveLeftoverTemporaries(historyFileName);
    const std::optional<FileStart> file = ReadRegularFile(historyFileName, maxHistoryFileBytes);
    if (!file)
        return false;
    IntegerReader reader(file->bytes);
    using Token = IntegerReader::Token;
    // An empty file is a size of 0 with nothing to lose; one that does not start with a number
    // is a size of 0 too.
    size = 0;
    const Token first = reader.Next(size);
    bool whole = first == Token::End;
    if (first == Token::Number && size >= minCubeSize && size <= maxCubeSize) {
        for (std::int32_t moves = 0;; ++moves) {
            std::int32_t axis = 0;
            std::int32_t layer = 0;
            std::int32_t positive = 0;
            const Token next = reader.Next(axis);
            if (next == Token::End) {
                whole = true;
                break;
            }
            if (moves == maxLoadedMoves || next != Token::Number || axis < 0 || axis >= axisCount ||
                reader.Next(layer) != Token::Number || layer < 0 || layer >= size ||
                reader.Next(positive) != Token::Number || (positive != 0 && positive != 1))
                break;
            if (!Append(axis, layer, positive == 1))
                break;
        }
    }
    if (!whole || !file->whole)
        heldReason = KeepDamagedCopy(historyFileName).error;
    writtenRevision = revision;
    return true;
}
