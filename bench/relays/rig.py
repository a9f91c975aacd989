# SPDX-License-Identifier: GPL-3.0-or-later
"""The bench's private audio server: the desktop rig of the tests (the sinks "Test Speakers",
paced by nothing and suspended when idle, and "Tone Mic" with a 1 kHz tone played into it)
with quiet noise added to the mic, so that
every stretch of its sound is unlike any other and a played stretch can be found in the
captured sound. PipeWire's graph there may run at 44.1 kHz (the rig's allowed rates), and does
so for the relays' 44.1 kHz streams: none is resampled and exactness can be told."""
import os

from harness import processes
from harness.audio import AudioServer

# The noise asks for the tone's latency: a feeder that asked for less would shorten the graph's
# cycle for every relay on PipeWire (10 ms gives 256 frames against the default 1024), which a
# desktop's microphone does not.
NOISE = ("sox -n -t raw -r 44100 -c 2 -b 16 -e signed-integer - synth 7200 whitenoise vol 0.03"
         " | pacat -d mic --latency-msec=100 --raw --format=s16le --rate=44100 --channels=2")


class Rig:
    def __init__(self, kind):
        self.kind = kind
        self.server = AudioServer(kind, desktop=True)
        self.env = None
        self.title = kind
        self._noise = None

    def __enter__(self):
        self.server.start()
        folder = self.server.folder
        self.env = dict(os.environ, **self.server.env, XDG_RUNTIME_DIR=os.path.join(folder, "run"))
        self._noise = processes.start(["sh", "-c", NOISE], os.path.join(folder, "noise.log"),
                                      env=self.env)
        names = [line.split(":", 1)[1].strip() for line in self.server.pactl("info").splitlines()
                 if line.startswith(("Server Name:", "Server Version:"))]
        self.title = " ".join(names)
        return self

    def __exit__(self, *exc):
        processes.stop(self._noise)
        self.server.__exit__(*exc)
        return False

    def server_pids(self):
        """The processes of the server (PipeWire: its daemons and session manager)."""
        pids = []
        for name in ("pid", "pids"):
            path = os.path.join(self.server.folder, name)
            if os.path.exists(path):
                with open(path) as listed:
                    pids += [int(pid) for pid in listed.read().split()]
        return pids
