#!/bin/sh
# Relays a gated 1 kHz tone from a private PulseAudio server's "mic" monitor to its "speakers"
# for SECONDS (default 60) three ways, and reports for each the CPU time per minute (client
# processes, and the server's extra over the measuring alone) and the delay over the design
# latency: Phonoduct (engine + pulse backend, 0.3 s blocks: 1200 ms design), parec | pacat
# (10 ms each: 20 ms), and the server's module-loopback (latency_msec=20).
#   bench/pulse/run.sh [BUILD_DIR] [SECONDS]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
seconds=${2:-60}
work=$(mktemp -d)
server=$root/tests/integration/pulse-server.sh
probe=$build/bench/pulse/pulse_delay_probe

"$server" start "$work/server"
trap '"$server" stop "$work/server"; rm -rf "$work"' EXIT
export PULSE_SERVER="unix:$work/server/native"
# The gated tone of the probe replaces the steady one.
pactl unload-module module-sine
server_pid=$(cat "$work/server/pid")
hz=$(getconf CLK_TCK)

ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

per_minute() {  # ticks over $seconds -> ms per minute
    echo "$1" | awk -v hz="$hz" -v s="$seconds" '{ printf "%.0f", $1 * 1000 / hz * 60 / s }'
}

# The server's CPU while only the probe plays and records.
base0=$(ticks "$server_pid")
"$probe" "$seconds" >/dev/null || true
server_base=$(( $(ticks "$server_pid") - base0 ))

# run NAME DESIGN_MS: the contender is started by start_NAME and stopped by stop_NAME, which
# set $client_ms (client CPU per minute).
run() {
    name=$1
    design=$2
    s0=$(ticks "$server_pid")
    "$probe" $((seconds + 3)) >"$work/probe" &
    probe_pid=$!
    sleep 1
    "start_$name"
    sleep "$seconds"
    "stop_$name"
    wait "$probe_pid" || true
    server_extra=$(( $(ticks "$server_pid") - s0 - server_base ))
    median=$(awk '/delay_median_ms/ { print $2 }' "$work/probe")
    max=$(awk '/delay_max_ms/ { print $2 }' "$work/probe")
    printf '%-16s %10s %12s %10s %14s %12s\n' "$name" "$client_ms" "$(per_minute $server_extra)" \
        "$design" "$(echo "$median $design" | awk '{ printf "%.1f", $1 - $2 }')" \
        "$(echo "$max $design" | awk '{ printf "%.1f", $1 - $2 }')"
}

start_phonoduct() {
    "$build/bench/pulse/pulse_relay_bench" "$seconds" >"$work/relay" &
    relay_pid=$!
}
stop_phonoduct() {
    wait "$relay_pid"
    client_ms=$(awk '/cpu_ms_per_min/ { printf "%.0f", $2 }' "$work/relay")
}

start_parec_pacat() {
    mkfifo "$work/pipe"
    parec --latency-msec=10 -d mic.monitor --raw >"$work/pipe" &
    parec_pid=$!
    pacat --latency-msec=10 -d speakers --raw <"$work/pipe" &
    pacat_pid=$!
}
stop_parec_pacat() {
    used=$(( $(ticks "$parec_pid") + $(ticks "$pacat_pid") ))
    kill "$parec_pid" "$pacat_pid"
    wait "$parec_pid" "$pacat_pid" 2>/dev/null || true
    client_ms=$(per_minute "$used")
}

start_loopback() {
    loopback=$(pactl load-module module-loopback source=mic.monitor sink=speakers latency_msec=20)
}
stop_loopback() {
    pactl unload-module "$loopback"
    client_ms=0
}

printf '%-16s %10s %12s %10s %14s %12s\n' "relay" "client" "server+" "design" "extra" "extra" \
    "" "ms CPU/min" "ms CPU/min" "ms" "median ms" "max ms"
run phonoduct 1200
run parec_pacat 20
run loopback 20
