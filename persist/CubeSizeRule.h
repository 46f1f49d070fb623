#pragma once

class MoveHistory;

// Cube sizes the program builds; outside them a stored size falls back to the default.
inline constexpr int minCubeSize = 1;
inline constexpr int maxCubeSize = 10;
inline constexpr int defaultCubeSize = 3;

// Start-up, right after `history.Load()` returned `loaded`: the cube size to build. A loaded
// history decides it (a size outside minCubeSize..maxCubeSize gives the default and an emptied
// history); a history that did not load takes `currentSize`.
int SettleCubeSize(MoveHistory& history, bool loaded, int currentSize);
