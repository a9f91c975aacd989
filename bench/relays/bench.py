# SPDX-License-Identifier: GPL-3.0-or-later
"""Relays a private server's mic to its speakers with Phonoduct, driven through its window, and
with the relays a user could run instead, one after the other on the same server, and prints
a table of what each cost and what it did to the sound: progress on stderr, the table on
stdout. Run it through bench/relays/run.sh, which installs and builds what it needs."""
import argparse
import datetime
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "desktop"))

from harness.desktop import Desktop  # noqa: E402
from harness.program import Program  # noqa: E402
from harness.recording import Recorder  # noqa: E402

import cpu  # noqa: E402
import relays  # noqa: E402
import table  # noqa: E402
from analysis import Comparison  # noqa: E402
from rig import Rig  # noqa: E402

SETTLE = 1.0         # seconds after the pre-roll before the CPU is counted
WATCHED = 3.0        # seconds of relaying, after the CPU was counted, when the UI is watched
AFTER_PREROLL = 0.5  # glitches are counted from this long after the pre-roll...
BEFORE_STOP = 0.1    # ...until this long before the stop
# Keeps a core busy as a compile does: the compiler, over and over.
COMPILE = ("while :; do printf '#include <regex>\\nint main() { std::regex r(\"a+\"); }\\n'"
           " | g++ -O2 -x c++ - -o /dev/null; done")


def log(text):
    print(text, file=sys.stderr, flush=True)


def run(rig, desktop, relay, seconds):
    """One relay from its launch to its end: its figures."""
    relay.launch(rig, desktop)
    relay.prepare(rig)
    started = time.monotonic()
    relay.start()
    # Recordings from before the start would wake suspended speakers.
    captured_recorder = Recorder(rig.server, "mic.monitor")
    played_recorder = Recorder(rig.server)
    time.sleep(relay.design + SETTLE)
    relay.settled()
    client = cpu.Meter(relay.pids())
    server = cpu.Meter(rig.server_pids())
    time.sleep(seconds)
    figures = {"client": client.per_minute() if client.pids else None,
               "server": server.per_minute()}
    relay.watch()
    time.sleep(WATCHED)
    for recorder in (captured_recorder, played_recorder):
        recorder.note_lead()
    stopping = time.monotonic()
    relay.stop()
    played, captured = played_recorder.stop(), captured_recorder.stop()
    relay.close()
    comparison = Comparison(played, captured,
                            played.frame_at(started + relay.design + AFTER_PREROLL),
                            played.frame_at(stopping - BEFORE_STOP))
    figures.update(relay.figures, exact=comparison.exact, glitches=comparison.glitches,
                   delay=None if comparison.delay is None else comparison.delay - relay.design)
    return figures


def first_run(rig, desktop, settings):
    """The program's first run, which writes its settings: the runs measured are later ones."""
    with Program(desktop, rig.server, settings=settings) as program:
        program.wait_window()
        program.close()
        program.wait_exit()


def idle(rig, seconds):
    """Server CPU per minute of the rig with its recorders and no relay."""
    recorders = [Recorder(rig.server, "mic.monitor"), Recorder(rig.server)]
    time.sleep(0.5)
    server = cpu.Meter(rig.server_pids())
    time.sleep(seconds)
    used = server.per_minute()
    for recorder in recorders:
        recorder.stop()
    return used


def contenders(kind, blocks, settings):
    chosen = [relays.Phonoduct(block, settings, speakers) for block in blocks
              for speakers in ("suspended", "idle")]
    chosen += [relays.ParecPacat(), relays.ModuleLoopback()]
    if kind == "pipewire":
        chosen.append(relays.PwLoopback())
    return chosen


def measure(kind, desktop, options, settings):
    """The table's lines for one server."""
    blocks = [float(block) for block in options.blocks.split(",")]
    chosen = [relay for relay in contenders(kind, blocks, settings)
              if not options.only or relay.name.startswith(options.only)]
    results = {relay.name: [] for relay in chosen}
    idles = []
    with Rig(kind) as rig:
        first_run(rig, desktop, settings)
        for number in range(options.rounds):
            idles.append(idle(rig, options.seconds))
            log(f"{kind}, round {number + 1}: idle rig {idles[-1]:.2f} CPU-s/min")
            for relay in chosen:
                figures = run(rig, desktop, relay, options.seconds)
                figures["server"] -= idles[-1]
                results[relay.name].append(figures)
                log(f"  {relay.name}: {figures}")
    lines = [f"\n{rig.title}; the idle rig takes {table.median(idles, 2)} CPU-s/min "
             f"of the server\n", table.HEADER]
    return lines + [table.row(name, runs) for name, runs in results.items()]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--servers", default="pulse,pipewire")
    parser.add_argument("--blocks", default="0.3,1.2", help="Phonoduct's block lengths in s")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--seconds", type=float, default=30, help="relaying counted per run")
    parser.add_argument("--only", help="only the relays whose name starts with this")
    parser.add_argument("--busy", action="store_true", help="both cores compile meanwhile")
    options = parser.parse_args()
    began = datetime.datetime.now()
    compiles = []
    if options.busy:
        compiles = [subprocess.Popen(["sh", "-c", COMPILE], start_new_session=True,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                    for _ in range(os.cpu_count() or 2)]
    settings = tempfile.mkdtemp(prefix="phonoduct-bench-")
    lines = []
    try:
        with Desktop() as desktop:
            for kind in options.servers.split(","):
                lines += measure(kind, desktop, options, settings)
    finally:
        for process in compiles:
            os.killpg(process.pid, signal.SIGTERM)
        shutil.rmtree(settings, ignore_errors=True)
    print(f"{began:%Y-%m-%d %H:%M}, {table.machine()}: {options.rounds} runs of "
          f"{options.seconds:.0f} s per relay{', both cores compiling' if options.busy else ''}")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
