#pragma once

#include "persist/FaceColours.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

class MoveHistory;

// Writes history.ini and color.ini soon after the user changed them (a twist completed, a step
// back or forward, a colour edit, the history emptied), so that a crash or a kill loses nothing.
// Changes are gathered for one period and written together, in the form an exit writes, but
// nothing in memory changes: moves stepped back stay redoable.
class AutoSave : public QObject {
    Q_OBJECT
public:
    static constexpr int periodMilliseconds = 1000;

    // `history` gives the history of the moment (the window builds a new one on every restart),
    // or null. The files as they are now count as written.
    explicit AutoSave(std::function<MoveHistory*()> history);

    // Writes what changed since the last look.
    void WriteChanges();
    // While the window rests nothing can change, so nothing needs looking at: Pause writes what
    // changed and stops looking until Resume.
    void Pause();
    void Resume();
    bool Paused() const { return !timer.isActive(); }

private:
    std::function<MoveHistory*()> history;
    QTimer timer;
    const MoveHistory* seenHistory = nullptr;
    std::uint64_t seenRevision = 0;
    FaceColourTable seenColours;
};
