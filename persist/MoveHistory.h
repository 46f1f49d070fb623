#pragma once

#include "persist/AtomicFile.h"
#include "persist/MoveRecord.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

// Opened by bare name, so the file lies in the working directory.
inline constexpr char historyFileName[] = "history.ini";
// Reading stops there, whatever the file holds: start-up stays quick and small. A million moves
// as written take 7 MB; the byte limit leaves room for hand-edited white space.
inline constexpr std::int32_t maxLoadedMoves = 1000000;
inline constexpr std::size_t maxHistoryFileBytes = 16 * 1024 * 1024;

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
    // The moves not undone: how many steps back there are.
    std::int32_t AppliedMoves() const { return static_cast<std::int32_t>(AppliedCount()); }
    std::int32_t Size() const { return size; }
    void SetSize(std::int32_t n) {
        size = n;
        ++revision;
    }
    // Whether history.ini lags behind: changed since it was loaded or last written.
    bool Unsaved() const { return revision != writtenRevision; }

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

    // Writes the size and the applied moves to history.ini; the undone moves stay redoable.
    // False with the reason when the file could not be written (see WriteFileAtomically); it is
    // then unchanged. While the file is held, nothing is written and the result is true.
    SaveResult Write() const;
    // Write, and only when that succeeded are the undone moves discarded.
    SaveResult Save();
    // Reads history.ini, appending its moves; false when there is no regular file of that name
    // or it cannot be read. A size outside minCubeSize..maxCubeSize takes no moves. The moves
    // end at the first record that does not fit the cube (an axis outside 0..2, a layer outside
    // 0..size-1, a token that is no 32-bit integer, a direction other than 0 or 1, a record cut
    // short by the end of the file) and at maxLoadedMoves. Before anything of the file is left
    // out, it is kept as history.ini.bad; when that copy cannot be made, the file is held.
    // Leftovers of an interrupted save are removed first.
    bool Load();
    // Why history.ini is held, left as it is for the process (an errno value of the failed
    // .bad copy), or 0. A history that replaces a held one (a new cube) is held too, and
    // loads nothing: the file stays the user's to mend.
    int HeldReason() const { return heldReason; }
    void Hold(int reason) { heldReason = reason; }

private:
    // Records stay where they are while others are added or removed at the newest end, so a
    // record handed out stays valid; a deque holds a million of them in a few blocks.
    using Entries = std::deque<MoveRecord>;
    // The position behind the newest entry, whatever is appended later.
    static constexpr std::size_t anchor = SIZE_MAX;

    void DiscardUndone();
    std::size_t AppliedCount() const { return navigation == anchor ? entries.size() : navigation; }
    std::string FileText() const;

    Entries entries;
    // The anchor, or the index of the oldest undone entry: it and every newer one are undone.
    std::size_t navigation = anchor;
    std::size_t replay = anchor;
    std::int32_t size = 0;
    std::uint64_t revision = 0;
    mutable std::uint64_t writtenRevision = 0;
    int heldReason = 0;
};
