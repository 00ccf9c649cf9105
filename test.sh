#!/usr/bin/env bash
# Installs what is missing, builds and runs every test offscreen.
#   ./test.sh            unit tests (with ASan/UBSan when CI is set), then fuzz targets
#   SANITIZE=1 ./test.sh  sanitizers outside CI too
#   SKIP_FUZZ=1 ./test.sh skip the libFuzzer build and runs
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD

./scripts/install-deps

# Programs under test talk over D-Bus. Each D-Bus test starts a private bus of
# its own; a session bus is still started here when there is none (CI, ssh),
# so that nothing falls back to the person's desktop session or fails.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ -z "${KAVREL_TEST_SESSION:-}" ]; then
  export KAVREL_TEST_SESSION=1
  exec dbus-run-session -- "$root/$(basename "$0")" "$@"
fi

jobs=$(nproc)
sanitize=OFF
if [ -n "${CI:-}" ] || [ "${SANITIZE:-0}" = 1 ]; then sanitize=ON; fi

export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENABLE_SANITIZERS=$sanitize
cmake --build build -j "$jobs"
status=0
(cd build && ctest --output-on-failure -j "$jobs" -LE fuzz) || status=$?

if [ "${SKIP_FUZZ:-0}" != 1 ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DENABLE_FUZZING=ON
  cmake --build build-fuzz -j "$jobs" --target fuzz-all
  (cd build-fuzz && ctest --output-on-failure -j "$jobs" -L fuzz) || status=$?
fi

echo "artifacts (screenshots, rendered charts): $root/build/artifacts"
exit $status
