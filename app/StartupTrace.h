#pragma once

#include <chrono>

// With MOZAI_TRACE_STARTUP set in the environment, reports on standard error how long the
// program took to put its first frame on screen: from the start of the process (at the kernel's
// clock-tick resolution, 10 ms) and from entering main, each also without the time the splash
// showed.
class StartupTrace {
public:
    StartupTrace();

    bool enabled() const { return on; }
    // Prints once; later calls do nothing.
    void FirstFrame(std::chrono::milliseconds splash);

private:
    bool on = false;
    bool reported = false;
    std::chrono::steady_clock::time_point mainEntered;
};
