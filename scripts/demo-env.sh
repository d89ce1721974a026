# Shared by demo.sh and screenshot.sh: a demonstration HOME and its seeded database.

# Points HOME and the XDG folders at $1 (created as needed).
demo_environment() {
    local home="$1"
    mkdir -p "$home/.config" "$home/Documents" "$home/run"
    chmod 700 "$home/run"
    export HOME="$home"
    export XDG_CONFIG_HOME="$home/.config"
    export XDG_DATA_HOME="$home/.local/share"
    export XDG_CACHE_HOME="$home/.cache"
    export XDG_RUNTIME_DIR="$home/run"
    export XDG_DOCUMENTS_DIR="$home/Documents"
}

# Creates the demo database from the bundled schema and the demo data when it does not exist.
demo_seed() {
    local root="$1" home="$2"
    local folder="$home/.config/Tavrel/Kestrova70"
    local db="$folder/kestrova.db"
    mkdir -p "$folder"
    if [ ! -f "$db" ]; then
        cat "$root/resources/schema.sql" "$root/scripts/demo-seed.sql" | sqlite3 "$db.tmp"
        mv "$db.tmp" "$db"
    fi
}

# Starts the instrument simulator ($1) in the background with its log in $2/simulador.log and
# waits until it has announced its port; the simulator's process id is left in sim_pid.
start_simulator() {
    local simulator="$1" home="$2"
    "$simulator" --rest-ve 30 >"$home/simulador.log" 2>&1 &
    sim_pid=$!
    for _ in $(seq 1 50); do
        grep -q "Porta" "$home/simulador.log" 2>/dev/null && break
        sleep 0.1
    done
}
