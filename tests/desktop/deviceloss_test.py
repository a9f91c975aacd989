# SPDX-License-Identifier: GPL-3.0-or-later
"""Devices go away under the program: unloaded during a relay, removed from the server after
the lists were filled, gone since the settings named them; and a device that refuses the
format."""
import tempfile

from harness.audio import AudioServer
from harness.program import Program, write_settings
from harness.stallprobe import StallProbe
from relaycheck import (BAD_FORMAT, DEVICE_GONE, DesktopTest, assert_held, set_up,
                        start_and_hear, stop_and_close)


class DeviceLossTest(DesktopTest):
    def test_playback_then_capture_unloaded_during_a_relay(self):
        with AudioServer() as server, Program(self.desktop, server) as program:
            probe = set_up(program)
            start_and_hear(self, server, program)
            server.unload("speakers")
            program.wait_box()
            self.assertEqual(program.answer_boxes(), [("OutAddBuffer", DEVICE_GONE)])
            server.unload("mic")
            program.wait_box()
            self.assertEqual(program.answer_boxes(), [("InAddBuffer", DEVICE_GONE)])
            stop_and_close(self, program, probe)
            assert_held(self, program, {"capture": 3, "playback": 3})

    def test_listed_devices_removed_and_a_format_refused(self):
        with AudioServer() as server:
            server.load_sink("spare_out", "Spare Out")
            server.load_sink("spare_in", "Spare In")
            server.load_sink("ac3", "AC3 Receiver", "formats=ac3-iec61937")
            with Program(self.desktop, server) as program:
                probe = set_up(program, "Spare Out", "Monitor of Spare In")
                server.unload("spare_out")
                server.unload("spare_in")
                # The capture device is asked first, and a refusal ends the start.
                for output, capture, box in [
                        ("Spare Out", "Monitor of Spare In", ("In Device Query", DEVICE_GONE)),
                        ("Spare Out", "Monitor of Tone Mic", ("Out Device Query", DEVICE_GONE)),
                        ("AC3 Receiver", "Monitor of Tone Mic", ("Out Device Query", BAD_FORMAT))]:
                    program.select("outputList", output)
                    program.select("inputList", capture)
                    program.click("startButton")
                    self.assertEqual(program.answer_boxes(), [box])
                    self.assertEqual(program.control("startButton").caption(), "Start")
                    self.assertTrue(program.control("outputList").enabled())
                program.select("outputList", "Test Speakers")
                start_and_hear(self, server, program)
                settings = stop_and_close(self, program, probe, by_window=False)
                self.assertEqual((settings["OutputDevice"], settings["InputDevice"]),
                                 ("Test Speakers", "Monitor of Tone Mic"))

    def test_stored_devices_gone_and_the_stored_position(self):
        with tempfile.TemporaryDirectory() as folder, AudioServer() as server:
            write_settings(folder, {"Rate": 3, "Bits": 1, "Buffers": 9, "Channels": 1,
                                    "InputDevice": "Monitor of Old Headset",
                                    "OutputDevice": "Old Headset", "Xpos": 301, "Ypos": 203})
            with Program(self.desktop, server, settings=folder) as program:
                program.wait_window()
                self.assertEqual(program.message_boxes(), [])
                self.assertEqual(program.control("outputList").caption(), "Wave Mapper")
                self.assertEqual(program.control("inputList").caption(), "Wave Mapper")
                left, top, _, _ = program.control("startButton").extents()
                self.assertEqual((left, top), (301 + 5, 203 + 206))
                probe = StallProbe(program)
                start_and_hear(self, server, program)
                settings = stop_and_close(self, program, probe)
            self.assertEqual((settings["OutputDevice"], settings["InputDevice"],
                              settings["Xpos"], settings["Ypos"]),
                             ("Wave Mapper", "Wave Mapper", 301, 203))
