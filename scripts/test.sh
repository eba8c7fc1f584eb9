#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test suite twice: under
# AddressSanitizer + UndefinedBehaviorSanitizer, and under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp"
# Without a session bus, libdbus (used by SDL) would fork dbus-launch and wait on it forever.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent/korvane-no-session-bus}

for flavour in asan tsan; do
  echo "== $flavour build"
  bash scripts/build.sh "$flavour"
  dir=build-$flavour
  echo "== $flavour tests"
  # GUI suites that need a display run under xvfb-run; the rest need none.
  xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 300
done

# libFuzzer targets (clang, a build tree of their own), each run briefly.
bash tests/fuzz/run.sh 15
