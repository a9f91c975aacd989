# SPDX-License-Identifier: GPL-3.0-or-later
"""A private audio server for one test, with the rig of the integration tests: the sinks
"Test Speakers" (speakers) and "Tone Mic" (mic) with a 1 kHz tone played into mic, so that
mic.monitor serves as the microphone. PulseAudio, or PipeWire with its pulse server."""
import os
import shutil
import signal
import subprocess
import tempfile
import time

from . import processes

_RIGS = os.path.join(os.path.dirname(__file__), "..", "..", "integration")
_SCRIPTS = {"pulse": "pulse-server.sh", "pipewire": "pipewire-server.sh"}


class AudioServer:
    def __init__(self, kind="pulse", desktop=False):
        """`desktop`: the speakers are a desktop's, suspended when idle and paced by nothing
        (PulseAudio; PipeWire's always are); otherwise a recording paces them and keeps them
        awake."""
        self.script = os.path.abspath(os.path.join(_RIGS, _SCRIPTS[kind]))
        self.kind = kind
        self.rig = ["desktop"] if desktop else []
        self.parent = tempfile.mkdtemp(prefix=f"phonoduct-{kind}-")
        self.folder = os.path.join(self.parent, "server")
        self.env = {"PULSE_SERVER": f"unix:{self.folder}/native"}

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()
        shutil.rmtree(self.parent, ignore_errors=True)
        return False

    def start(self):
        subprocess.run([self.script, "start", self.folder, *self.rig], check=True, timeout=60,
                       stdin=subprocess.DEVNULL)

    def stop(self):
        subprocess.run([self.script, "stop", self.folder], timeout=60, stdin=subprocess.DEVNULL)

    def kill(self):
        """Kills the server's daemons at once, as a crash would."""
        for name in ("pid", "pids"):
            path = os.path.join(self.folder, name)
            if os.path.exists(path):
                with open(path) as pids:
                    for pid in pids.read().split():
                        try:
                            os.kill(int(pid), signal.SIGKILL)
                        except ProcessLookupError:
                            pass
        processes.wait_until(lambda: self.pactl_status("info") != 0, 10, "server gone")

    def pactl(self, *arguments):
        """Runs pactl against this server; its output."""
        return subprocess.run(["pactl", *arguments], env=self._client_env(), check=True,
                              capture_output=True, text=True, timeout=30).stdout

    def pactl_status(self, *arguments):
        return subprocess.run(["pactl", *arguments], env=self._client_env(), timeout=30,
                              capture_output=True).returncode

    def speakers_state(self):
        """The speakers' state as the server lists it: RUNNING, IDLE or SUSPENDED."""
        for line in self.pactl("list", "short", "sinks").splitlines():
            fields = line.split("\t")
            if fields[1] == "speakers":
                return fields[-1]
        raise LookupError("no speakers")

    def wait_speakers(self, state, timeout=15):
        processes.wait_until(lambda: self.speakers_state() == state, timeout,
                             f"the speakers {state}", interval=0.1)

    def leave_speakers_idle(self):
        """From suspended speakers, idle ones: half a second of sound that ended a moment ago,
        as a desktop's output is between two sounds."""
        self.wait_speakers("SUSPENDED")
        subprocess.run(["sh", "-c", "head -c 88200 /dev/zero | pacat --raw -d speakers"],
                       env=self._client_env(), check=True, timeout=30)
        time.sleep(0.5)

    def load_sink(self, name, description, *options):
        """Loads a null sink (its monitor is a capture device); the module's index."""
        return self.pactl("load-module", "module-null-sink", f"sink_name={name}",
                          f"sink_properties='device.description=\"{description}\"'",
                          *options).strip()

    def unload(self, sink):
        """Removes the null sink `sink` and its monitor, as unplugging a device would."""
        self.pactl("unload-module", self.module_of(sink))

    def module_of(self, sink):
        """The index of the module that made the null sink `sink`."""
        for line in self.pactl("list", "short", "modules").splitlines():
            fields = line.split("\t")
            if len(fields) > 2 and fields[1] == "module-null-sink" and \
                    f"sink_name={sink}" in fields[2].split():
                return fields[0]
        raise LookupError(f"no null sink {sink}")

    def _client_env(self):
        return dict(os.environ, **self.env)
