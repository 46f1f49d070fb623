#pragma once

#include "persist/MoveRecord.h"

#include <cstdint>
#include <list>
#include <string>

// Opened by bare name, so the file lies in the working directory.
inline constexpr char historyFileName[] = "history.ini";

// The twists made since the cube was last solved, oldest first, with a navigation position for
// stepping back and forward, a replay position for walking them oldest to newest, and the cube
// size they belong to. Records handed out are borrowed: valid until the record is discarded. A
// replay walk standing on a record that is discarded ends there.
class MoveHistory {
public:
    MoveHistory();
    MoveHistory(const MoveHistory&) = delete;
    MoveHistory& operator=(const MoveHistory&) = delete;

    std::int32_t Count() const;
    std::int32_t Size() const { return size; }
    void SetSize(std::int32_t n) { size = n; }

    // Discards the undone moves first, then records the twist as the newest. False only when no
    // memory could be had.
    bool Append(std::int32_t axis, std::int32_t layer, bool positive);
    // The move to undo, or null when everything is already undone.
    const MoveRecord* StepBack();
    // The move to redo, or null when nothing is undone.
    const MoveRecord* StepForward();
    void BeginReplay();
    // The next record oldest to newest since BeginReplay, or null at the end.
    const MoveRecord* NextReplay();
    const MoveRecord* Newest() const;
    // Empties the list and ends any replay walk; the size stays.
    void Clear();

    // Writes the size and the applied moves to history.ini. Only when that succeeded are the
    // undone moves discarded; on failure nothing changes, in memory or on disk.
    bool Save();
    // Reads history.ini, appending its moves. False when the file cannot be read or names an
    // axis of 3 or more (then the history is emptied). Reading stops early, returning true with
    // the moves so far, at the end of the file, at a token that is no 32-bit integer, or at a
    // direction other than 0 or 1.
    bool Load();

private:
    using Entries = std::list<MoveRecord>;
    using Position = Entries::iterator;

    void DiscardUndone();
    std::string FileText() const;

    // end() is the anchor: the position behind the newest entry. It stays valid whatever is
    // inserted or erased, like the entries not erased.
    Entries entries;
    // The anchor, or the oldest undone entry: it and every newer entry are undone.
    Position navigation;
    Position replay;
    std::int32_t size = 0;
};
