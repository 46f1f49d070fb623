#pragma once

#include "persist/FaceColours.h"

#include <QObject>
#include <QTimer>

#include <functional>

class MoveHistory;

// Writes history.ini and color.ini soon after the user changed them (a twist completed, a step
// back or forward, a colour edit, the history emptied), so that a crash or a kill loses nothing.
// Changes are gathered for one period and written together, in the form an exit writes, but
// nothing in memory changes: moves stepped back stay redoable. A save that fails is said once on
// stderr and tried again every period until it succeeds.
class AutoSave : public QObject {
    Q_OBJECT
public:
    static constexpr int periodMilliseconds = 1000;

    // `history` gives the history of the moment (the window builds a new one on every restart),
    // or null. The colours as they are now count as written. A file left as it is because its
    // damage could not be copied aside is said here, once.
    explicit AutoSave(std::function<MoveHistory*()> history);

    // Writes what changed since the last look.
    void WriteChanges();
    // While the window rests nothing can change, so nothing needs looking at: Pause writes what
    // changed and stops looking until Resume, once nothing is left to write (a failed save goes
    // on being tried meanwhile).
    void Pause();
    void Resume();
    bool Paused() const { return !timer.isActive(); }

    // Says on stderr that `file` could not be saved, and why, when `result` is a failure.
    // Returns `result`.
    static SaveResult Said(const char* file, SaveResult result);

private:
    // Said, but only for the first of a run of failures of the same file.
    SaveResult SaidOnce(const char* file, SaveResult result, bool& failing);
    bool Pending() const;

    std::function<MoveHistory*()> history;
    QTimer timer;
    FaceColourTable seenColours;
    bool historyFailing = false;
    bool coloursFailing = false;
    bool resting = false;
};
