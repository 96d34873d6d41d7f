#!/usr/bin/env bash
# Installs the Debian packages the build needs, and only those that are missing.
#   scripts/install-deps.sh          what building and running the tool needs
#   scripts/install-deps.sh --test   plus what the tests, sanitizers, fuzzers and benchmarks need
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(libgtest-dev libgmock-dev libbenchmark-dev libdvbpsi-dev clang libclang-rt-dev xvfb)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
