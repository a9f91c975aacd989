# SPDX-License-Identifier: GPL-3.0-or-later
"""Records a source of the audio server (normally a sink's monitor), keeping when each piece
arrived, and measures a recorded tone."""
import array
import math
import os
import re
import subprocess
import threading
import time

RATE = 44100
CHANNELS = 2
FRAME = 2 * CHANNELS


# The latency each server's recording asks for. A PulseAudio null sink renders 2 s ahead when
# nothing asks for less: a recording that asked for less would pace it as no user's recording
# does and hide how late a stream starts there, and each piece still arrives as soon as the
# sink has rendered it. PipeWire's pulse server holds a piece back about as long as the latency
# asked, and this is no shorter than its graph's own period.
LATENCY_MSEC = {"pulse": 2000, "pipewire": 50}
_CONFIGURED = re.compile(r"Latency: \d+ usec, configured (\d+) usec")


class Recorder:
    def __init__(self, server, source="speakers.monitor"):
        self._server, self._source = server, source
        self._lead = 0.0
        self._process = subprocess.Popen(
            ["parec", f"--latency-msec={LATENCY_MSEC[server.kind]}", "-d", source, "--raw",
             "--format=s16le",
             f"--rate={RATE}", f"--channels={CHANNELS}"],
            env=dict(os.environ, **server.env), stdin=subprocess.DEVNULL,
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self._data = bytearray()
        self._pieces = []  # (byte offset after the piece, arrival time)
        self._thread = threading.Thread(target=self._read, daemon=True)
        self._thread.start()

    def _read(self):
        while True:
            piece = self._process.stdout.read1(65536)
            if not piece:
                return
            self._data += piece
            self._pieces.append((len(self._data), time.monotonic()))

    def note_lead(self):
        """Takes the sink's render period now as the time by which each piece of its monitor
        arrives before its end is heard: a PulseAudio null sink hands what it renders to its
        monitor at once, a period ahead. Called while the sound measured plays."""
        if self._server.kind != "pulse" or not self._source.endswith(".monitor"):
            return
        sink = self._source[:-len(".monitor")]
        described = self._server.pactl("list", "sinks").split("\n\n")
        for part in described:
            if f"Name: {sink}\n" in part:
                self._lead = int(_CONFIGURED.search(part).group(1)) / 1e6

    def stop(self):
        """Ends the recording; the first channel as a Recording."""
        self._process.terminate()
        self._process.wait(10)
        self._thread.join(10)
        whole = len(self._data) - len(self._data) % FRAME
        data = bytes(self._data[:whole])
        samples = array.array("h", data)
        pieces = [(end, arrived + self._lead) for end, arrived in self._pieces]
        return Recording(samples[0::CHANNELS], pieces, data)


class Recording:
    WINDOW = RATE // 100  # 10 ms

    def __init__(self, samples, pieces, data=b""):
        self.samples = samples
        self.data = data  # every channel, whole frames, s16le
        self._pieces = pieces

    def time_of(self, frame):
        """When the sample at `frame` was recorded. A piece arrives at the earliest when its end
        was recorded, and later when the server held it back: PipeWire's pulse server sends
        whole pieces once a graph cycle and keeps the rest, up to a cycle (23 ms). Each piece of
        the next second bounds the moment; the tightest bound is the nearest."""
        offset = frame * FRAME
        later = [(end, arrived) for end, arrived in self._pieces if end > offset]
        if not later:
            raise IndexError(frame)
        horizon = later[0][0] + FRAME * RATE
        return min(arrived - (end - offset) / (FRAME * RATE)
                   for end, arrived in later if end <= horizon)

    def frame_at(self, moment):
        """The first frame recorded at or after `moment`."""
        for end, arrived in self._pieces:
            if arrived >= moment:
                start = end - (arrived - moment) * FRAME * RATE
                return max(0, int(start) // FRAME)
        return len(self.samples)

    def level(self, start, count=WINDOW, frequency=1000.0):
        """RMS amplitude (full scale 1) of the component at `frequency` in the frames."""
        coefficient = 2 * math.cos(2 * math.pi * frequency / RATE)
        previous = before = 0.0
        for value in self.samples[start:start + count]:
            previous, before = value / 32768.0 + coefficient * previous - before, previous
        power = previous * previous + before * before - coefficient * previous * before
        return math.sqrt(max(power, 0.0) * 2) / count

    def windows(self, start=0, end=None):
        """The 10 ms windows from `start` to `end`, as first frames."""
        end = len(self.samples) if end is None else min(end, len(self.samples))
        return range(start, end - self.WINDOW + 1, self.WINDOW)

    def onset(self, threshold, start=0):
        """The first frame of the first window from `start` whose tone reaches `threshold`."""
        for window in self.windows(start):
            if self.level(window) >= threshold:
                return window
        return None

    def quiet_windows(self, threshold, start, end=None):
        """Windows from `start` to `end` whose tone is below `threshold`: the gaps."""
        return [window for window in self.windows(start, end) if self.level(window) < threshold]

    def frequency(self, start, end):
        """Frequency from the rising zero crossings between two frames."""
        part = self.samples[start:end]
        mean = sum(part) / max(len(part), 1)
        crossings = [i for i in range(1, len(part)) if part[i - 1] < mean <= part[i]]
        if len(crossings) < 2:
            return 0.0
        return (len(crossings) - 1) * RATE / (crossings[-1] - crossings[0])
