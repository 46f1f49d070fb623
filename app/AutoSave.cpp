#include "app/AutoSave.h"

#include "persist/MoveHistory.h"

#include <cstdio>
#include <cstring>

namespace {

void SayHeld(const char* file, int reason) {
    if (reason != 0)
        std::fprintf(stderr,
                     "mozai: %s is damaged and no copy %s.bad can be made (%s): it is left as it "
                     "is, and nothing is saved over it until Mozai exits\n",
                     file, file, std::strerror(reason));
}

} // namespace

AutoSave::AutoSave(std::function<MoveHistory*()> currentHistory)
    : history(std::move(currentHistory)), seenColours(faceColours) {
    if (const MoveHistory* h = history())
        SayHeld(historyFileName, h->HeldReason());
    SayHeld(colourFileName, ColourFileHeldReason());
    connect(&timer, &QTimer::timeout, this, &AutoSave::WriteChanges);
    timer.start(periodMilliseconds);
}

SaveResult AutoSave::Said(const char* file, SaveResult result) {
    if (!result)
        std::fprintf(stderr, "mozai: cannot save %s: %s\n", file, std::strerror(result.error));
    return result;
}

SaveResult AutoSave::SaidOnce(const char* file, SaveResult result, bool& failing) {
    if (!result && !failing)
        Said(file, result);
    failing = !result;
    return result;
}

void AutoSave::WriteChanges() {
    if (const MoveHistory* h = history(); h && h->Unsaved())
        SaidOnce(historyFileName, h->Write(), historyFailing);
    if (faceColours != seenColours && SaidOnce(colourFileName, SaveFaceColours(), coloursFailing))
        seenColours = faceColours;
    if (resting && !Pending())
        timer.stop();
}

bool AutoSave::Pending() const {
    const MoveHistory* h = history();
    return (h && h->Unsaved()) || faceColours != seenColours;
}

void AutoSave::Pause() {
    resting = true;
    WriteChanges();
}

void AutoSave::Resume() {
    resting = false;
    if (!timer.isActive())
        timer.start(periodMilliseconds);
}
