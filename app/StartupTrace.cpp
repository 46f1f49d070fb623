#include "app/StartupTrace.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

// Milliseconds since this process started, from /proc (start time in clock ticks since boot
// against the boot-time clock); negative when that cannot be read.
double ProcessAgeMs() {
    std::ifstream stat("/proc/self/stat");
    std::string text;
    std::getline(stat, text);
    // The command name in parentheses may hold blanks; the fields after it are plain.
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    // Field 22 of the whole line, the start time, is the 20th after the name.
    for (int i = 0; i < 20 && fields >> field; ++i) {
    }
    if (!fields)
        return -1;
    const double ticks = std::strtod(field.c_str(), nullptr);
    const long perSecond = ::sysconf(_SC_CLK_TCK);
    timespec now{};
    if (perSecond <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - ticks * 1000.0 / static_cast<double>(perSecond);
}

} // namespace

StartupTrace::StartupTrace()
    : on(std::getenv("MOZAI_TRACE_STARTUP") != nullptr),
      mainEntered(std::chrono::steady_clock::now()) {}

void StartupTrace::FirstFrame(std::chrono::steady_clock::time_point splashShown,
                              std::chrono::steady_clock::time_point splashClosed) {
    if (!on || reported)
        return;
    reported = true;
    using Ms = std::chrono::duration<double, std::milli>;
    const auto now = std::chrono::steady_clock::now();
    const double sinceStart = ProcessAgeMs();
    const double splashAfterMain = Ms(splashShown - mainEntered).count();
    std::fprintf(stderr,
                 "mozai: splash on screen %.0f ms after process start, %.1f ms after main; "
                 "first frame %.1f ms after the splash closed\n",
                 sinceStart - Ms(now - splashShown).count(), splashAfterMain,
                 Ms(now - splashClosed).count());
}
