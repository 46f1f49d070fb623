# shellcheck shell=bash
# Runtime settings of the sanitizer build (build/asan), for the test script and for runs by hand.
# Source it from bash:
#   source scripts/sanitizer-env.sh            # offscreen, as the tests run: a leak fails the run
#   source scripts/sanitizer-env.sh display    # on a real X display
# String functions are checked strictly but for strndup: libxkbcommon-x11 hands it atom names
# that end at the length it gives, without a terminator, and the strict check reads past them
# before any of Mozai's code runs. On a display the OpenGL driver is unloaded before the leak check
# at exit, so its few blocks show as "<unknown module>" and no suppression can name them: there
# the leak report is printed but leaves the exit status alone. Errors abort (status 134).
sanitizer_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:intercept_strndup=0:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$sanitizer_dir/lsan.supp
if [ "${1:-}" = display ]; then
    LSAN_OPTIONS=$LSAN_OPTIONS:exitcode=0
fi
unset sanitizer_dir
