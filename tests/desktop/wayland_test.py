# SPDX-License-Identifier: GPL-3.0-or-later
"""On a Wayland session the program works as on X11: the window shows, the relay is heard,
the settings are saved, the exit code is 0. With XWayland there it takes an X11 window,
which asks for the stored position; without, a native one, which keeps the stored position
for another session since it cannot place itself."""
import tempfile
import time
import unittest

from harness import processes
from harness.audio import AudioServer
from harness.desktop import WaylandDesktop
from harness.program import Program, write_settings
from harness.recording import Recorder

STORED = {"OutputDevice": "Test Speakers", "InputDevice": "Monitor of Tone Mic", "Buffers": 9,
          "Xpos": 100, "Ypos": 80}


class WaylandTest(unittest.TestCase):
    def relay_and_close(self, server, program):
        """Start, the tone heard after four blocks of 0.3 s, Stop, Close; the saved values."""
        program.wait_window()
        speakers = Recorder(server)
        program.control("startButton").press()
        time.sleep(2.0)
        program.control("startButton").press()
        heard = speakers.stop()
        self.assertIsNotNone(heard.onset(0.05), "the tone never arrived")
        processes.wait_until(lambda: program.control("startButton").caption() == "Close", 10,
                             "Close")
        program.control("startButton").press()
        self.assertEqual(program.wait_exit(), 0)
        return program.settings()

    def test_xwayland_then_native(self):
        with AudioServer() as server, WaylandDesktop() as desktop:
            # The platform is the program's choice: nothing set for Qt.
            for native in (False, True):
                env = {"QT_QPA_PLATFORM": None}
                if native:
                    env["DISPLAY"] = None
                with self.subTest(native=native), \
                        tempfile.TemporaryDirectory(prefix="phonoduct-settings-") as settings, \
                        Program(desktop, server, settings, env, start=False) as program:
                    write_settings(settings, STORED)
                    program.start()
                    program.wait_window()
                    if not native:
                        self.assertEqual(program.asked_position(), (100, 80))
                    saved = self.relay_and_close(server, program)
                    with open(program.log) as log:
                        self.assertEqual(log.read(), "")
                    if native:
                        self.assertEqual((saved["Xpos"], saved["Ypos"]), (100, 80))
                    self.assertEqual(saved["OutputDevice"], "Test Speakers")
