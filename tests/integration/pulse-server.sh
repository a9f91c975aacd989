#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts or stops a private PulseAudio server for the integration tests, in its own folder:
#   pulse-server.sh start DIR [desktop]    server at unix:DIR/native, pid in DIR/pid
#   pulse-server.sh stop DIR
# The server has two null sinks, "Test Speakers" (speakers, the default sink) and "Tone Mic"
# (mic), with a 1 kHz tone played into mic; mic.monitor serves as the microphone and is the
# default source, recorded at a 10 ms pace as a hardware microphone records.
# "desktop": the speakers are a desktop's: nothing else plays to them or records them, they
# render ahead when idle and suspend after the usual 5 s, as module-suspend-on-idle has it.
# Without it, the speakers are paced: a 10 ms recording of their monitor keeps them at a
# hardware pace and awake, for the tests of the backend's clock and of its faults.
set -eu
action=$1
dir=$2
rig=${3:-}

start() {
    idle=""
    [ "$rig" != desktop ] || idle="module-suspend-on-idle"
    rm -rf "$dir"
    mkdir -p "$dir/run" "$dir/home"
    chmod 700 "$dir/run"
    XDG_RUNTIME_DIR="$dir/run" HOME="$dir/home" PULSE_RUNTIME_PATH="$dir/run/pulse" \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --log-target="file:$dir/pa.log" \
        -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
        -L "module-null-sink sink_name=speakers sink_properties='device.description=\"Test Speakers\"'" \
        -L "module-null-sink sink_name=mic sink_properties='device.description=\"Tone Mic\"'" \
        -L "module-sine sink=mic frequency=1000" \
        ${idle:+-L "$idle"} \
        </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/pid"
    export PULSE_SERVER="unix:$dir/native"
    tries=0
    until pactl info >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ]; then
            echo "the server in $dir did not start" >&2
            exit 1
        fi
        sleep 0.05
    done
    pactl set-default-sink speakers
    pactl set-default-source mic.monitor
    # An idle null sink renders up to 2 s ahead; a 10 ms recording of its monitor keeps it at
    # a hardware pace.
    keep parec --latency-msec=10 -d mic.monitor --raw
    keepers=1
    if [ "$rig" != desktop ]; then
        keep parec --latency-msec=10 -d speakers.monitor --raw
        keepers=2
    fi
    tries=0
    until [ "$(pactl list short source-outputs | wc -l)" -ge $keepers ] || [ $tries -gt 100 ]; do
        tries=$((tries + 1))
        sleep 0.02
    done
    for sink in speakers mic; do
        pactl suspend-sink $sink 1
        pactl suspend-sink $sink 0
    done
}

keep() {  # COMMAND...: a recording that runs until the server stops
    "$@" </dev/null >/dev/null 2>&1 &
    echo $! >>"$dir/keepers"
}

running() {
    [ -r "/proc/$1/status" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status"
}

stop() {
    [ -r "$dir/pid" ] || exit 0
    [ -r "$dir/keepers" ] && kill -TERM $(cat "$dir/keepers") 2>/dev/null || true
    pid=$(cat "$dir/pid")
    kill -TERM "$pid" 2>/dev/null || true
    tries=0
    while running "$pid" && [ $tries -lt 40 ]; do
        tries=$((tries + 1))
        sleep 0.05
    done
    running "$pid" && kill -KILL "$pid" 2>/dev/null || true
    rm -rf "$dir"
}

case $action in
start) start ;;
stop) stop ;;
*) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
