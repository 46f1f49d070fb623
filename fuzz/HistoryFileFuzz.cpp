// history.ini as anything may leave it: loading keeps only moves that fit the cube, steps back and
// forward stay within the list, and what is written reads back to the same bytes without being
// taken for damaged. The first input byte scripts the steps, the rest is the file.
#include "FuzzFolder.h"
#include "persist/CubeSizeRule.h"
#include "persist/MoveHistory.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const unsigned steps = data[0];
    std::remove("history.ini.bad");
    WriteBytes(historyFileName, data + 1, size - 1);
    MoveHistory h;
    Require(h.Load(), "a regular file loads");
    const bool sized = h.Size() >= minCubeSize && h.Size() <= maxCubeSize;
    Require(sized || h.Count() == 0, "no moves without a valid size");
    Require(h.Count() <= maxLoadedMoves, "the move limit holds");
    h.BeginReplay();
    while (const MoveRecord* r = h.NextReplay())
        Require(r->axis >= 0 && r->axis < 3 && r->layer >= 0 && r->layer < h.Size(),
                "every record fits the cube");

    // Bit i of the script: step back (1) or forward (0); a step returns a record unless it
    // runs into an end of the list.
    int undone = 0;
    for (int i = 0; i < 8; ++i) {
        const bool back = (steps >> i) & 1;
        const MoveRecord* r = back ? h.StepBack() : h.StepForward();
        Require((r != nullptr) == (back ? undone < h.Count() : undone > 0), "steps stay inside");
        undone += r == nullptr ? 0 : back ? 1 : -1;
    }

    const int count = h.Count();
    Require(h.Write(), "the history is written");
    Require(h.Count() == count, "writing keeps the undone moves");
    const std::string first = ReadBytes(historyFileName);
    std::remove("history.ini.bad");
    MoveHistory back;
    Require(back.Load(), "what was written loads");
    Require(back.Count() == count - undone, "the applied moves come back");
    Require(!sized || !std::filesystem::exists("history.ini.bad"), "it is not taken for damaged");
    Require(back.Save() && ReadBytes(historyFileName) == first, "saved again, the same bytes");
    return 0;
}
