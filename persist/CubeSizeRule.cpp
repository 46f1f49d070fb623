#include "persist/CubeSizeRule.h"

#include "persist/MoveHistory.h"

int SettleCubeSize(MoveHistory& history, bool loaded, int currentSize) {
    if (!loaded) {
        history.SetSize(currentSize);
        return currentSize;
    }
    const int size = history.Size();
    if (size >= minCubeSize && size <= maxCubeSize)
        return size;
    history.SetSize(defaultCubeSize);
    history.Clear();
    return defaultCubeSize;
}
