#pragma once

// What settling a layer did.
enum class TwistResult : int {
    TwistRunning = 0,      // nothing changed; the twist goes on
    TwistCancelled = 1,    // the layer snapped back to rest
    TwistDonePositive = 2, // completed as a +90 degree quarter turn
    TwistDoneNegative = 3, // completed as a -90 degree quarter turn
    TwistRefused = 4,      // bad layer or another layer turned: the twist was discarded
};
