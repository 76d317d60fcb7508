#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the core also under
# AddressSanitizer + UndefinedBehaviorSanitizer, the threaded tests under ThreadSanitizer,
# and then each fuzz target for a short while.
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

# Optimised as the program is, without debug information, which takes long to make.
configure build -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"
configure build-asan -DCMAKE_BUILD_TYPE=Debug -DRIZAZOVOZ_SANITIZE=address,undefined \
  -DRIZAZOVOZ_BUILD_GUI=OFF -DRIZAZOVOZ_BUILD_BENCH=OFF
configure build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRIZAZOVOZ_SANITIZE=thread \
  -DRIZAZOVOZ_BUILD_GUI=OFF -DRIZAZOVOZ_BUILD_BENCH=OFF
build build
build build-asan
build build-tsan threaded_tests  # only the threaded tests run there

failed=0
echo "== core under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --no-label-summary --test-dir build-asan --output-on-failure -j "$jobs" || failed=1
echo "== threaded tests under ThreadSanitizer"
TSAN_OPTIONS=halt_on_error=1 ctest --no-label-summary --test-dir build-tsan --output-on-failure -L threads || failed=1
echo "== every test"
ctest --no-label-summary --test-dir build --output-on-failure -j "$jobs" || failed=1

# libFuzzer comes with clang: each fuzz target for 20 s from the checked-in corpus. A crash, a
# leak, a sanitizer report or a slow input fails, with the input left in build-fuzz/artifacts.
fuzz_cxx=clang++-16  # clang 14, Debian 12's default, does not compile the core
if command -v "$fuzz_cxx" >/dev/null 2>&1; then
  configure build-fuzz -DCMAKE_CXX_COMPILER="$fuzz_cxx" -DRIZAZOVOZ_SANITIZE=address,undefined \
    -DRIZAZOVOZ_BUILD_FUZZ=ON -DRIZAZOVOZ_BUILD_GUI=OFF -DRIZAZOVOZ_BUILD_TESTS=OFF \
    -DRIZAZOVOZ_BUILD_BENCH=OFF
  fuzz_targets=(receive_path_fuzz number_format_fuzz command_line_fuzz)
  build build-fuzz "${fuzz_targets[@]}"
  echo "== fuzz targets, 20 s each"
  for target in "${fuzz_targets[@]}"; do
    log=build-fuzz/$target.log
    if fuzz/run.sh "$target" -max_total_time=20 >"$log" 2>&1; then
      echo "$target: $(grep -m1 -o 'DONE .*' "$log")"
    else
      tail -n 40 "$log"
      echo "$target FAILED (whole output in $log)"
      failed=1
    fi
  done
else
  echo "== no $fuzz_cxx: fuzz targets not run"
fi
exit $failed
