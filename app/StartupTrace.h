#pragma once

#include <chrono>

// With MOZAI_TRACE_STARTUP set in the environment, reports on standard error how long the
// program took to put the splash on screen, from the start of the process (at the kernel's
// clock-tick resolution, 10 ms) and from entering main, and its first frame after the splash
// closed.
class StartupTrace {
public:
    StartupTrace();

    bool enabled() const { return on; }
    // Prints once, with when the splash was first painted and when it closed; later calls do
    // nothing.
    void FirstFrame(std::chrono::steady_clock::time_point splashShown,
                    std::chrono::steady_clock::time_point splashClosed);

private:
    bool on = false;
    bool reported = false;
    std::chrono::steady_clock::time_point mainEntered;
};
