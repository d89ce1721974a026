#!/usr/bin/env bash
# Starts Kestrova under Xvfb with the instrument simulator on a fresh demonstration folder, prints
# the start-up time and the state of the status icons, and saves a PNG of the main window.
# Usage: scripts/screenshot.sh [build-dir] [file.png] [WIDTHxHEIGHT]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build/app}" && pwd)"
out="${2:-$root/docs/main-window.png}"
size="${3:-1366x768}"

shot="$build/src/app/kestrova-screenshot"
simulator="$build/tools/simulator/kestrova-simulator"
for exe in "$shot" "$simulator"; do
    if [ ! -x "$exe" ]; then
        echo "Não encontrado: $exe (compile antes: cmake --build $build)" >&2
        exit 1
    fi
done
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"

work="$(mktemp -d)"
# shellcheck source=demo-env.sh
source "$root/scripts/demo-env.sh"
demo_environment "$work"
demo_seed "$root" "$work"

start_simulator "$simulator" "$work"
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
xvfb-run -a -s "-screen 0 ${size}x24" "$shot" "$out" 6000
