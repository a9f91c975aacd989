# SPDX-License-Identifier: GPL-3.0-or-later
"""scripts/launch, through which scripts/run starts the program, in the situations where it
does more than start it: a display without an audio server, where a user who has only the
keyboard sets up, starts, stops and closes the relay, and no display (the demonstration);
VNC has a test of its own. One desktop per process: one test here uses it."""
import os
import re
import subprocess
import tempfile
import time
import unittest
from types import SimpleNamespace

from harness import processes
from harness.desktop import Desktop
from harness.program import PROGRAM, Program
from harness.recording import RATE, Recorder

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
LAUNCH = os.path.join(ROOT, "scripts", "launch")
NO_SERVER = {"PULSE_SERVER": "unix:/nonexistent/native"}


def launch(demo_folder="/nonexistent"):
    """The launcher, to be followed by the program and its arguments."""
    return [LAUNCH, demo_folder]


def first_line(program):
    with open(program.log) as log:
        return log.readline().strip()


class LaunchTest(unittest.TestCase):
    def test_display_without_audio_server_relays_the_private_tone(self):
        with Desktop() as desktop, \
                Program(desktop, env=NO_SERVER, wrapper=launch()) as program:
            program.wait_window()
            self.assertEqual(program.control("outputList").items(),
                             ["Wave Mapper", "Test Speakers", "Tone Mic"])
            self.assertIn("Monitor of Tone Mic", program.control("inputList").items())
            address = re.search(r"\((unix:\S+)\)", first_line(program)).group(1)
            server = SimpleNamespace(kind="pulse", env={"PULSE_SERVER": address})
            # By keyboard alone, from Start where the focus begins: around to the lists, an
            # entry of each chosen with the arrows, on to the slider's bottom end (0.3 s
            # blocks: the tone arrives after 1.2 s) and back to Start.
            self.assertTrue(program.control("startButton").focused())
            outputs = program.control("outputList").items()
            inputs = program.control("inputList").items()
            program.key("Tab", "Tab", "Home", *["Down"] * outputs.index("Test Speakers"),
                        "Tab", "Home", *["Down"] * inputs.index("Monitor of Tone Mic"),
                        "Tab", "Tab", "Tab", "Tab", "End", "Tab")
            self.assertEqual(program.control("outputList").caption(), "Test Speakers")
            self.assertEqual(program.control("inputList").caption(), "Monitor of Tone Mic")
            self.assertEqual(program.control("blockLength").value(), 9)
            speakers = Recorder(server)
            pressed = time.monotonic()
            # Each press leaves the focus on the button, so the next key reaches it too.
            for key, caption in (("space", "Stop"), ("space", "Close")):
                program.key(key)
                processes.wait_until(lambda: program.control("startButton").caption() == caption,
                                     10, caption)
                self.assertTrue(program.control("startButton").focused())
                if caption == "Stop":
                    time.sleep(2.5)
            self.assertEqual(program.answer_boxes(), [])
            program.key("space")
            self.assertEqual(program.wait_exit(), 0)
            heard = speakers.stop()
            onset = heard.onset(0.1, heard.frame_at(pressed))
            self.assertIsNotNone(onset, "the tone never arrived")
            # It keeps coming; its quality is the relay tests' and the demonstration's to judge.
            quiet = heard.quiet_windows(0.1, onset, onset + RATE)
            self.assertLess(len(quiet), 10, "the tone came and went")
            gone = subprocess.run(["pactl", "info"], env=dict(os.environ, **server.env),
                                  capture_output=True, timeout=30)
            self.assertNotEqual(gone.returncode, 0, "the private server outlived the program")

    def test_no_display_runs_the_demonstration(self):
        env = {name: value for name, value in os.environ.items()
               if name not in ("DISPLAY", "WAYLAND_DISPLAY")}
        with tempfile.TemporaryDirectory(prefix="phonoduct-demo-") as folder:
            demo = subprocess.run([*launch(folder), os.path.abspath(PROGRAM)], env=env,
                                  stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                  timeout=90)
            print(demo.stdout, demo.stderr)
            self.assertEqual(demo.returncode, 0)
            self.assertTrue(demo.stdout.startswith("No display: a demonstration"))
            self.assertIn("result   the relay worked", demo.stdout)
            with open(os.path.join(folder, "screenshot.png"), "rb") as screenshot:
                self.assertEqual(screenshot.read(8), b"\x89PNG\r\n\x1a\n")
            recorded = os.path.getsize(os.path.join(folder, "speakers.wav"))
            # 8 s of relay, mono, 16 bits; the idle speakers' monitor hands a recording that
            # joins it nothing for up to a second.
            self.assertGreater(recorded, 7 * RATE * 2)

