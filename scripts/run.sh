#!/usr/bin/env bash
# Sets up, builds Kestrova and starts it against the instrument simulator on a demo data folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

"$root/scripts/deps.sh"

build="${KESTROVA_APP_BUILD_DIR:-$root/build/app}"
export CCACHE_NOHASHDIR=1
export CCACHE_BASEDIR="$root"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTROVA_TESTS=OFF
cmake --build "$build" -j "$(nproc)"

if [ ! -x "$build/src/app/kestrova" ]; then
    echo "Kestrova foi compilado (bibliotecas em $build/src)."
    echo "O programa principal ainda não existe: este comando passará a iniciar o simulador do"
    echo "instrumento e o Kestrova sobre uma pasta de demonstração quando a janela principal existir."
    exit 0
fi
exec "$root/scripts/demo.sh" "$build"
