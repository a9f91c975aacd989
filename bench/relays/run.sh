#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares Phonoduct, driven through its window, with the relays a user could run instead, on
# a private PulseAudio and a private PipeWire server, and prints the table (see bench.py).
#   bench/relays/run.sh [--servers pulse,pipewire] [--blocks 0.3,1.2] [--rounds 3]
#                       [--seconds 30] [--busy] [--only NAME]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/install-deps" python3-numpy
build=$("$root/scripts/build" | tail -n 1)
PHONODUCT_PROGRAM="$root/$build/phonoduct" exec /usr/bin/python3 "$root/bench/relays/bench.py" "$@"
