#include "app/AutoSave.h"

#include "persist/MoveHistory.h"

AutoSave::AutoSave(std::function<MoveHistory*()> currentHistory)
    : history(std::move(currentHistory)), seenColours(faceColours) {
    if (const MoveHistory* h = history()) {
        seenHistory = h;
        seenRevision = h->Revision();
    }
    connect(&timer, &QTimer::timeout, this, &AutoSave::WriteChanges);
    timer.start(periodMilliseconds);
}

void AutoSave::WriteChanges() {
    if (const MoveHistory* h = history()) {
        // A history built anew was loaded from the file or saved just before: nothing to write.
        if (h == seenHistory && h->Revision() != seenRevision)
            h->Write();
        seenHistory = h;
        seenRevision = h->Revision();
    }
    if (faceColours != seenColours) {
        SaveFaceColours();
        seenColours = faceColours;
    }
}

void AutoSave::Pause() {
    WriteChanges();
    timer.stop();
}

void AutoSave::Resume() {
    if (!timer.isActive())
        timer.start(periodMilliseconds);
}
