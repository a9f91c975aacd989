# SPDX-License-Identifier: GPL-3.0-or-later
"""The whole program relays the private server's tone as a user sets it up: devices chosen in
the lists, the shortest blocks, Start, Stop, Close, and the choices saved."""
import time
import unittest

from harness.audio import AudioServer
from harness.desktop import Desktop
from harness.program import Program
from harness.recording import Recorder

BLOCK = 0.3  # seconds, the slider at its bottom end
HEARD = 5.0  # seconds of relayed tone that are checked


class RelayTest(unittest.TestCase):
    def test_tone_relayed_through_the_window(self):
        with AudioServer() as server, Desktop() as desktop, Program(desktop, server) as program:
            program.wait_window()
            program.select("ComboBox1", "Test Speakers")
            program.select("ComboBox2", "Monitor of Tone Mic")
            program.click("Bufset")
            program.key("End")
            self.assertEqual(program.control("Bufset").hint(), "BufferSize(0.3[sec])")

            reference = Recorder(server, "mic.monitor")
            time.sleep(0.3)
            mic = reference.stop()
            speakers = Recorder(server)
            time.sleep(0.2)
            pressed = time.monotonic()
            program.click("InButton")
            time.sleep(4 * BLOCK + HEARD + 0.5)
            self.assertEqual(program.control("InButton").caption(), "Stop")
            program.click("InButton")
            self.assertEqual(program.answer_boxes(), [])
            self.assertEqual(program.control("InButton").caption(), "Close")
            heard = speakers.stop()

            level = mic.level(0, mic.WINDOW)
            onset = heard.onset(level / 2, heard.frame_at(pressed))
            self.assertIsNotNone(onset, "the tone never arrived")
            delay = heard.time_of(onset) - pressed
            end = onset + int(HEARD * 44100)
            windows = heard.windows(onset + heard.WINDOW, end)
            relayed = sum(heard.level(window) for window in windows) / len(windows)
            print(f"delay {delay * 1000:.0f} ms (design {4 * BLOCK * 1000:.0f} ms), "
                  f"level {relayed:.4f} (mic {level:.4f})")
            self.assertGreater(delay, 4 * BLOCK - 0.02)
            self.assertLess(delay, 4 * BLOCK + 0.15)
            self.assertEqual(heard.quiet_windows(level / 2, onset + heard.WINDOW, end), [])
            self.assertAlmostEqual(heard.frequency(onset, end), 1000.0, delta=1.0)
            self.assertAlmostEqual(relayed / level, 1.0, delta=0.12)

            program.click("InButton")
            self.assertEqual(program.wait_exit(), 0)
            settings = program.settings()
            self.assertEqual((settings["OutputDevice"], settings["InputDevice"],
                              settings["Buffers"]),
                             ("Test Speakers", "Monitor of Tone Mic", 9))
