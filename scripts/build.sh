#!/usr/bin/env bash
# Configures and builds one flavour of the tree.
#   scripts/build.sh [release|asan|tsan] [extra cmake args...]
set -euo pipefail
cd "$(dirname "$0")/.."
flavour=${1:-release}
shift || true
case "$flavour" in
  release) dir=build; args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan) dir=build-asan; args=(-DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=address) ;;
  tsan) dir=build-tsan; args=(-DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=thread) ;;
  *) echo "usage: scripts/build.sh [release|asan|tsan]" >&2; exit 2 ;;
esac
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
cmake -S . -B "$dir" -G Ninja "${args[@]}" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
