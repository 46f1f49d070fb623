#include "app/HistoryKeys.h"

#include "persist/MoveHistory.h"
#include "puzzle/CMozai.h"

namespace {

bool ReadyToStep(const CMozai& puzzle) {
    return puzzle.CurrentTwist() == nullptr && !puzzle.Hold();
}

} // namespace

void HistoryKeys::Step(CMozai& puzzle, bool back) {
    if (back)
        puzzle.StepBack();
    else
        puzzle.StepForward();
}

void HistoryKeys::Press(CMozai* puzzle, const MoveHistory* history, bool back, bool autoRepeat) {
    if (puzzle == nullptr)
        return;
    if (history == nullptr ||
        (pending.empty() && (autoRepeat || ReadyToStep(*puzzle) || puzzle->Demo()))) {
        Step(*puzzle, back);
        return;
    }
    if (autoRepeat)
        return;
    // The history's position has already moved for the step under way; each kept press moves
    // it once more.
    int applied = history->AppliedMoves();
    for (bool b : pending)
        applied += b ? -1 : 1;
    if (back ? applied > 0 : applied < history->Count())
        pending.push_back(back);
}

void HistoryKeys::Tick(CMozai* puzzle) {
    if (pending.empty() || puzzle == nullptr || !ReadyToStep(*puzzle))
        return;
    const bool back = pending.front();
    pending.pop_front();
    Step(*puzzle, back);
}
