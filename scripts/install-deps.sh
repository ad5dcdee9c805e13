#!/usr/bin/env bash
# Installs every Debian package the project needs, when it is missing.
# Idempotent; quiet when everything is there already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev libqt6opengl6-dev qt6-image-formats-plugins
  libgl-dev libglu1-mesa-dev libegl-dev libosmesa6-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth python3 python3-ezdxf hershey-fonts-data
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
