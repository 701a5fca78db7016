#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, only those missing, so a
# warm machine pays nothing.
set -euo pipefail
packages=(g++ cmake make pkg-config libsdl1.2-compat-dev libpng-dev googletest libgtest-dev
          xvfb xauth xdotool imagemagick g++-powerpc-linux-gnu qemu-user ffmpeg
          clang libclang-rt-14-dev valgrind libbenchmark-dev python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
