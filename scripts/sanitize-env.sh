# Sourced by the scripts that run sanitized builds: every report stops the
# process with a failing status and a stack trace.
_comtest_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:exitcode=86:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:print_summary=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=87"
export LSAN_OPTIONS="suppressions=$_comtest_scripts/lsan.supp:print_suppressions=0:exitcode=88"
unset _comtest_scripts
