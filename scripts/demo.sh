#!/usr/bin/env bash
# Starts the instrument simulator and Kestrova on a demonstration data folder of its own (its own
# HOME, seeded with a few persons, groups, evaluators and protocols), so the real user's data is
# never touched. Usage: scripts/demo.sh <build-dir>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:?uso: scripts/demo.sh <pasta de compilação>}"
build="$(cd "$build" && pwd)"

app="$build/src/app/kestrova"
simulator="$build/tools/simulator/kestrova-simulator"
for exe in "$app" "$simulator"; do
    if [ ! -x "$exe" ]; then
        echo "Não encontrado: $exe (compile antes com scripts/run.sh)" >&2
        exit 1
    fi
done

demo="${KESTROVA_DEMO_HOME:-$build/demo-home}"
# shellcheck source=demo-env.sh
source "$root/scripts/demo-env.sh"
demo_environment "$demo"
demo_seed "$root" "$demo"

# The simulator announces its port before the program's first search.
start_simulator "$simulator" "$demo"
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT

echo "Dados de demonstração em $demo"
echo "Simulador: $(head -n 1 "$demo/simulador.log")"
"$app"
