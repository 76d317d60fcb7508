#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the core also under
# AddressSanitizer + UndefinedBehaviorSanitizer, the threaded tests under ThreadSanitizer.
set -uo pipefail
cd "$(dirname "$0")"
source scripts/ensure-packages.sh
ensure_packages "${RIZAZOVOZ_BUILD_PACKAGES[@]}" || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
configure() {  # configure DIR OPTION...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DRIZAZOVOZ_WERROR=ON "$@" >/dev/null || exit 1
}
build() {  # build DIR [TARGET...]
  local dir=$1; shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  cmake --build "$dir" -j "$jobs" "${targets[@]}" || exit 1
}

configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo
configure build-asan -DCMAKE_BUILD_TYPE=Debug -DRIZAZOVOZ_SANITIZE=address,undefined \
  -DRIZAZOVOZ_BUILD_GUI=OFF -DRIZAZOVOZ_BUILD_BENCH=OFF
configure build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRIZAZOVOZ_SANITIZE=thread \
  -DRIZAZOVOZ_BUILD_GUI=OFF -DRIZAZOVOZ_BUILD_BENCH=OFF
build build
build build-asan
build build-tsan

failed=0
echo "== core under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --no-label-summary --test-dir build-asan --output-on-failure -j "$jobs" || failed=1
echo "== threaded tests under ThreadSanitizer"
TSAN_OPTIONS=halt_on_error=1 ctest --no-label-summary --test-dir build-tsan --output-on-failure -L threads || failed=1
echo "== every test"
ctest --no-label-summary --test-dir build --output-on-failure -j "$jobs" || failed=1
exit $failed
