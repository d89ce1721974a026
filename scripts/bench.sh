#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all (or those named on the command line).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
build="$root/build/bench"
export CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTROVA_TESTS=OFF -DKESTROVA_BENCH=ON
cmake --build "$build" -j "$(nproc)"
if [ $# -gt 0 ]; then
    benches=("$@")
else
    mapfile -t benches < <(find "$build/bench" -maxdepth 3 -type f -executable -name 'bench_*' | sort)
fi
for b in "${benches[@]}"; do
    [ -x "$b" ] || b="$(find "$build/bench" -type f -executable -name "$b" | head -n 1)"
    [ -n "$b" ] || { echo "Benchmark não encontrado" >&2; exit 1; }
    echo "== $(basename "$b")"
    "$b"
done
