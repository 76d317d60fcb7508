#!/usr/bin/env bash
# Runs one fuzz target of build-fuzz: fuzz/run.sh TARGET [LIBFUZZER-OPTION...]
# for instance: fuzz/run.sh receive_path_fuzz -max_total_time=600
# The checked-in corpus fuzz/corpus/TARGET is only read; new inputs go into
# build-fuzz/corpus/TARGET, which later runs start from. A crash, a leak, a sanitizer report or
# an input that takes longer than 10 s ends the run with a non-zero status and leaves the input
# in build-fuzz/artifacts/.
set -uo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: fuzz/run.sh TARGET [LIBFUZZER-OPTION...]}
shift
binary=build-fuzz/fuzz/$target
if [ ! -x "$binary" ]; then
  echo "error: $binary is not built (see README.md, Fuzzing)" >&2
  exit 2
fi
mkdir -p "build-fuzz/corpus/$target" build-fuzz/artifacts
# Reports name functions and lines only through a symbolizer named outright (binutils'
# addr2line when there is no llvm-symbolizer).
symbolizer=$(command -v llvm-symbolizer-16 || command -v llvm-symbolizer || command -v addr2line)
export ASAN_OPTIONS="external_symbolizer_path=$symbolizer${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:external_symbolizer_path=$symbolizer${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
exec "$binary" -timeout=10 \
  -artifact_prefix="build-fuzz/artifacts/$target-" "$@" \
  "build-fuzz/corpus/$target" "fuzz/corpus/$target"
