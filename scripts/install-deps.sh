#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Idempotent and non-interactive: runs apt-get only when something is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ninja-build ccache clang clang-format libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libhidapi-dev libudev-dev libsqlite3-dev libpugixml-dev libcurl4-openssl-dev
  libsdl2-dev libcairo2-dev libpango1.0-dev libfontconfig-dev libgif-dev
  fonts-noto-core fonts-noto-cjk fonts-open-sans fontconfig
  xvfb xauth python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
