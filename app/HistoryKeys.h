#pragma once

#include <deque>

class CMozai;
class MoveHistory;

// Home and End pressed while a step through the recorded moves still animates: kept in order and
// carried out one by one as each step ends, so quick presses are not lost. No more are kept than
// there are moves left to step through that way; a twist, a shuffle or a new cube drops them.
class HistoryKeys {
public:
    // A press of Home (back) or End. An auto-repeated one is never kept: a held key steps as
    // fast as the animation lets it and stops when let go.
    void Press(CMozai* puzzle, const MoveHistory* history, bool back, bool autoRepeat);
    // After each tick of the puzzle: the next kept press once the step before it has ended.
    void Tick(CMozai* puzzle);
    void Clear() { pending.clear(); }
    bool Empty() const { return pending.empty(); }
    int Count() const { return static_cast<int>(pending.size()); }

private:
    static void Step(CMozai& puzzle, bool back);

    // True for a step back.
    std::deque<bool> pending;
};
