#!/usr/bin/env bash
# Installs the Debian packages Kestrova needs to build, test and run; does nothing when all are there.
set -euo pipefail

packages=(
    git cmake ninja-build pkg-config g++ clang libclang-rt-14-dev ccache
    qt6-base-dev qt6-serialport-dev qt6-multimedia-dev
    libsqlite3-dev sqlite3 libzip-dev libpugixml-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Instalando pacotes: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
