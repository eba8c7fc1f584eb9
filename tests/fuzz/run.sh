#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) in build-fuzz and runs each for a
# short while from the seed documents. A crash, sanitizer report or leak fails the run and
# leaves the input that caused it in build-fuzz/findings/.
#   tests/fuzz/run.sh [SECONDS per target, default 15]
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-15}
if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found, skipping" >&2
  exit 0
fi
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=address -DBUILD_TESTING=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_xml_documents fuzz_language_file
mkdir -p build-fuzz/findings
run() {
  local name=$1; shift
  local corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  # The seeds (small real documents) join the corpus; libFuzzer takes folders only.
  cp "$@" "$corpus"/
  echo "== fuzz $name (${seconds}s)"
  ./build-fuzz/bin/"$name" -max_total_time="$seconds" -max_len=16384 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/findings/"$name"- "$corpus" 2>&1 | tail -n 12
  return "${PIPESTATUS[0]}"
}
run fuzz_xml_documents tests/fixtures/documents/*.xml data/files/device/*.xml data/files/config.xml
run fuzz_language_file data/files/language/*.lan
