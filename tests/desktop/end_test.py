# SPDX-License-Identifier: GPL-3.0-or-later
"""A logout, a shutdown, Ctrl+C or a closed terminal end the program as its window's close
does: the relay stopped and its streams gone from the server, the settings saved, exit 0."""
import signal
import tempfile
import time
import unittest

from harness.audio import AudioServer
from harness.desktop import Desktop
from harness.program import Program

NAMES = {"Rate", "Bits", "Buffers", "Channels", "InputDevice", "OutputDevice", "Xpos", "Ypos"}


def streams(server):
    """The relay's streams and the tone's: the server's sink inputs and source outputs."""
    return [line for kind in ("sink-inputs", "source-outputs")
            for line in server.pactl("list", "short", kind).splitlines()]


class EndTest(unittest.TestCase):
    def test_end_signals_close_the_window(self):
        with AudioServer() as server, Desktop() as desktop, \
                tempfile.TemporaryDirectory(prefix="phonoduct-settings-") as settings:
            idle = streams(server)
            # The devices chosen in the first run are stored for the others.
            for sig in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
                with self.subTest(signal=sig.name), \
                        Program(desktop, server, settings=settings) as program:
                    program.wait_window()
                    if sig == signal.SIGTERM:
                        program.select("outputList", "Test Speakers")
                        program.select("inputList", "Monitor of Tone Mic")
                    program.click("startButton")
                    time.sleep(1.0)
                    self.assertEqual(program.control("startButton").caption(), "Stop")
                    self.assertEqual(len(streams(server)), len(idle) + 2)
                    program.process.send_signal(sig)
                    self.assertEqual(program.wait_exit(), 0)
                    self.assertEqual(streams(server), idle)
                    saved = program.settings()
                    self.assertEqual(set(saved), NAMES)
                    self.assertEqual((saved["OutputDevice"], saved["InputDevice"]),
                                     ("Test Speakers", "Monitor of Tone Mic"))
