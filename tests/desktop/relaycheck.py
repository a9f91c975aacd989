# SPDX-License-Identifier: GPL-3.0-or-later
"""What the fault tests check of the program as a user meets it: the relay set up in the
window, the tone heard after Start, and the end: Stop, Close, exit code 0, the settings
saved, and the UI thread never away from its events for more than 150 ms outside the
stop's own pauses."""
import os
import time
import unittest

from harness.desktop import Desktop
from harness.recording import Recorder
from harness.stallprobe import StallProbe

BLOCK = 0.3  # seconds, the slider at its bottom end
# An instrumented program runs several times slower: its runs prove the absence of leaks
# and memory errors, the plain build the timing.
STALL = 0.5 if os.environ.get("PHONODUCT_SANITIZE") else 0.150
TONE = 0.05  # a level well above silence and well below the relayed tone's
SERVER_GONE = "The audio server is not running."
DEVICE_GONE = "The audio device is not available: it may have been removed."
BAD_FORMAT = "The audio device does not support this sound format."


class DesktopTest(unittest.TestCase):
    """The tests of a class share one desktop: the accessibility library of a process
    stays with the first bus it meets."""

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop()
        cls.desktop.__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.desktop.__exit__(None, None, None)


def set_up(program, output="Test Speakers", capture="Monitor of Tone Mic"):
    """Once the window shows: the devices chosen, the shortest blocks; a stall probe on the
    window from then on."""
    program.wait_window()
    program.select("outputList", output)
    program.select("inputList", capture)
    program.click("blockLength")
    program.key("End")
    return StallProbe(program)


def start_and_hear(test, server, program):
    """Presses Start and checks that the tone comes out of the speakers after four blocks;
    the recording from the press."""
    speakers = Recorder(server)
    time.sleep(0.2)
    pressed = time.monotonic()
    program.click("startButton")
    time.sleep(4 * BLOCK + 1.5)
    heard = speakers.stop()
    test.assertEqual(program.message_boxes(), [])
    test.assertEqual(program.control("startButton").caption(), "Stop")
    onset = heard.onset(TONE, heard.frame_at(pressed))
    test.assertIsNotNone(onset, "the tone never arrived")
    # Four blocks, give or take the start; the relay's timing is the relay test's.
    test.assertLess(heard.time_of(onset) - pressed, 4 * BLOCK + 1.0)
    return heard


def start_after_a_server_restart(test, server, program):
    """The server killed before Start: one box and no relay; started again, the relay works
    on the new server."""
    server.kill()
    program.click("startButton")
    test.assertEqual(program.answer_boxes(), [("In Device Query", SERVER_GONE)])
    test.assertEqual(program.control("startButton").caption(), "Start")
    server.start()
    start_and_hear(test, server, program)


def stop_and_close(test, program, probe, by_window=True):
    """Stop, then Close (the title bar's close box or the button); the stored settings."""
    stopping = time.monotonic()
    program.click("startButton")
    test.assertEqual(program.answer_boxes(), [])
    test.assertEqual(program.control("startButton").caption(), "Close")
    probe.stop()
    # The stop pauses 300 ms on purpose; the pings around it wait for that.
    before, after = probe.longest(end=stopping - 0.05), probe.longest(start=stopping + 0.8)
    print(f"longest UI stall: {before * 1000:.0f} ms before Stop, {after * 1000:.0f} ms after")
    test.assertLess(before, STALL)
    test.assertLess(after, STALL)
    if by_window:
        program.close()
    else:
        program.click("startButton")
    test.assertEqual(program.wait_exit(), 0)
    return program.settings()


def assert_held(test, program, expected):
    """The blocks the program reported held back from a gone device, by side."""
    held = {}
    with open(program.log, encoding="utf-8", errors="replace") as log:
        for line in log:
            words = line.split()
            if line.startswith("phonoduct: ") and "held" in words:
                held[words[1]] = int(words[4])
    print(f"held blocks: {held}")
    test.assertEqual(held, expected)
