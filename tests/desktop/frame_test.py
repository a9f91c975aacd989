# SPDX-License-Identifier: GPL-3.0-or-later
"""Under a window manager the frame counts where the position does: the first run centres
the framed window, a stored position past the corner keeps the whole frame on the screen,
and the About box is centred with its frame."""
import re
import time
import unittest

from harness import processes
from harness.audio import AudioServer
from harness.desktop import Desktop
from harness.program import Program

SCREEN = (800, 600)


def store_position(program, left, top):
    path = f"{program.settings_home}/phonoduct/registry.reg"
    with open(path) as text:
        values = text.read()
    for name, value in (("Xpos", left), ("Ypos", top)):
        values = re.sub(rf'"{name}"=dword:[0-9a-f]+', f'"{name}"=dword:{value:08x}', values)
    with open(path, "w") as text:
        text.write(values)


class FrameTest(unittest.TestCase):
    def assertCentred(self, geometry):
        left, top, width, height = geometry
        self.assertAlmostEqual(left, SCREEN[0] // 2 - width // 2, delta=1)
        self.assertAlmostEqual(top, SCREEN[1] // 2 - height // 2, delta=1)

    def test_frame_counts_where_the_position_does(self):
        with AudioServer() as server, Desktop(*SCREEN, window_manager=True) as desktop:
            with Program(desktop, server) as first:
                first.wait_window()
                processes.wait_until(lambda: first.outer_geometry()[3] > 231, 10,
                                     "framed main window")
                outer = first.outer_geometry()
                self.assertCentred(outer)
                first.click("aboutButton")
                processes.wait_until(lambda: first.outer_geometry("About")[3] > 116, 10,
                                     "framed About box")
                time.sleep(0.2)
                self.assertCentred(first.outer_geometry("About"))
                first.close()
                self.assertEqual(first.wait_exit(), 0)
                self.assertEqual((first.settings()["Xpos"], first.settings()["Ypos"]),
                                 outer[:2])

                store_position(first, 5000, 5000)
                with Program(desktop, server, settings=first.settings_home) as second:
                    second.wait_window()
                    processes.wait_until(lambda: second.outer_geometry()[3] > 231, 10,
                                         "framed main window")
                    left, top, width, height = second.outer_geometry()
                    self.assertEqual((left + width, top + height), SCREEN)
                    second.close()
                    self.assertEqual(second.wait_exit(), 0)
