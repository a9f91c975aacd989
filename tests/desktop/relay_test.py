# SPDX-License-Identifier: GPL-3.0-or-later
"""The whole program relays the private server's mic to its speakers as a user sets it up:
devices, sound format and block length chosen in the window, Start, Stop, Close, the choices
saved. The speakers are a desktop's, with nothing else pacing them, and each run meets them in
another state a desktop's output can be in at Start; a burst in the mic must come out of the
speakers four blocks later, whatever the state."""
import math
import os
import subprocess
import time
import unittest

from harness import processes
from harness.audio import AudioServer
from harness.desktop import Desktop
from harness.program import Program
from harness.recording import RATE, Recorder

FULL = ("rate44100", True, True)    # 44.1 kHz, 16 bits, stereo
SMALL = ("rate11025", False, False)  # 11.025 kHz, 8 bits, mono
BURST = 2000.0  # Hz: told apart from the mic's 1 kHz tone
# The run, by state of the speakers at Start: block length, sound format. Each state once per
# server; both block lengths and the smallest format spread over them.
RUNS = {
    "pulse": {"again": (0.3, FULL), "playing": (0.3, SMALL), "idle": (1.2, FULL),
              "suspended": (0.3, FULL)},
    "pipewire": {"again": (0.3, FULL), "playing": (0.3, FULL), "idle": (0.3, SMALL),
                 "suspended": (1.2, FULL)},
}
# Seconds either side of the design delay, on either server. PipeWire starts each of the
# relay's streams once its graph has linked it, a cycle (23 ms) or more after the call: a
# relay that did not make up for that would miss the mark by as much.
TOLERANCE = 0.025


def set_up(program, block, sound):
    program.wait_window()
    # The lists fill once the server has answered, which a loaded machine delays.
    processes.wait_until(lambda: "Test Speakers" in program.control("outputList").items() and
                         "Monitor of Tone Mic" in program.control("inputList").items(),
                         10, "the device lists")
    program.select("outputList", "Test Speakers")
    program.select("inputList", "Monitor of Tone Mic")
    rate, bits16, stereo = sound
    program.click(rate)
    for name, wanted in (("sixteenBits", bits16), ("stereo", stereo)):
        if program.control(name).checked() != wanted:
            program.click(name)
    program.click("blockLength")
    program.key("End" if block == 0.3 else "Home")
    assert program.control("blockLength").hint() == f"BufferSize({block}[sec])"


class RelayDelay:
    kind = None

    def test_delay_in_every_state_of_the_speakers(self):
        with AudioServer(self.kind, desktop=True) as server, Desktop() as desktop:
            self.server, self.desktop = server, desktop
            for state, (block, sound) in RUNS[self.kind].items():
                with self.subTest(state=state, block=block, sound=sound[0]):
                    self.relay(state, block, sound)

    def relay(self, state, block, sound):
        with Program(self.desktop, self.server) as program:
            set_up(program, block, sound)
            other = self.prepare(state, block, sound)
            program.click("startButton")
            mic, speakers = Recorder(self.server, "mic.monitor"), Recorder(self.server)
            # It played at Start; on PipeWire one that goes on puts the sound later and later,
            # as a glitch does.
            if other:
                other.terminate()
            # In the first block, which tells the start's lag apart from later glitches.
            time.sleep(0.3)
            burst = self.burst()
            time.sleep(4 * block + 3.0)
            for recorder in (mic, speakers):
                recorder.note_lead()
            stopped = program.click("startButton")
            self.assertEqual(program.answer_boxes(), [])
            self.assertEqual(program.control("startButton").caption(), "Close")
            heard, said = speakers.stop(), mic.stop()
            arrived = self.onset(heard, burst)
            delay = heard.time_of(arrived) - said.time_of(self.onset(said, burst))
            print(f"{self.kind}, {state}, {block} s blocks, {sound[0]}: delay "
                  f"{(delay - 4 * block) * 1000:+.0f} ms over the design {4 * block:.1f} s")
            self.assertAlmostEqual(delay, 4 * block, delta=TOLERANCE)
            # PipeWire's glitches are the pipewire test's.
            if state == "suspended" and self.kind == "pulse":
                self.check_tone(heard, said, arrived, stopped)
            program.click("startButton")
            self.assertEqual(program.wait_exit(), 0)
            settings = program.settings()
            self.assertEqual((settings["OutputDevice"], settings["InputDevice"]),
                             ("Test Speakers", "Monitor of Tone Mic"))

    def prepare(self, state, block, sound):
        """Brings the speakers into `state`; what still plays to them at Start."""
        if state == "again":
            # A relay of another instance that stops just before this one starts.
            with Program(self.desktop, self.server) as first:
                set_up(first, block, sound)
                first.click("startButton")
                time.sleep(4 * block + 1.0)
                first.click("startButton")
            return None
        if state == "playing":
            other = self.play("exec pacat --raw -d speakers </dev/zero")
            self.server.wait_speakers("RUNNING")
            return other
        if state == "idle":
            self.server.leave_speakers_idle()
        else:
            self.server.wait_speakers("SUSPENDED")
        return None

    def play(self, command):
        return subprocess.Popen(["sh", "-c", command], env=dict(os.environ, **self.server.env),
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def burst(self):
        """Plays 0.2 s of a tone of its own into the mic; its level there."""
        frames = int(0.2 * RATE)
        samples = [int(8000 * math.sin(2 * math.pi * BURST * i / RATE)) for i in range(frames)]
        data = b"".join(sample.to_bytes(2, "little", signed=True) * 2 for sample in samples)
        player = subprocess.Popen(
            ["pacat", "--raw", "-d", "mic", "--latency-msec=100", "--format=s16le",
             f"--rate={RATE}", "--channels=2"],
            env=dict(os.environ, **self.server.env), stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        player.communicate(data, timeout=10)
        return 8000 / 32768 / math.sqrt(2)

    def onset(self, recording, level):
        window = next((window for window in recording.windows()
                       if recording.level(window, frequency=BURST) >= level / 2), None)
        self.assertIsNotNone(window, "the burst never arrived")
        # To the millisecond: the two recordings' 10 ms windows fall differently on the burst.
        frames = range(max(window - recording.WINDOW, 0), window + 1, RATE // 1000)
        return next(frame for frame in frames
                    if recording.level(frame, frequency=BURST) >= level / 2)

    def check_tone(self, heard, said, burst, stopped):
        """The tone itself, after the burst and until the stop: unbroken, at its pitch and
        level."""
        level = said.level(0, said.WINDOW)
        onset, end = burst + int(0.3 * RATE), heard.frame_at(stopped - 0.1)
        self.assertEqual(heard.quiet_windows(level / 2, onset + heard.WINDOW, end), [])
        self.assertAlmostEqual(heard.frequency(onset, end), 1000.0, delta=1.0)
        windows = heard.windows(onset + heard.WINDOW, end)
        relayed = sum(heard.level(window) for window in windows) / len(windows)
        self.assertAlmostEqual(relayed / level, 1.0, delta=0.12)


class OnPulseAudio(RelayDelay, unittest.TestCase):
    kind = "pulse"


class OnPipeWire(RelayDelay, unittest.TestCase):
    kind = "pipewire"
