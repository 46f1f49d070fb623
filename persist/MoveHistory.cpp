#include "persist/MoveHistory.h"

#include <new>

MoveHistory::MoveHistory() = default;

std::int32_t MoveHistory::Count() const {
    return static_cast<std::int32_t>(entries.size());
}

bool MoveHistory::Append(std::int32_t axis, std::int32_t layer, bool positive) {
    DiscardUndone();
    try {
        entries.push_back(MoveRecord{axis, layer, positive});
    } catch (const std::bad_alloc&) {
        return false;
    }
    ++revision;
    return true;
}

const MoveRecord* MoveHistory::StepBack() {
    if (entries.empty() || navigation == 0)
        return nullptr;
    navigation = AppliedCount() - 1;
    ++revision;
    return &entries[navigation];
}

const MoveRecord* MoveHistory::StepForward() {
    if (navigation == anchor)
        return nullptr;
    const MoveRecord* redo = &entries[navigation];
    if (++navigation == entries.size())
        navigation = anchor;
    ++revision;
    return redo;
}

void MoveHistory::BeginReplay() {
    replay = entries.empty() ? anchor : 0;
}

const MoveRecord* MoveHistory::NextReplay() {
    if (replay == anchor)
        return nullptr;
    const MoveRecord* next = &entries[replay];
    if (++replay == entries.size())
        replay = anchor;
    return next;
}

const MoveRecord* MoveHistory::Newest() const {
    return entries.empty() ? nullptr : &entries.back();
}

void MoveHistory::Clear() {
    entries.clear();
    navigation = anchor;
    replay = anchor;
    ++revision;
}

void MoveHistory::DiscardUndone() {
    if (navigation == anchor)
        return;
    // A replay walk standing on a discarded entry ends there.
    if (replay != anchor && replay >= navigation)
        replay = anchor;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(navigation), entries.end());
    navigation = anchor;
}
