#include "persist/MoveHistory.h"

#include <new>

MoveHistory::MoveHistory() : navigation(entries.end()), replay(entries.end()) {}

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
    if (entries.empty() || navigation == entries.begin())
        return nullptr;
    --navigation;
    ++revision;
    return &*navigation;
}

const MoveRecord* MoveHistory::StepForward() {
    if (entries.empty() || navigation == entries.end())
        return nullptr;
    const MoveRecord* redo = &*navigation;
    ++navigation;
    ++revision;
    return redo;
}

void MoveHistory::BeginReplay() {
    replay = entries.begin();
}

const MoveRecord* MoveHistory::NextReplay() {
    if (entries.empty() || replay == entries.end())
        return nullptr;
    const MoveRecord* next = &*replay;
    ++replay;
    return next;
}

const MoveRecord* MoveHistory::Newest() const {
    return entries.empty() ? nullptr : &entries.back();
}

void MoveHistory::Clear() {
    entries.clear();
    navigation = entries.end();
    // A replay position on a freed entry would dangle; the anchor ends any walk.
    replay = entries.end();
    ++revision;
}

void MoveHistory::DiscardUndone() {
    for (Position p = navigation; p != entries.end(); ++p) {
        if (p == replay) {
            replay = entries.end();
            break;
        }
    }
    entries.erase(navigation, entries.end());
    navigation = entries.end();
}
