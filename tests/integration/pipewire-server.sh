#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts or stops a private PipeWire server with its pulse server, in its own folder, with the
# same devices as pulse-server.sh: "Test Speakers" and "Tone Mic" with a 1 kHz tone played
# into the mic. The graph may run at 44.1 kHz as well as 48 kHz, as a user allows it in their
# own configuration: a stream at 44.1 kHz then plays unresampled. scripts/install-deps installs what it runs; a missing tool fails the start.
#   pipewire-server.sh start DIR | stop DIR
set -eu
action=$1
dir=$2

# pipewire-pulse answers before its session manager is ready and then refuses modules
# ("Not supported") for a moment.
retry() {
    tries=0
    until "$@" >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ]; then
            "$@" >/dev/null
            return
        fi
        sleep 0.05
    done
}

start() {
    rm -rf "$dir"
    mkdir -p "$dir/run" "$dir/home"
    chmod 700 "$dir/run"
    for tool in pipewire pipewire-pulse wireplumber dbus-daemon sox; do
        if ! command -v $tool >/dev/null; then
            echo "$tool is not installed: run scripts/install-deps" >&2
            exit 1
        fi
    done
    touch "$dir/pipewire"
    mkdir -p "$dir/home/.config/pipewire/pipewire.conf.d"
    printf 'context.properties = {\n    default.clock.allowed-rates = [ 44100 48000 ]\n}\n' \
        >"$dir/home/.config/pipewire/pipewire.conf.d/rates.conf"
    export XDG_RUNTIME_DIR="$dir/run" HOME="$dir/home" DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/bus"
    dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --nofork </dev/null >/dev/null 2>&1 &
    echo $! >>"$dir/pids"
    # Each daemon wants the one before it: a session manager that finds no PipeWire socket
    # exits, and the pulse server then refuses every module.
    retry test -S "$dir/bus"
    for daemon in pipewire wireplumber pipewire-pulse; do
        $daemon </dev/null >>"$dir/pw.log" 2>&1 &
        echo $! >>"$dir/pids"
        [ $daemon != pipewire ] || retry test -S "$dir/run/pipewire-0"
    done
    ln -s "$dir/run/pulse/native" "$dir/native"
    export PULSE_SERVER="unix:$dir/native"
    retry pactl info
    # pipewire-pulse wants the whole property list quoted as well.
    # A sound card's input drives PipeWire's graph when both its devices run, as the session
    # manager ranks them (capture 1000 above playback): so does the mic here.
    retry pactl load-module module-null-sink sink_name=speakers \
        "sink_properties='device.description=\"Test Speakers\" priority.driver=1009'"
    retry pactl load-module module-null-sink sink_name=mic \
        "sink_properties='device.description=\"Tone Mic\" priority.driver=2009'"
    retry pactl set-default-sink speakers
    retry pactl set-default-source mic.monitor
    # module-sine does not exist there: sox makes the tone and pacat plays it, without end,
    # in their own process group.
    setsid sh -c "sox -n -t raw -r 44100 -c 2 -b 16 -e signed-integer - synth 3600 sine 1000 \
        vol 0.5 | pacat -d mic --latency-msec=100 --raw --format=s16le --rate=44100 --channels=2" \
        </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/tone.pgid"
    # The tone is on once its stream plays: a first buffer later than the stream's start.
    retry sh -c 'pactl list short sink-inputs | grep -q .'
    sleep 0.3
}

stop() {
    [ -r "$dir/tone.pgid" ] && kill -TERM -- "-$(cat "$dir/tone.pgid")" 2>/dev/null || true
    [ -r "$dir/pids" ] && kill -TERM $(cat "$dir/pids") 2>/dev/null || true
    sleep 0.2
    [ -r "$dir/pids" ] && kill -KILL $(cat "$dir/pids") 2>/dev/null || true
    rm -rf "$dir"
}

case $action in
start) start ;;
stop) stop ;;
*) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
