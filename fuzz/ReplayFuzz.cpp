// history.ini replayed on the puzzle at start-up: whatever the file holds, stepping back over
// every loaded move brings the cube back to solved, and stepping forward again to the replayed
// state.
#include "FuzzFolder.h"
#include "persist/CubeSizeRule.h"
#include "persist/MoveHistory.h"
#include "puzzle/CCube.h"
#include "puzzle/CMozai.h"

#include <vector>

namespace {

// Which cubie sits in each cell.
std::vector<int> Cells(const CMozai& p) {
    std::vector<int> ids;
    const int n = p.Size();
    for (int c = 0; c < n * n * n; ++c)
        ids.push_back(p.Cubie(c / (n * n), c / n % n, c % n)->Id());
    return ids;
}

// Runs each step to its end, as the ticks of the window do.
void Step(CMozai& p, bool back) {
    back ? p.StepBack() : p.StepForward();
    for (int ticks = 0; p.CurrentTwist() != nullptr; ++ticks) {
        Require(ticks < 100, "a step ends");
        p.Tick();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WriteBytes(historyFileName, data, size);
    MoveHistory h;
    const int n = SettleCubeSize(h, h.Load(), defaultCubeSize);
    CMozai puzzle(n, 0, 0, 0, -1, 0, 1, 0, 0, 1, nullptr);
    puzzle.SetHistory(&h);
    puzzle.Replay();
    const std::vector<int> replayed = Cells(puzzle);
    for (int i = 0; i < h.Count(); ++i)
        Step(puzzle, true);
    Require(puzzle.IsSolved(), "every move undone gives the solved cube");
    for (int i = 0; i < h.Count(); ++i)
        Step(puzzle, false);
    Require(Cells(puzzle) == replayed, "every move redone gives the replayed cube");
    return 0;
}
